// A live recording to PC files whose DVR connection fails: the operator is told that the
// recording stopped and why, and what was recorded stays.

#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

#include "window_test_util.h"

using namespace windowtest;

namespace {

// One DVR live in Live S, recorded to raw files, until the DVR goes away: it ends the stream
// and refuses the next.
struct RecordingLost {
    RecordingLost()
    {
        sim = &rig.addDvr("Office", false, 4);
        CAppSettings().writeSetting(CAppSettings::PATH_LIST[1], records.path());
        window = &rig.open();
    }
    bool loseWhileRecording()
    {
        if (!rig.connect())
            return false;
        window->slotChangedScreen(0, 0);
        rig.button("RecToPC")->click();
        if (!rig.button("RecToPC")->isChecked())
            return false;
        QTest::qWait(1500);
        sim->setRefusing(true);
        sim->closeStreams();
        return QTest::qWaitFor([&] { return window->connections()[0]->reconnectPending(); }, 20000);
    }
    qint64 recordedBytes() const
    {
        qint64 total = 0;
        QDirIterator it(records.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            total += QFileInfo(it.next()).size();
        return total;
    }

    QTemporaryDir records;
    WindowRig rig;
    simdvr::CSimDvr* sim = nullptr;
    Viewer* window = nullptr;
};

}  // namespace

TEST(WindowRecordingLost, TheOperatorIsToldThatTheRecordingStoppedWithTheConnection)
{
    RecordingLost r;
    ASSERT_TRUE(r.loseWhileRecording());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !r.rig.prompt.messages.isEmpty(); }, 5000));
    EXPECT_EQ(r.rig.prompt.messages.first(), QStringLiteral("Recording stopped: Connection failed"));
}

TEST(WindowRecordingLost, TheRecordButtonIsReleased)
{
    RecordingLost r;
    ASSERT_TRUE(r.loseWhileRecording());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !r.rig.button("RecToPC")->isChecked(); }, 5000));
}

TEST(WindowRecordingLost, WhatWasRecordedIsKept)
{
    RecordingLost r;
    ASSERT_TRUE(r.loseWhileRecording());
    QTest::qWait(500);
    EXPECT_GT(r.recordedBytes(), 0);
}
