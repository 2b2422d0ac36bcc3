// The main window recording a live DVR to PC files when the recording folder is removed: the
// recording stops, the Record button says so and the operator is told why.

#include <QTemporaryDir>

#include "window_test_util.h"

using namespace windowtest;

namespace {

// One DVR live in Live S, recorded into AVI files (the format that wrote on into removed
// files) until its folder is removed.
struct RecordingRemoved {
    RecordingRemoved()
    {
        rig.addDvr("Office", false, 4);
        CAppSettings settings;
        settings.writeSetting(CAppSettings::PATH_LIST[1], records.path());
        settings.writeSetting(CAppSettings::FILE_FORMAT, 1);
        window = &rig.open();
    }
    // True once the recording had the files of all four channels and its folder was removed:
    // a channel whose file began later would be told of the folder by its creation.
    bool removeWhileRecording()
    {
        if (!rig.connect())
            return false;
        window->slotChangedScreen(0, 0);
        rig.button("RecToPC")->click();
        if (!rig.button("RecToPC")->isChecked())
            return false;
        QDir folder(records.filePath("Office"));
        if (!QTest::qWaitFor([&] { return folder.entryList({"*.avi"}, QDir::Files).size() == 4; }, 15000))
            return false;
        return folder.removeRecursively();
    }

    QTemporaryDir records;
    WindowRig rig;
    Viewer* window = nullptr;
};

}  // namespace

TEST(WindowRecordRemoved, TheRecordButtonIsReleasedWhenTheFolderIsRemoved)
{
    RecordingRemoved r;
    ASSERT_TRUE(r.removeWhileRecording());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !r.rig.button("RecToPC")->isChecked(); }, 20000));
}

TEST(WindowRecordRemoved, TheOperatorIsToldWhichFileWasRemoved)
{
    RecordingRemoved r;
    ASSERT_TRUE(r.removeWhileRecording());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !r.rig.prompt.messages.isEmpty(); }, 20000));
    ASSERT_EQ(r.rig.prompt.messages.size(), 1);
    const QString text = r.rig.prompt.messages.first().section('\n', 0, 0);
    EXPECT_TRUE(text.startsWith("Recording stopped: Cannot write " + r.records.filePath("Office/")))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(".avi (the file was removed or replaced)")) << text.toStdString();
}
