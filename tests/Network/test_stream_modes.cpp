// Playback and backup streams, the PC recorder, and stopping a flooded stream.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QRandomGenerator>

#include "Common/Frame.h"
#include "Network/HttpConnect.h"
#include "StreamProbe.h"

using namespace nettest;
using simdvr::CSimDvr;
using simdvr::Misbehaviour;

namespace {

constexpr int64_t T0 = 1700000000;

simdvr::Config SmallDvr(bool old = false)
{
    simdvr::Config c;
    c.oldProtocol = old;
    c.channels = 4;
    c.model = old ? 8 : 4;
    return c;
}

QMessageBox* ShownMessage(const QString& text)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (box && box->isVisible() && box->text() == text)
            return box;
    }
    return nullptr;
}

const QString BACKUP_END = QStringLiteral("There is no more backup data. Or Connection failed");

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
        DVR dvr = MakeDvr(sim, old, 0x3);
        dvr.set_protocol_type(old ? 2 : 1);
        CHttpConnect::ConnParam p;
        p.mode = 2;
        p.startTime = T0;
        p.endTime = T0 + 3;
        conn.Connect(dvr, p);

        ASSERT_TRUE(WaitFor([&] { return ShownMessage(BACKUP_END) != nullptr; }, 15000));
        delete ShownMessage(BACKUP_END);
        EXPECT_FALSE(conn.isRunning());
        EXPECT_EQ(probe.failures, 0);
        EXPECT_EQ(std::count(probe.progress.begin(), probe.progress.end(), -1), 1);

        // Every video frame before the end was recorded, and the progress adds up to the time
        // they span.
        int64_t first = -1, last = -1;
        int video = 0;
        for (const QByteArray& frame : recorder.frames()) {
            const auto* data = reinterpret_cast<const unsigned char*>(frame.constData());
            int64_t time = 0;
            bool audio = false;
            if (old) {
                CUFrame f;
                f.SetData(data, int(frame.size()));
                ASSERT_TRUE(f.IsValid() && f.FitsIn(size_t(frame.size())));
                time = f.GetTime().sec;
                audio = f.GetType() == FRAME_AUDIO;
            } else {
                CFrame f;
                f.SetData(data, int(frame.size()));
                ASSERT_TRUE(f.FitsIn(size_t(frame.size())));
                time = f.GetTime().sec;
                audio = f.GetType() == FRAME_AUDIO;
            }
            if (audio)
                continue;
            ++video;
            EXPECT_LT(time, p.endTime);
            if (first < 0)
                first = time;
            last = time;
        }
        EXPECT_EQ(video, probe.videoCount());
        EXPECT_GT(video, 30);
        EXPECT_EQ(recorder.sawOldProtocol(), old);
        int64_t sum = 0;
        for (int v : probe.progress)
            if (v > 0)
                sum += v;
        EXPECT_EQ(sum, last - first);
        EXPECT_EQ(first, T0);
        conn.SetRecordPtr(nullptr);
    }
}

TEST(StreamModes, BackupWithoutDataStillEndsWithItsMessage)
{
    CSimDvr sim(SmallDvr());
    ASSERT_TRUE(sim.start());
    Misbehaviour m;
    m.closeAfterPackets = 0;
    sim.setMisbehaviour(m);
    CHttpConnect conn;  // no recorder attached yet: that happens on the first frame
    CHttpConnect::ConnParam p;
    p.mode = 2;
    p.startTime = T0;
    p.endTime = T0 + 60;
    conn.Connect(MakeDvr(sim, false, 0x1), p);
    ASSERT_TRUE(WaitFor([&] { return ShownMessage(BACKUP_END) != nullptr; }));
    delete ShownMessage(BACKUP_END);
    EXPECT_FALSE(conn.isRunning());
}

TEST(StreamModes, PlaybackClosedBeforeDataFailsAfterDataSimplyEnds)
{
    CSimDvr sim(SmallDvr());
    ASSERT_TRUE(sim.start());
    CHttpConnect::ConnParam p;
    p.mode = 1;
    p.startTime = T0;

    {
        Misbehaviour m;
        m.closeAfterPackets = 0;
        sim.setMisbehaviour(m);
        CHttpConnect conn;
        StreamProbe probe(&conn, false);
        conn.Connect(MakeDvr(sim, false, 0x1), p);
        ASSERT_TRUE(WaitFor([&] { return probe.failures == 1; }));
        EXPECT_EQ(probe.statuses.back().status, QStringLiteral("Connection failed"));
        EXPECT_FALSE(conn.isRunning());
    }
    {
        Misbehaviour m;
        m.closeAfterPackets = 20;
        sim.setMisbehaviour(m);
        sim.clearLog();
        CHttpConnect conn;
        StreamProbe probe(&conn, false);
        conn.Connect(MakeDvr(sim, false, 0x1), p);
        ASSERT_TRUE(WaitFor([&] { return probe.videoCount() > 0 && !conn.isRunning(); }));
        QTest::qWait(300);
        EXPECT_EQ(probe.failures, 0);
        EXPECT_EQ(sim.streams().size(), 1u) << "not reopened";
        EXPECT_EQ(probe.videoFrames().back().info.displayMode, uint32_t(DISPLAY_MODE::REMOTE_PLAYBACK));
        EXPECT_EQ(probe.videoFrames().back().info.pbMode, uint32_t(PB_FORWARD_1X));
    }
}

TEST(StreamModes, RecorderGetsFramesUntilDetachedAndAudioByMode)
{
    CSimDvr sim(SmallDvr());
    ASSERT_TRUE(sim.start());
    TestRecorder recorder;

    {  // live: recorded and shown, audio too
        CHttpConnect conn;
        StreamProbe probe(&conn, false);
        conn.SetRecordPtr(&recorder);
        conn.Connect(MakeDvr(sim, false, 0x3), LiveParam());
        ASSERT_TRUE(WaitFor([&] { return recorder.count() > 20 && probe.audioCount() > 2; }));
        conn.SetRecordPtr(nullptr);
        const int written = recorder.count();
        QTest::qWait(300);
        EXPECT_EQ(recorder.count(), written) << "nothing after detaching";
        EXPECT_GT(probe.videoCount(), written / 2);
        conn.Disconnect();
    }
    {  // playback being recorded: audio goes to the file only; result codes are ignored
        TestRecorder pbRecorder;
        CHttpConnect conn;
        StreamProbe probe(&conn, false);
        conn.SetRecordPtr(&pbRecorder);
        CHttpConnect::ConnParam p;
        p.mode = 1;
        p.startTime = T0;
        conn.Connect(MakeDvr(sim, false, 0x1), p);
        ASSERT_TRUE(WaitFor([&] {
            int audio = 0;
            for (const QByteArray& f : pbRecorder.frames())
                audio += (f[0] & 3) == 3;
            return audio > 2;
        }));
        sim.sendPacket(cgi::DATA_RESPONSE, QByteArray(1, '\x05'));
        QTest::qWait(200);
        EXPECT_EQ(probe.audioCount(), 0);
        EXPECT_EQ(probe.failures, 0);
        conn.Disconnect();
    }
    {  // a recorder that is attached but not recording gets nothing
        TestRecorder idle;
        idle.recording = false;
        CHttpConnect conn;
        StreamProbe probe(&conn, false);
        conn.SetRecordPtr(&idle);
        conn.Connect(MakeDvr(sim, false, 0x1), LiveParam());
        ASSERT_TRUE(WaitFor([&] { return probe.videoCount() > 10; }));
        conn.Disconnect();
        EXPECT_EQ(idle.count(), 0);
    }
}

TEST(StreamModes, FloodedStreamStopsCleanlyMidPacket)
{
    simdvr::Config cfg;
    cfg.channels = 16;
    CSimDvr sim(cfg);
    ASSERT_TRUE(sim.start());
    Misbehaviour m;
    m.flood = true;
    sim.setMisbehaviour(m);

    TestRecorder recorder;
    for (int round = 0; round < 6; ++round) {
        auto* conn = new CHttpConnect;
        StreamProbe probe(conn, false, 16);
        conn->SetRecordPtr(&recorder);
        conn->setDisplayScreen(0, 16);
        conn->Connect(MakeDvr(sim, false, 0xFFFF), LiveParam());
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
    EXPECT_GT(recorder.count(), 0);
}
