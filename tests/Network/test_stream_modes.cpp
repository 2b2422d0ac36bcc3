// Playback and backup streams, the PC recorder, and stopping a flooded stream.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QRandomGenerator>

#include "Common/Frame.h"
#include "StreamProbe.h"

using namespace nettest;
using simdvr::CSimDvr;
using simdvr::Misbehaviour;

namespace {

constexpr int64_t T0 = 1700000000;
const QString BACKUP_END = QStringLiteral("There is no more backup data. Or Connection failed");

simdvr::Config SmallDvr(bool old = false)
{
    simdvr::Config c;
    c.oldProtocol = old;
    c.channels = 4;
    c.model = old ? 8 : 4;
    return c;
}

// Closes the message when it is shown; false when it is not.
bool CloseMessage(const QString& text)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (box && box->isVisible() && box->text() == text) {
            delete box;
            return true;
        }
    }
    return false;
}

bool IsAudio(const QByteArray& frame, bool old)
{
    const auto* data = reinterpret_cast<const unsigned char*>(frame.constData());
    if (old) {
        CUFrame f;
        f.SetData(data, int(frame.size()));
        return f.GetType() == FRAME_AUDIO;
    }
    CFrame f;
    f.SetData(data, int(frame.size()));
    return f.GetType() == FRAME_AUDIO;
}

CHttpConnect::ConnParam Backup(int64_t seconds)
{
    CHttpConnect::ConnParam p = Param(2);
    p.startTime = T0;
    p.endTime = T0 + seconds;
    return p;
}

}  // namespace

TEST(StreamModes, BackupRecordsUntilItsEndReportsItOnceAndEndsWithItsMessage)
{
    for (const bool old : {false, true}) {
        SCOPED_TRACE(old ? "old protocol" : "current protocol");
        CSimDvr sim(SmallDvr(old));
        ASSERT_TRUE(sim.start());
        Misbehaviour m;
        m.flood = true;
        sim.setMisbehaviour(m);
        CHttpConnect conn;
        StreamProbe probe(&conn, old);
        TestRecorder recorder;
        conn.SetRecordPtr(&recorder);
        conn.Connect(MakeDvr(sim, old, 0x3), Backup(3));

        ASSERT_TRUE(WaitFor([&] { return CloseMessage(BACKUP_END); }, 15000));
        EXPECT_FALSE(conn.isRunning());
        EXPECT_EQ(probe.failures, 0);
        EXPECT_EQ(std::count(probe.progress.begin(), probe.progress.end(), -1), 1);

        // Every frame before the end was recorded and shown; the progress adds up to the time
        // the frames span.
        const std::vector<FrameSeen> shown = probe.videoFrames();
        ASSERT_GT(shown.size(), 30u);
        int video = 0;
        for (const QByteArray& frame : recorder.frames())
            video += !IsAudio(frame, old);
        EXPECT_EQ(video, int(shown.size()));
        EXPECT_EQ(recorder.sawOldProtocol, old);
        EXPECT_EQ(shown.front().time, T0);
        EXPECT_LT(shown.back().time, T0 + 3);
        int64_t sum = 0;
        for (int v : probe.progress)
            sum += v > 0 ? v : 0;
        EXPECT_EQ(sum, shown.back().time - T0);
    }
}

TEST(StreamModes, StreamsClosedBeforeAnyPacket)
{
    CSimDvr sim(SmallDvr());
    ASSERT_TRUE(sim.start());
    Misbehaviour m;
    m.closeAfterPackets = 0;
    sim.setMisbehaviour(m);

    // A backup still ends with its message (its recorder is attached only with a frame).
    CHttpConnect backup;
    backup.Connect(MakeDvr(sim, false, 0x1), Backup(60));
    ASSERT_TRUE(WaitFor([&] { return CloseMessage(BACKUP_END); }));
    EXPECT_FALSE(backup.isRunning());

    // A playback fails instead of waiting for ever.
    CHttpConnect playback;
    StreamProbe probe(&playback, false);
    playback.Connect(MakeDvr(sim, false, 0x1), Param(1));
    ASSERT_TRUE(WaitFor([&] { return probe.failures == 1; }));
    EXPECT_EQ(probe.statuses.back(), QStringLiteral("Connection failed"));

    // After data a playback simply ends: no failure, not reopened.
    m.closeAfterPackets = 20;
    sim.setMisbehaviour(m);
    sim.clearLog();
    playback.Connect(MakeDvr(sim, false, 0x1), Param(1));
    ASSERT_TRUE(WaitFor([&] { return probe.videoCount() > 0 && !playback.isRunning(); }));
    QTest::qWait(300);
    EXPECT_EQ(probe.failures, 1);
    EXPECT_EQ(sim.streams().size(), 1u);
    EXPECT_EQ(probe.lastInfo().displayMode, uint32_t(DISPLAY_MODE::REMOTE_PLAYBACK));
}

TEST(StreamModes, RecorderGetsFramesUntilDetachedAndAudioByMode)
{
    CSimDvr sim(SmallDvr());
    ASSERT_TRUE(sim.start());
    auto audioIn = [](const TestRecorder& r) {
        int n = 0;
        for (const QByteArray& f : r.frames())
            n += IsAudio(f, false);
        return n;
    };

    {  // live: recorded and shown, audio too; nothing after detaching
        TestRecorder recorder;
        CHttpConnect conn;
        StreamProbe probe(&conn, false);
        conn.SetRecordPtr(&recorder);
        conn.Connect(MakeDvr(sim, false, 0x3), Param(0));
        ASSERT_TRUE(WaitFor([&] { return recorder.frames().size() > 20 && probe.audioCount() > 2; }));
        conn.SetRecordPtr(nullptr);
        const size_t written = recorder.frames().size();
        QTest::qWait(300);
        EXPECT_EQ(recorder.frames().size(), written);
        EXPECT_GT(audioIn(recorder), 0);
    }
    {  // a recorded playback: audio goes to the file only, result codes are ignored
        TestRecorder recorder;
        CHttpConnect conn;
        StreamProbe probe(&conn, false);
        conn.SetRecordPtr(&recorder);
        CHttpConnect::ConnParam p = Param(1);
        p.startTime = T0;
        conn.Connect(MakeDvr(sim, false, 0x1), p);
        ASSERT_TRUE(WaitFor([&] { return audioIn(recorder) > 2; }));
        sim.sendPacket(cgi::DATA_RESPONSE, QByteArray(1, '\x05'));
        QTest::qWait(200);
        EXPECT_EQ(probe.audioCount(), 0);
        EXPECT_EQ(probe.failures, 0);
    }
    {  // attached but not recording: nothing
        TestRecorder idle;
        idle.recording = false;
        CHttpConnect conn;
        StreamProbe probe(&conn, false);
        conn.SetRecordPtr(&idle);
        conn.Connect(MakeDvr(sim, false, 0x1), Param(0));
        ASSERT_TRUE(WaitFor([&] { return probe.videoCount() > 10; }));
        EXPECT_TRUE(idle.frames().empty());
    }
}

TEST(StreamModes, FloodedStreamStopsCleanlyMidPacket)
{
    CSimDvr sim;
    ASSERT_TRUE(sim.start());
    Misbehaviour m;
    m.flood = true;
    sim.setMisbehaviour(m);
    TestRecorder recorder;
    for (int round = 0; round < 6; ++round) {
        auto* conn = new CHttpConnect;
        StreamProbe probe(conn, false);
        conn->SetRecordPtr(&recorder);
        conn->Connect(MakeDvr(sim, false), Param(0));
        ASSERT_TRUE(WaitFor([&] { return probe.videoCount() > 50; }, 10000));
        QTest::qWait(int(QRandomGenerator::global()->bounded(30)));
        // Change what the stream shares with this thread while it runs.
        conn->setDisplayScreen(round, 16);
        conn->SetRecordPtr(nullptr);
        if (round % 2)
            conn->Disconnect();
        delete conn;  // stops a running stream too
        EXPECT_EQ(probe.unsoundFrames(), 0);
    }
    EXPECT_FALSE(recorder.frames().empty());
}
