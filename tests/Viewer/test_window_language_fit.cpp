// Every text of the window's panels, the configuration pages and PC setup fits its widget at
// the window's default size, in each language: at a start in it and after switching to it.

#include <QStackedWidget>
#include <QTabWidget>

#include "DVRSetup/SetupEtc.h"
#include "DVRSetup/SetupWidget.h"
#include "DVRSetup/Upgrade.h"
#include "LiveCtrl/LiveCtrlWidget.h"
#include "Settings/Language.h"
#include "language_rig.h"
#include "support/TextFit.h"

using namespace windowtest;

namespace {

// Walks the window through what an operator can show and lists every text cut off.
class CutOffWalk {
public:
    CutOffWalk(LanguageRig& rig, const QString& name) : m_rig(rig), m_window(*rig.window), m_name(name) {}

    QStringList run()
    {
        livePanels();
        for (const char* mode : {"LiveM", "Search", "Playback", "Backup", "Information"}) {
            m_rig.button(mode)->click();
            look(mode, &m_window);
        }
        m_rig.button("LiveS")->click();
        m_rig.button("EMap")->click();
        look("EMapView", &m_window);
        m_rig.button("EMapEdit")->click();
        look("EMapEdit", &m_window);
        m_rig.button("EMapExit")->click();
        configurationPages();
        pcSetup();
        return m_lines;
    }

private:
    void look(const QString& where, const QWidget* root)
    {
        QCoreApplication::processEvents();
        uitest::Screenshot(const_cast<QWidget*>(root), m_name + " " + where);
        for (const QString& line : uitest::CutOffTexts(root))
            m_lines << where + " | " + line;
    }

    // The panel's own buttons wait for a connection; its pages are shown directly.
    void livePanels()
    {
        m_rig.button("LiveS")->click();
        auto* panel = m_window.findChild<CLiveCtrlWidget*>();
        for (int page = CLiveCtrlWidget::PAGE_PTZ; page <= CLiveCtrlWidget::PAGE_PICTURE; ++page) {
            panel->changeWidget(page);
            look(QStringLiteral("LiveS, panel %1").arg(page), &m_window);
        }
        panel->changeWidget(CLiveCtrlWidget::PAGE_PTZ);
    }

    void configurationPages()
    {
        m_rig.button("Setup")->click();
        auto* tabs = m_window.setupWidget()->findChild<QTabWidget*>(QStringLiteral("tabWidget"));
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            look("Configuration " + tabs->tabText(i), &m_window);
        }
        // Upgrade and Date & Time wait for a connected DVR; their panels are shown as those
        // buttons show them.
        CSetupWidget* setup = m_window.setupWidget();
        for (QWidget* panel : {static_cast<QWidget*>(setup->findChild<CUpgrade*>()),
                               static_cast<QWidget*>(setup->findChild<CSetupEtc*>())}) {
            tabs->hide();
            panel->resize(setup->width() - 10, setup->height() - 10);
            panel->show();
            look(QStringLiteral("Configuration ") + panel->metaObject()->className(), &m_window);
            panel->hide();
            tabs->show();
        }
        m_rig.button("configExit")->click();
    }

    void pcSetup()
    {
        m_rig.button("PCSetup")->click();
        CPCSetupDialog* dialog = m_window.pcSetupDialog();
        auto* tabs = dialog->findChild<QTabWidget*>(QStringLiteral("tabs"));
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            look("PC Setup " + tabs->tabText(i), dialog);
        }
        dialog->reject();
    }

    LanguageRig& m_rig;
    Viewer& m_window;
    const QString m_name;
    QStringList m_lines;
};

// The language a case runs in.
class WindowTextFit : public ::testing::TestWithParam<std::string> {
protected:
    static QString language() { return QString::fromStdString(GetParam()); }
};

std::vector<std::string> Languages()
{
    std::vector<std::string> out;
    CLanguage languages;
    for (const QString& name : languages.getLanguageName())
        out.push_back(name.toStdString());
    return out;
}

}  // namespace

TEST_P(WindowTextFit, EveryTextFitsAtAStartInTheLanguage)
{
    LanguageRig rig(language());
    const QStringList cut = CutOffWalk(rig, language() + " start").run();
    EXPECT_TRUE(cut.isEmpty()) << cut.join('\n').toStdString();
}

TEST_P(WindowTextFit, EveryTextFitsAfterASwitchToTheLanguage)
{
    const QString before = language() == "English" ? "French" : "English";
    LanguageRig rig(before);
    // Every page seen once before the switch, as sized for the first language.
    CutOffWalk(rig, before + " before").run();
    rig.chooseLanguage(language());
    const QStringList cut = CutOffWalk(rig, language() + " switch").run();
    EXPECT_TRUE(cut.isEmpty()) << cut.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowTextFit, ::testing::ValuesIn(Languages()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return QString::fromStdString(info.param).remove(QRegularExpression("[^A-Za-z0-9]")).toStdString();
                         });
