// A live recording to PC files that ends without the operator's asking (its DVR connection
// fails, another mode is chosen): the operator is told once that it stopped, why, whose it was
// and where its files are, and what was recorded stays.

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
        window->setConnectionTimings(RECONNECT_MS, 60000);
    }
    static constexpr int RECONNECT_MS = 1000;
    bool record()
    {
        if (!rig.connect())
            return false;
        window->slotChangedScreen(0, 0);
        rig.button("RecToPC")->click();
        if (!rig.button("RecToPC")->isChecked())
            return false;
        QTest::qWait(1500);
        return true;
    }
    bool loseWhileRecording()
    {
        if (!record())
            return false;
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

    QString endedText() const
    {
        return QString("The recording of \"Office\" ended before you stopped it. The files written so far are in \"%1\".")
            .arg(QDir::toNativeSeparators(QDir(records.path()).filePath("Office")));
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
    EXPECT_EQ(r.rig.prompt.messages.first().section('\n', 0, 0), QStringLiteral("Recording stopped: Connection failed"));
}

TEST(WindowRecordingLost, TheOperatorIsToldWhoseRecordingItWasAndWhereItsFilesAre)
{
    RecordingLost r;
    ASSERT_TRUE(r.loseWhileRecording());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !r.rig.prompt.messages.isEmpty(); }, 5000));
    EXPECT_EQ(r.rig.prompt.messages.first().section('\n', 1).toStdString(), r.endedText().toStdString());
}

TEST(WindowRecordingLost, TheOperatorIsToldOnce)
{
    RecordingLost r;
    ASSERT_TRUE(r.loseWhileRecording());
    // The reconnects that follow fail too.
    QTest::qWait(2 * RecordingLost::RECONNECT_MS + 1000);
    EXPECT_EQ(r.rig.prompt.messages.size(), 1);
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

// Each menu button that leaves Live S for a mode without the DVR's live picture.
class RecordingEndedByAButton : public ::testing::TestWithParam<const char*> {};

TEST_P(RecordingEndedByAButton, TellsThatTheRecordingStoppedAndWhereItsFilesAre)
{
    RecordingLost r;
    ASSERT_TRUE(r.record());
    r.rig.button(GetParam())->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !r.rig.prompt.messages.isEmpty(); }, 5000));
    EXPECT_EQ(r.rig.prompt.messages.join('|').toStdString(),
              ("Recording stopped: another mode was chosen\n" + r.endedText()).toStdString());
}

INSTANTIATE_TEST_SUITE_P(MenuButtons, RecordingEndedByAButton,
                         ::testing::Values("LiveM", "Search", "Playback", "Backup", "EMap", "Information", "Setup"),
                         [](const ::testing::TestParamInfo<const char*>& button) { return std::string(button.param); });

TEST(WindowRecordingLost, TheRecordButtonStopsARecordingWithoutAWord)
{
    RecordingLost r;
    ASSERT_TRUE(r.record());
    r.rig.button("RecToPC")->click();
    QTest::qWait(500);
    EXPECT_TRUE(r.rig.prompt.messages.isEmpty());
}
