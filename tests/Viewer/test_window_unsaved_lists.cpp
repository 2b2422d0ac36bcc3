// Closing the window while an edit of the DVR list or the e-map list could not be saved: one
// more try, and the operator's word before the changes are lost.

#include <cerrno>
#include <cstring>

#include <QFile>
#include <QWindow>

#include "EMap/EMapList.h"
#include "window_test_util.h"

using namespace windowtest;

namespace {

// What closing asks when the list's edits cannot be saved because its file is read-only.
std::string Question(const char* list)
{
    return QString("The changes to the %1 are not saved (%2).\nClose the program all the same? These changes are lost then.")
        .arg(list, QString::fromLocal8Bit(std::strerror(EACCES)))
        .toStdString();
}

// A window whose lists are made read-only, then edited.
struct UnsavedEdit {
    UnsavedEdit() { window = &rig.open(); }
    QString file(const char* name) const { return rig.sandbox.appDir() + "/" + name; }
    void readOnly(const char* name) const { ASSERT_TRUE(QFile::setPermissions(file(name), QFileDevice::ReadOwner)); }
    void writable(const char* name) const
    {
        ASSERT_TRUE(QFile::setPermissions(file(name), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }
    // A group added to the DVR list while its file is read-only.
    void addDvrGroup()
    {
        readOnly("DVRlist.pb");
        rig.prompt.texts = {"Added"};
        window->dvrTree()->addGroup();
        rig.prompt.questions.clear();  // the group's name
    }
    // A group added to the e-map list while its file is read-only.
    void addMapGroup()
    {
        ASSERT_TRUE(CControlEMapList().Save(EMapGroupList()));
        readOnly("EMaplist.pb");
        EMapList group;
        group.set_name("Added");
        window->emapList()->addGroup(group, false);
        window->emapList()->saveEMapList();
    }

    WindowRig rig;
    Viewer* window = nullptr;
};

}  // namespace

TEST(UnsavedLists, ClosingAsksBeforeUnsavedDvrListChangesAreLost)
{
    UnsavedEdit e;
    e.addDvrGroup();
    e.window->close();
    EXPECT_EQ(e.rig.prompt.questions.join('|').toStdString(), Question("DVR list"));
}

TEST(UnsavedLists, ClosingAsksBeforeUnsavedMapListChangesAreLost)
{
    UnsavedEdit e;
    e.addMapGroup();
    e.window->close();
    EXPECT_EQ(e.rig.prompt.questions.join('|').toStdString(), Question("e-map list"));
}

TEST(UnsavedLists, TheWindowStaysOpenWhenTheOperatorSaysNo)
{
    UnsavedEdit e;
    e.addDvrGroup();
    e.rig.prompt.yesNo = {false};
    e.window->close();
    EXPECT_TRUE(e.window->isVisible());
}

TEST(UnsavedLists, TheWindowClosesWhenTheOperatorSaysYes)
{
    UnsavedEdit e;
    e.addDvrGroup();
    e.rig.prompt.yesNo = {true};
    e.window->close();
    EXPECT_FALSE(e.window->isVisible());
}

TEST(UnsavedLists, ChangesThatCanBeSavedAtTheCloseAreSavedWithoutAQuestion)
{
    UnsavedEdit e;
    e.addDvrGroup();
    e.writable("DVRlist.pb");
    e.window->close();
    EXPECT_TRUE(e.rig.prompt.questions.isEmpty());
    const GroupList stored = CControlDVRList().Load();
    EXPECT_EQ(stored.group(stored.group_size() - 1).name(), "Added");
}

namespace {

// The full-screen wall closed by the window manager (Alt+F4, the title bar's X): a close
// event on its own top-level window, as the platform delivers it.
void CloseTheWallAsTheWindowManagerDoes(UnsavedEdit& e)
{
    e.rig.button("SingleFull")->click();
    ASSERT_TRUE(e.window->displayWidget()->isFullScreen());
    ASSERT_TRUE(e.window->displayWidget()->windowHandle());
    e.window->displayWidget()->windowHandle()->close();
    e.rig.settle();
}

}  // namespace

TEST(UnsavedLists, ClosingTheFullScreenWallAsTheWindowManagerDoesAsksAsTheWindowsCloseDoes)
{
    UnsavedEdit e;
    e.addDvrGroup();
    e.rig.prompt.yesNo = {false};
    CloseTheWallAsTheWindowManagerDoes(e);
    EXPECT_EQ(e.rig.prompt.questions.join('|').toStdString(), Question("DVR list"));
}

TEST(UnsavedLists, AWallClosedByTheWindowManagerComesBackIntoTheWindowWhenTheOperatorSaysNo)
{
    UnsavedEdit e;
    e.addDvrGroup();
    e.rig.prompt.yesNo = {false};
    CloseTheWallAsTheWindowManagerDoes(e);
    EXPECT_TRUE(e.window->isVisible());
    EXPECT_FALSE(e.window->displayWidget()->isFullScreen());
    EXPECT_EQ(e.window->displayWidget()->parentWidget(), e.window->form().DisplayFrame);
}

TEST(UnsavedLists, AWallClosedByTheWindowManagerClosesTheWindowWhenTheOperatorSaysYes)
{
    UnsavedEdit e;
    e.addDvrGroup();
    e.rig.prompt.yesNo = {true};
    CloseTheWallAsTheWindowManagerDoes(e);
    EXPECT_FALSE(e.window->isVisible());
    EXPECT_FALSE(e.window->displayWidget()->isVisible());
}
