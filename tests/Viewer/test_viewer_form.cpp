// The main window's form: its pages and button groups, its pictures and the style sheet.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeySequence>
#include <QPixmap>
#include <QRegularExpression>

#include "ViewerForm.h"

namespace {

struct Form {
    Form() { ui.setupUi(&window); }
    QWidget* find(const QString& name) { return name == "ViewerClass" ? &window : window.findChild<QWidget*>(name); }
    // The sorted names of the buttons below `parent` matching `pattern`, or only the checked ones.
    std::string buttons(const char* parent, const char* pattern, bool checkedOnly = false)
    {
        QStringList names;
        for (QPushButton* b : find(parent)->findChildren<QPushButton*>(QRegularExpression(pattern)))
            if (!checkedOnly || b->isChecked())
                names << b->objectName();
        names.sort();
        return names.join(' ').toStdString();
    }
    QWidget window;
    Ui_ViewerClass ui;
};

TEST(ViewerForm, ObjectsSitInThePagesAndGroupsTheWindowSwitchesAndCollects)
{
    const std::pair<const char*, const char*> children[] = {
        {"ViewerClass", "MainFrame DisplayFrame SystemButtons ControlMenu bottomWidget"},
        {"MainPage", "LiveS Search EMap Setup PCSetup"}, {"EMapPage", "EMapView EMapSetup EMapExit"},
        {"configPage", "open setupModel dateTime configExit"}, {"bottomEMapPage", "emapLogSave"},
        {"ControlMenu", "controlScreen functionWidget"}, {"MultiScreenGroup", "Sequence SingleFull"},
        {"PageScreenGroup", "MultiFull PrevPage NextPage multiPage"},
        {"LivePage", "DigitalZoom Capture RecToPC RecToDVR"}, {"SearchPage", "DigitalZoom_PB Capture_PB"},
        {"PlaybackPage", "Directory searchImage"},
        {"bottomWidget", "bottomLivePage bottomPlaybackPage bottomBackupPage"},
    };
    Form form;
    for (const auto& [parent, names] : children)
        for (const QString& name : QString(names).split(' ')) {
            const QWidget* w = form.find(name);
            EXPECT_EQ(w ? w->parentWidget()->objectName() : "(missing)", parent) << name.toStdString();
        }
    EXPECT_EQ(form.find("SingleScreenGroup")->findChildren<QPushButton*>(QRegularExpression("Ch[0-9]")).size(), 16);
    EXPECT_EQ(form.buttons("MultiScreenGroup", "^Screen[0-9]+_[0-9]+$"),
              "Screen16_0 Screen4_0 Screen4_12 Screen4_4 Screen4_8 Screen9_0 Screen9_7");
    EXPECT_EQ(form.buttons("PageScreenGroup", "^Screen[0-9]+x[0-9]+$"),
              "Screen2x2 Screen3x3 Screen4x4 Screen5x5 Screen6x6 Screen7x7 Screen8x8");
}

TEST(ViewerForm, ExclusiveGroupsCheckOneButtonAndLayoutButtonsStayIndependent)
{
    const std::pair<const char*, const char*> steps[] = {
        {"Search", "EMapView Screen16_0 Screen8x8 Search"},
        {"PCSetup", "EMapView PCSetup Screen16_0 Screen8x8"},
        {"EMapSetup", "EMapView PCSetup Screen16_0 Screen8x8"},
        {"EMapEdit", "EMapEdit PCSetup Screen16_0 Screen8x8"},
        {"EMapExit", "EMapExit PCSetup Screen16_0 Screen8x8"},
        {"Ch3", "Ch3 EMapExit PCSetup Screen16_0 Screen8x8"},
        {"Screen4_4", "Ch3 EMapExit PCSetup Screen16_0 Screen4_4 Screen8x8"},
        {"Screen2x2", "Ch3 EMapExit PCSetup Screen16_0 Screen2x2 Screen4_4 Screen8x8"},
    };
    Form form;
    for (const auto& [click, checked] : steps) {
        static_cast<QPushButton*>(form.find(click))->click();
        EXPECT_EQ(form.buttons("ViewerClass", "", true), checked) << "after " << click;
    }
}

TEST(ViewerForm, TextsPicturesAndStyleSheet)
{
    Form form;
    EXPECT_TRUE(QKeySequence::mnemonic(form.ui.dateTime->text()).isEmpty());  // "&&" is a literal ampersand
    for (QPushButton* b : form.window.findChildren<QPushButton*>())
        if (b->text().isEmpty())
            EXPECT_FALSE(b->icon().pixmap(b->iconSize()).isNull()) << b->objectName().toStdString();
    const QPixmap logo(":/Viewer/files/images/logo.png");  // the window sets these two itself
    EXPECT_TRUE(!logo.isNull() && logo.width() <= 125 && logo.height() <= 61);
    EXPECT_FALSE(QPixmap(":/Viewer/files/images/Restore.png").isNull());

    const QString sheet = ViewerStyleSheet();
    ASSERT_FALSE(sheet.isEmpty());
    for (const QRegularExpressionMatch& url : QRegularExpression(R"(url\(([^)]+)\))").globalMatch(sheet))
        EXPECT_FALSE(QPixmap(url.captured(1)).isNull()) << url.captured(1).toStdString();
    // The thick-border rule reaches buttons by their dynamic property.
    qApp->setStyleSheet(sheet);
    Form styled;
    QPushButton plain(&styled.window);
    styled.ui.LiveS->ensurePolished();
    plain.ensurePolished();
    EXPECT_TRUE(styled.ui.LiveS->font().bold() && !plain.font().bold());
    qApp->setStyleSheet(QString());
}

}  // namespace
