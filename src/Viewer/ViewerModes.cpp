// Modes, bottom pages, screen layouts, full screen and the status bar.
#include "Viewer.h"

#include <QDebug>
#include <QLabel>
#include <QTimer>

#include "Common/Prompt.h"
#include "ConnectDVR.h"
#include "DVRInfo/DVRInfoWidget.h"
#include "DVRList/DVRListTree.h"
#include "DVRSetup/SetupWidget.h"
#include "Display/CheckSpeed.h"
#include "Display/DisplayWidget.h"
#include "EMap/EMapList.h"
#include "EMap/EMapWidget.h"
#include "PCSetup/PCSetupDialog.h"
#include "Playback/BackupWidget.h"
#include "Playback/PlaybackWidget.h"
#include "Settings/AppSettings.h"

// ---- shared helpers ----------------------------------------------------------------------

void Viewer::restoreLater() { QTimer::singleShot(RESTORE_DELAY_MS, this, &Viewer::restoreScreen); }

void Viewer::uncheck(const QList<QPushButton*>& buttons)
{
    for (QPushButton* b : buttons)
        b->setChecked(false);
}

void Viewer::exitZoom()
{
    m_ui.DigitalZoom->setChecked(false);
    m_ui.DigitalZoom_PB->setChecked(false);
    if (m_displayWidget->IsZoom())
        m_displayWidget->setZoom(false);
}

void Viewer::stopSequence()
{
    if (m_ui.Sequence->isChecked()) {
        m_displayWidget->setSequence(false);
        m_ui.Sequence->setChecked(false);
    }
}

// Only a backup's end time and its Stop end it without a word.
void Viewer::stopBackup() { endBackupEarly(); }

void Viewer::stopLocalPlayback()
{
    if (m_playbackWidget->IsLocalPlayback()) {
        m_displayWidget->stop();
        m_playbackWidget->PlayStop();
    }
}

void Viewer::stopDisplay()
{
    for (CConnectDVR* c : std::as_const(m_connectList))
        if (c)
            c->resetDisplayWidget();
    if (m_playbackWidget->IsLocalPlayback())
        m_playbackWidget->disconnectSignal();
    m_displayWidget->ClearScreen();
    m_timeLabel->clear();
    m_dvrLabel->clear();
    m_statusLabel->clear();
    gCheckSpeed.reset();
}

void Viewer::restoreScreen()
{
    m_displayWidget->ClearScreen();
    m_timeLabel->clear();
    gCheckSpeed.reset();
    updateDisplayScreen();
    // stopDisplay emptied the DVR label, and in Live M the current DVR may have changed.
    showCurrentDvr();
    if (m_ui.controlScreen->currentWidget() == m_ui.MScreen) {
        for (CConnectDVR* c : std::as_const(m_connectList))
            if (c)
                c->updateStatus();
    } else if (CConnectDVR* c = currentConnection()) {
        c->updateStatus();
    }
    if (m_playbackWidget->IsLocalPlayback())
        m_playbackWidget->connectSignal();
}

void Viewer::setDisplayMode(VIEW_MODE page)
{
    m_ui.DisplayFrame->show();
    m_ui.ControlMenu->show();
    m_ui.bottomWidget->show();
    m_ui.CheckSpeed->setVisible(page != VIEW_EMAP);
    m_setupWidget->hide();
    m_dvrInfoWidget->hide();
    m_ui.bottomWidget->setCurrentIndex(page);
    m_ui.bottomWidget->setFixedHeight(page == VIEW_LIVE ? 130 : 190);
}

void Viewer::controlDisplayArea(bool show)
{
    if (m_imageLabel && m_imageLabel->isVisible()) {
        m_ui.displayLayout->removeWidget(m_imageNameLabel);
        m_ui.displayLayout->removeWidget(m_imageLabel);
        m_imageLabel->hide();
        m_imageNameLabel->hide();
    }
    if (show) {
        m_ui.CheckSpeed->show();
        if (m_ui.displayLayout->indexOf(m_statusBar) < 0)
            m_ui.displayLayout->addWidget(m_statusBar);
        if (m_ui.displayLayout->indexOf(m_displayWidget) < 0)
            m_ui.displayLayout->addWidget(m_displayWidget);
        m_statusBar->show();
        m_displayWidget->show();
        for (QLabel* label : {m_dvrLabel, m_timeLabel, m_statusLabel})
            label->show();
    } else {
        m_displayWidget->hide();
        for (QLabel* label : {m_dvrLabel, m_timeLabel, m_statusLabel})
            label->hide();
        m_ui.displayLayout->removeWidget(m_statusBar);
        m_ui.displayLayout->removeWidget(m_displayWidget);
        m_statusBar->hide();
        m_ui.CheckSpeed->hide();
    }
}

// A mode that shows no live picture of the DVR ends its recording to the PC, and says so.
void Viewer::endRecordingForModeChange()
{
    for (CConnectDVR* c : std::as_const(m_connectList))
        if (c)
            c->endRecording(tr("another mode was chosen"));
}

void Viewer::hideDisplayWidget()
{
    endRecordingForModeChange();
    exitZoom();
    stopSequence();
    m_ui.DisplayFrame->hide();
    m_ui.ControlMenu->hide();
    m_ui.bottomWidget->hide();
    m_ui.CheckSpeed->hide();
    stopBackup();
    stopLocalPlayback();
    stopDisplay();
}

void Viewer::readyForSearch()
{
    m_ui.controlScreen->setCurrentWidget(m_ui.SScreen);
    m_displayWidget->setScreenMode(CDisplayWidget::SCREEN_SINGLE_DVR);
    stopBackup();
    stopLocalPlayback();
    stopDisplay();
    uncheck(m_multiScreenButtons);
    uncheck(m_chButtons);
    m_displayWidget->setScreens(16);
    m_ui.Screen16_0->setChecked(true);
    restoreLater();
}

// Search, Playback and Backup: one DVR's 16 screens, the panel of the page, nothing left running.
void Viewer::enterSearch(VIEW_MODE page)
{
    endRecordingForModeChange();
    controlDisplayArea(true);
    exitZoom();
    stopSequence();
    readyForSearch();
    setDisplayMode(page);
}

void Viewer::setFunctionWidget()
{
    const int page = m_ui.bottomWidget->currentIndex();
    if (page == VIEW_BACKUP || page == VIEW_EMAP) {
        m_ui.functionWidget->hide();
        return;
    }
    m_ui.functionWidget->show();
    if (m_menuMode == MENU_LIVE_S || m_menuMode == MENU_LIVE_M)
        m_ui.functionWidget->setCurrentWidget(m_ui.LivePage);
    else if (m_menuMode == MENU_SEARCH)
        m_ui.functionWidget->setCurrentWidget(m_ui.SearchPage);
    else if (m_menuMode == MENU_PLAYBACK)
        m_ui.functionWidget->setCurrentWidget(m_ui.PlaybackPage);
}

void Viewer::updateTitle()
{
    if (m_menuMode == MENU_LIVE_M) {
        m_timeLabel->clear();
        if (m_timeLabel->isEnabled()) {
            m_timeLabel->setEnabled(false);
            disconnect(m_displayWidget, &CDisplayWidget::signalUpdateTime, m_timeLabel, &QLabel::setText);
        }
    } else if (!m_timeLabel->isEnabled()) {
        m_timeLabel->setEnabled(true);
        connect(m_displayWidget, &CDisplayWidget::signalUpdateTime, m_timeLabel, &QLabel::setText);
    }
    if (m_menuMode == MENU_SEARCH || m_menuMode == MENU_PLAYBACK) {
        if (!m_statusLabel->isEnabled()) {
            m_statusLabel->setEnabled(true);
            connect(m_displayWidget, &CDisplayWidget::signalChangedStatus, m_statusLabel, &QLabel::setText);
        }
    } else {
        m_statusLabel->clear();
        if (m_statusLabel->isEnabled()) {
            m_statusLabel->setEnabled(false);
            disconnect(m_displayWidget, &CDisplayWidget::signalChangedStatus, m_statusLabel, &QLabel::setText);
        }
    }
}

// The main menu's button of a mode; null for the modes without one (5, 6, 9).
QPushButton* Viewer::menuButton(int mode) const
{
    QPushButton* const buttons[] = {m_ui.LiveS,  m_ui.LiveM, m_ui.Search, m_ui.Playback, m_ui.Backup,
                                    nullptr,     nullptr,    m_ui.Information, m_ui.Setup, nullptr};
    return mode >= 0 && mode < int(std::size(buttons)) ? buttons[mode] : nullptr;
}

void Viewer::clickMenuButton(int mode)
{
    if (QPushButton* button = menuButton(mode))
        button->click();
}

void Viewer::setPrevMenu()
{
    // The e-map modes have no menu button of their own: leaving the configuration for them
    // would keep the window in a mode it has left.
    const bool buttonless = m_prevMenuMode == MENU_EMAP_VIEW || m_prevMenuMode == MENU_EMAP_EDIT;
    clickMenuButton(buttonless ? MENU_LIVE_S : m_prevMenuMode);
}

// The connections of the group are stopped and started again in live mode.
void Viewer::startOver()
{
    disconnectDVR(false);
    connectDVR();
}

// ---- modes -------------------------------------------------------------------------------

// What every way into live view does first: no zoom, sequence, backup or local playback left.
void Viewer::enterLive()
{
    controlDisplayArea(true);
    exitZoom();
    stopSequence();
    stopBackup();
    stopLocalPlayback();
    stopDisplay();
}

void Viewer::OnLiveSClicked()
{
    if (m_menuMode == MENU_LIVE_S)
        return;
    enterLive();
    uncheck(m_multiScreenButtons);
    uncheck(m_chButtons);
    m_ui.controlScreen->setCurrentWidget(m_ui.SScreen);
    m_displayWidget->setScreenMode(CDisplayWidget::SCREEN_SINGLE_DVR);
    setDisplayMode(VIEW_LIVE);
    m_displayWidget->setScreens(16);
    m_ui.Screen16_0->setChecked(true);
    if (m_menuMode == MENU_LIVE_M)
        restoreLater();
    else
        startOver();
    m_menuMode = MENU_LIVE_S;
    setFunctionWidget();
    m_ui.RecToPC->setEnabled(true);
    updateDVRInfo();
    updateTitle();
}

void Viewer::OnLiveMClicked()
{
    if (m_menuMode == MENU_LIVE_M)
        return;
    enterLive();
    uncheck(m_pageButtons);
    m_ui.controlScreen->setCurrentWidget(m_ui.MScreen);
    m_displayWidget->setScreenMode(CDisplayWidget::SCREEN_MULTI_DVR);
    setDisplayMode(VIEW_LIVE);
    m_displayWidget->setScreens(64);
    m_ui.Screen8x8->setChecked(true);
    sendChannelCommand(64, 0);
    if (m_menuMode == MENU_LIVE_S)
        restoreLater();
    else
        startOver();
    m_menuMode = MENU_LIVE_M;
    setFunctionWidget();
    endRecordingForModeChange();
    m_ui.RecToPC->setChecked(false);
    m_ui.RecToPC->setEnabled(false);
    updateDVRInfo();
    updateTitle();
    m_ui.multiPage->setText(m_displayWidget->getCurrentPage());
}

void Viewer::OnSearchClicked()
{
    if (m_menuMode == MENU_SEARCH)
        return;
    enterSearch(VIEW_PLAYBACK);
    m_playbackWidget->clear();
    if (CConnectDVR* c = currentConnection()) {
        if (c->IsConnected())
            disconnectDVR(false);
        m_playbackWidget->search(c->getDVR(), c->getDVRChannels(), c->getClientID());
    } else {
        m_playbackWidget->search(DVR(), 16, -1);
    }
    m_menuMode = MENU_SEARCH;
    setFunctionWidget();
    updateTitle();
}

void Viewer::OnPlaybackClicked()
{
    if (m_menuMode == MENU_PLAYBACK)
        return;
    enterSearch(VIEW_PLAYBACK);
    if (CConnectDVR* c = currentConnection(); c && c->IsConnected())
        disconnectDVR(true);
    m_playbackWidget->clear();
    m_playbackWidget->setDisplayWidget(m_displayWidget);
    m_playbackWidget->search(QString());
    m_menuMode = MENU_PLAYBACK;
    setFunctionWidget();
    updateTitle();
    m_displayWidget->repaint();
    OnDirectoryClicked();
}

void Viewer::OnBackupClicked()
{
    if (m_menuMode == MENU_BACKUP)
        return;
    enterSearch(VIEW_BACKUP);
    CConnectDVR* c = currentConnection();
    if (c && c->IsConnected()) {
        disconnectDVR(false);
        m_backupWidget->search(c->getDVR(), c->getDVRChannels(), c->getClientID());
    } else {
        m_backupWidget->clear();
    }
    m_menuMode = MENU_BACKUP;
    setFunctionWidget();
    updateTitle();
}

void Viewer::OnEMapClicked()
{
    m_prevMenuMode = m_menuMode;
    // Before the streams go: a backup ends as Stop ends it, not cut under a running panel.
    stopBackup();
    endRecordingForModeChange();
    disconnectDVR(true);
    m_ui.controlScreen->hide();
    m_ui.verticalLayout->insertWidget(0, m_emapList, 0, Qt::AlignHCenter);
    controlDisplayArea(false);
    setDisplayMode(VIEW_EMAP);
    m_ui.MainMenu->setCurrentWidget(m_ui.EMapPage);
    m_ui.EMapView->click();
}

void Viewer::OnEMapViewClicked()
{
    removeEMap();
    m_dvrTree->hide();
    m_emapList->show();
    m_emapList->setEditable(false);
    m_ui.bottomWidget->show();
    m_ui.emapLogSave->hide();
    m_menuMode = MENU_EMAP_VIEW;
    setFunctionWidget();
}

void Viewer::OnEMapEditClicked()
{
    removeEMap();
    m_dvrTree->setCameraNameShow(true);
    m_dvrTree->show();
    m_emapList->show();
    m_emapList->setEditable(true);
    m_ui.bottomWidget->show();
    m_ui.emapLogSave->hide();
    m_menuMode = MENU_EMAP_EDIT;
    setFunctionWidget();
}

void Viewer::OnEMapExitClicked()
{
    m_ui.MainMenu->setCurrentWidget(m_ui.MainPage);
    m_emapList->hide();
    m_ui.verticalLayout->removeWidget(m_emapList);
    m_ui.controlScreen->show();
    m_dvrTree->setCameraNameShow(false);
    m_dvrTree->show();
    removeEMap();
    controlDisplayArea(true);
    setPrevMenu();
}

void Viewer::OnDVRInformation()
{
    hideDisplayWidget();
    if (CConnectDVR* c = currentConnection()) {
        if (c->IsConnected())
            disconnectDVR(false);
        m_dvrInfoWidget->readData(c->getDVR());
    }
    m_setupWidget->hide();
    m_dvrInfoWidget->show();
    m_menuMode = MENU_INFORMATION;
    setFunctionWidget();
}

void Viewer::OnDVRSetupClicked()
{
    m_prevMenuMode = m_menuMode;
    hideDisplayWidget();
    m_setupWidget->Init();
    if (CConnectDVR* c = currentConnection()) {
        if (c->IsConnected())
            disconnectDVR(false);
        m_setupWidget->readData(c->getDVR(), c->getDVRChannels(),
                                static_cast<config::VideoType>(c->getVideoType()));
    }
    m_dvrInfoWidget->hide();
    m_setupWidget->show();
    m_ui.MainMenu->setCurrentWidget(m_ui.configPage);
    m_menuMode = MENU_CONFIGURATION;
    setFunctionWidget();
}

void Viewer::OnConfigExit()
{
    m_ui.MainMenu->setCurrentWidget(m_ui.MainPage);
    setPrevMenu();
}

void Viewer::OnPCSetupClicked()
{
    m_prevMenuMode = m_menuMode;
    m_menuMode = MENU_PC_SETUP;
    m_codecType = getCodecType();
    m_openGLMode = getOpenGLMode();
    m_pcSetupDialog->loadSettings();
    m_pcSetupDialog->show();
}

// The dialog is modal: the mode it was opened from is still what the window shows.
void Viewer::leavePCSetup()
{
    if (m_menuMode == MENU_PC_SETUP)
        m_menuMode = m_prevMenuMode;
}

void Viewer::OnFinishedPCSetup()
{
    leavePCSetup();
    if (QPushButton* button = menuButton(m_menuMode))
        button->setChecked(true);
}

// ---- screen layouts ----------------------------------------------------------------------

namespace {

// The numbers in a button's name after its prefix, split at the separator; empty parts skipped.
QList<int> NameNumbers(const QObject* button, const QString& prefix, QChar separator)
{
    QList<int> out;
    const QString rest = button->objectName().mid(prefix.size());
    for (const QString& part : rest.split(separator, Qt::SkipEmptyParts))
        out << part.toInt();
    return out;
}

}  // namespace

// A Live S layout button: it alone is checked, and the display shows its cells.
void Viewer::showSingleDvrCells(QPushButton* button, int count, int first)
{
    uncheck(m_multiScreenButtons);
    uncheck(m_chButtons);
    button->setChecked(true);
    exitZoom();
    stopSequence();
    if (count <= 0 || m_displayWidget->IsSameScreen(count, first))
        return;
    stopDisplay();
    m_displayWidget->UpdateDisplayRect(count, first);
    restoreLater();
}

void Viewer::OnClickSingleScreen()
{
    if (auto* button = qobject_cast<QPushButton*>(sender()))
        showSingleDvrCells(button, 1, button->objectName().mid(2).toInt());
}

void Viewer::OnClickMultiScreen()
{
    auto* button = qobject_cast<QPushButton*>(sender());
    if (!button)
        return;
    const QList<int> n = NameNumbers(button, QStringLiteral("Screen"), QLatin1Char('_'));
    showSingleDvrCells(button, n.size() < 2 ? 0 : n[0], n.value(1));
}

void Viewer::OnClickSequence()
{
    uncheck(m_multiScreenButtons);
    uncheck(m_chButtons);
    m_displayWidget->setSequence(m_ui.Sequence->isChecked());
}

void Viewer::OnClickPageScreen()
{
    auto* button = qobject_cast<QPushButton*>(sender());
    if (!button)
        return;
    uncheck(m_pageButtons);
    button->setChecked(true);
    stopSequence();
    const QList<int> n = NameNumbers(button, QStringLiteral("Screen"), QLatin1Char('x'));
    if (n.isEmpty() || m_displayWidget->IsSameScreen(n[0] * n[0], 0))
        return;
    stopDisplay();
    m_displayWidget->UpdateDisplayRect(n[0] * n[0], 0);
    m_displayWidget->updatePage();
    m_ui.multiPage->setText(m_displayWidget->getCurrentPage());
    restoreLater();
}

void Viewer::OnScreenNext()
{
    stopDisplay();
    m_displayWidget->setNextPage();
    m_ui.multiPage->setText(m_displayWidget->getCurrentPage());
    restoreLater();
}

void Viewer::OnScreenPrev()
{
    stopDisplay();
    m_displayWidget->setPrevPage();
    m_ui.multiPage->setText(m_displayWidget->getCurrentPage());
    restoreLater();
}

void Viewer::OnDoubleClickedDisplay(int screen)
{
    const bool multi = m_ui.controlScreen->currentWidget() == m_ui.MScreen;
    const QList<QPushButton*> buttons = multi ? m_pageButtons : m_multiScreenButtons + m_chButtons;
    // Only the layout left for a single screen is worth returning to: remembered on the way
    // in, it would otherwise be replaced by the single screen's own button on the way out.
    if (!m_displayWidget->isSingleScreen())
        for (QPushButton* b : buttons)
            if (b->isChecked())
                m_prevScreenBn = b;
    uncheck(buttons);
    stopDisplay();
    m_displayWidget->doubleClickedScreen(screen);
    const bool single = m_displayWidget->isSingleScreen();
    if (multi) {
        if (!single && m_prevScreenBn)
            m_prevScreenBn->setChecked(true);
        m_ui.multiPage->setText(m_displayWidget->getCurrentPage());
    } else if (single) {
        for (QPushButton* b : std::as_const(m_chButtons))
            b->setChecked(b->objectName() == QStringLiteral("Ch%1").arg(screen));
    } else if (m_prevScreenBn) {
        m_prevScreenBn->setChecked(true);
    }
    restoreLater();
}

void Viewer::OnClickFullScreen()
{
    if (!m_displayWidget->isFullScreen()) {
        hide();
        m_displayWidget->EnterFullScreen();
    }
    if (m_displayWidget->isFullScreen())
        qDebug("display is full screen");
}

void Viewer::OnExitFullScreen()
{
    show();
    m_displayWidget->setParent(m_ui.DisplayFrame);
    m_ui.displayLayout->addWidget(m_displayWidget);
    m_displayWidget->show();
}

void Viewer::OnMaximized()
{
    if (isFullScreen()) {
        showNormal();
        m_ui.Maximize->setIcon(QIcon(QStringLiteral(":/Viewer/files/images/Maximize.png")));
    } else {
        showFullScreen();
        m_ui.Maximize->setIcon(QIcon(QStringLiteral(":/Viewer/files/images/Restore.png")));
    }
}

void Viewer::OnDZoomClicked()
{
    CConnectDVR* c = currentConnection();
    if (c && c->IsConnected()) {
        m_displayWidget->setZoom(m_ui.DigitalZoom->isChecked() || m_ui.DigitalZoom_PB->isChecked());
    } else {
        m_ui.DigitalZoom->setChecked(false);
        m_ui.DigitalZoom_PB->setChecked(false);
    }
}

void Viewer::OnDirectoryClicked()
{
    const QString start = CAppSettings().readSetting(CAppSettings::PATH_LIST.at(1), QString()).toString();
    const QString folder = CPrompt::current().chooseFolder(this, tr("Please select a folder."), start);
    if (folder.isEmpty())
        return;
    m_playbackWidget->setDisplayWidget(m_displayWidget);
    m_playbackWidget->search(folder);
    controlDisplayArea(true);
}

void Viewer::OnDisplaySpeed()
{
    uint64_t bytes = 0;
    uint64_t frames = 0;
    const std::vector<CCheckSpeed::Data> records = gCheckSpeed.records();
    for (const CCheckSpeed::Data& d : records) {
        bytes += d.bytes;
        frames += d.frames;
    }
    const uint64_t fps = records.empty() ? 0 : frames / records.size();
    const uint64_t perFrame = frames == 0 ? 0 : bytes / frames;
    m_ui.CheckSpeed->setText(QStringLiteral("%1 FPS / %2").arg(fps).arg(perFrame));
}
