// The main window's form: the objects the window finds by name, its button groups, its
// pictures and the style sheet.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeySequence>
#include <QPixmap>
#include <QRegularExpression>

#include "ViewerForm.h"

namespace {

struct Form {
    Form() { ui.setupUi(&window); }
    QWidget* find(const QString& name) const { return window.findChild<QWidget*>(name); }
    QWidget window;
    Ui_ViewerClass ui;
};

std::string Sorted(QStringList names)
{
    names.sort();
    return names.join(' ').toStdString();
}

TEST(ViewerForm, ObjectsTheWindowLooksUpHaveTheirKindAndParent)
{
    const struct { const char* kind; const char* parent; QStringList names; } objects[] = {
        {"QFrame", "ViewerClass", {"MainFrame", "DisplayFrame", "SystemButtons", "ControlMenu"}},
        {"QStackedWidget", "ViewerClass", {"bottomWidget"}},
        {"QLabel", "MainFrame", {"Logo", "CheckSpeed"}},
        {"QStackedWidget", "MainFrame", {"MainMenu"}},
        {"QPushButton", "MainPage", {"LiveS", "Search", "EMap", "Setup", "PCSetup"}},
        {"QPushButton", "EMapPage", {"EMapView", "EMapSetup", "EMapExit"}},
        {"QPushButton", "configPage", {"open", "setupModel", "dateTime", "configExit"}},
        {"QPushButton", "bottomEMapPage", {"emapLogSave"}},
        {"QPushButton", "SystemButtons", {"Minimize", "Maximize", "Exit"}},
        {"QStackedWidget", "ControlMenu", {"controlScreen", "functionWidget"}},
        {"QFrame", "SScreen", {"SingleScreenGroup", "MultiScreenGroup"}},
        {"QFrame", "MScreen", {"PageScreenGroup"}},
        {"QPushButton", "MultiScreenGroup", {"Sequence", "SingleFull"}},
        {"QPushButton", "PageScreenGroup", {"MultiFull", "PrevPage", "NextPage"}},
        {"QLabel", "PageScreenGroup", {"multiPage"}},
        {"QPushButton", "LivePage", {"DigitalZoom", "Capture", "RecToPC", "RecToDVR"}},
        {"QPushButton", "SearchPage", {"DigitalZoom_PB", "Capture_PB"}},
        {"QPushButton", "PlaybackPage", {"Directory", "searchImage"}},
        {"QWidget", "bottomWidget", {"bottomLivePage", "bottomPlaybackPage", "bottomBackupPage"}},
    };
    Form form;
    for (const auto& group : objects)
        for (const QString& name : group.names) {
            const QWidget* w = form.find(name);
            ASSERT_NE(w, nullptr) << name.toStdString();
            EXPECT_STREQ(w->metaObject()->className(), group.kind) << name.toStdString();
            EXPECT_EQ(w->parentWidget()->objectName(), group.parent) << name.toStdString();
        }
}

TEST(ViewerForm, LayoutButtonListsHaveTheNamesTheWindowParses)
{
    Form form;
    const auto pick = [&](const char* group, const char* pattern, const char* drop) {
        QStringList names;
        for (QPushButton* b : form.find(group)->findChildren<QPushButton*>(QRegularExpression(pattern)))
            names << b->objectName().remove(drop);
        return names;
    };
    EXPECT_EQ(pick("SingleScreenGroup", "Ch[0-9]", "Ch").size(), 16);
    EXPECT_EQ(Sorted(pick("MultiScreenGroup", "Screen*_*", "Screen")), "16_0 4_0 4_12 4_4 4_8 9_0 9_7");
    EXPECT_EQ(Sorted(pick("PageScreenGroup", "Screen*x*", "Screen")), "2x2 3x3 4x4 5x5 6x6 7x7 8x8");
}

TEST(ViewerForm, ExclusiveGroupsCheckOneButtonAndLayoutButtonsStayIndependent)
{
    const struct { const char* click; const char* checked; } steps[] = {
        {"Search", "Search EMapView Screen16_0 Screen8x8"},
        {"PCSetup", "PCSetup EMapView Screen16_0 Screen8x8"},
        {"EMapSetup", "PCSetup EMapView Screen16_0 Screen8x8"},
        {"EMapEdit", "PCSetup EMapEdit Screen16_0 Screen8x8"},
        {"EMapExit", "PCSetup EMapExit Screen16_0 Screen8x8"},
        {"Ch3", "PCSetup EMapExit Ch3 Screen16_0 Screen8x8"},
        {"Screen4_4", "PCSetup EMapExit Ch3 Screen4_4 Screen16_0 Screen8x8"},
        {"Screen2x2", "PCSetup EMapExit Ch3 Screen4_4 Screen16_0 Screen2x2 Screen8x8"},
    };
    Form form;
    for (const auto& step : steps) {
        static_cast<QPushButton*>(form.find(step.click))->click();
        QStringList checked;
        for (QPushButton* b : form.window.findChildren<QPushButton*>())
            if (b->isChecked())
                checked << b->objectName();
        EXPECT_EQ(Sorted(checked), Sorted(QString(step.checked).split(' '))) << "after " << step.click;
    }
}

TEST(ViewerForm, TextsAndRetranslation)
{
    Form form;
    const QString dateTime = form.ui.dateTime->text();
    EXPECT_TRUE(QKeySequence::mnemonic(dateTime).isEmpty());  // "&&" is a literal ampersand
    EXPECT_EQ(QString(dateTime).replace("&&", "&"), "Date & Time");
    form.ui.CheckSpeed->setText("30 FPS / 4000");
    form.ui.multiPage->setText("1/4");
    form.ui.retranslateUi(&form.window);
    EXPECT_TRUE(form.ui.CheckSpeed->text().isEmpty());
    EXPECT_TRUE(form.ui.multiPage->text().isEmpty());
}

TEST(ViewerForm, PicturesAndStyleSheetLoad)
{
    Form form;
    int iconOnly = 0;
    for (QPushButton* b : form.window.findChildren<QPushButton*>()) {
        if (!b->text().isEmpty())
            continue;
        ++iconOnly;
        EXPECT_FALSE(b->icon().pixmap(b->iconSize()).isNull()) << b->objectName().toStdString();
    }
    EXPECT_EQ(iconOnly, 21);
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
    EXPECT_TRUE(styled.ui.LiveS->font().bold());
    EXPECT_FALSE(plain.font().bold());
    qApp->setStyleSheet(QString());
}

}  // namespace
