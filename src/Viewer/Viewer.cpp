// Construction, shut-down and the window's own events.
#include "Viewer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDebug>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTextEdit>
#include <QVBoxLayout>

#include "Common/Prompt.h"
#include "ConnectDVR.h"
#include "DVRInfo/ClockWidget.h"
#include "DVRInfo/DVRInfoWidget.h"
#include "DVRList/DVRListTree.h"
#include "DVRList/MenuDVRList.h"
#include "DVRSetup/SetupWidget.h"
#include "Display/DisplayWidget.h"
#include "Display/Screen.h"
#include "EMap/EMapList.h"
#include "EMap/EMapMenu.h"
#include "EMap/EMapWidget.h"
#include "LiveCtrl/LiveCtrlWidget.h"
#include "Network/SendCommand.h"
#include "PCSetup/PCSetupDialog.h"
#include "Playback/BackupWidget.h"
#include "Playback/PlaybackWidget.h"
#include "Settings/AppSettings.h"
#include "ViewerForm.h"

void loadStyleSheet()
{
    const QString sheet = ViewerStyleSheet();
    if (!sheet.isEmpty())
        qApp->setStyleSheet(sheet);
}

int Viewer::getOpenGLMode()
{
    CAppSettings settings;
    if (settings.contains(CAppSettings::OPENGL))
        return settings.readSetting(CAppSettings::OPENGL, 0).toInt();
    // First start: the probe decides once; a PC without OpenGL in hardware gets widget cells.
    const int mode = CScreen::firstStartMode();
    settings.writeSetting(CAppSettings::OPENGL, mode);
    return mode;
}

int Viewer::getCodecType() { return CAppSettings().readSetting(CAppSettings::CODEC_TYPE, 0).toInt(); }

Viewer::Viewer(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    loadStyleSheet();
    m_ui.setupUi(this);
    if (parent)
        resize(parent->size());
    m_openGLMode = getOpenGLMode();

    wireButtons();
    collectLayoutButtons();

    m_clock = new CClockWidget(this);
    connect(m_clock, &CClockWidget::timeout, this, &Viewer::OnDisplaySpeed);
    m_ui.MainLayout->insertWidget(1, m_clock, 0, Qt::AlignHCenter);

    m_liveCtrl = new CLiveCtrlWidget(m_ui.bottomLivePage);
    buildDisplayArea();
    buildBottomPages();
    buildSidePages();
    layoutWindow();

    m_pcSetupDialog = new CPCSetupDialog(this);
    connect(m_pcSetupDialog, &QDialog::accepted, this, &Viewer::OnApplyPCSetup);
    connect(m_pcSetupDialog, &QDialog::accepted, m_displayWidget, &CDisplayWidget::UpdateDisplaySettings);
    connect(m_pcSetupDialog, &QDialog::accepted, m_displayWidget, &CDisplayWidget::UpdateEventAlarmSetting);
    connect(m_pcSetupDialog, &QDialog::finished, this, &Viewer::OnFinishedPCSetup);

    buildTreeAndMaps();

    m_ui.Logo->clear();
    m_ui.Logo->setScaledContents(true);
    m_ui.Logo->setPixmap(QPixmap(QStringLiteral(":/Viewer/files/images/logo.png")));

    setDisplayMode(VIEW_LIVE);
    updateTitle();
    m_ui.MainLayout->setSpacing(15);
    setWindowTitle(QStringLiteral("ZAVO"));
    m_sendCommand = new CSendCommand;
}

Viewer::~Viewer()
{
    // Also when the loop ended without a close event: no stream may outlive the window.
    disconnectDVR(true);
    delete m_sendCommand;
    // In full screen the display is a window of its own, which no child of this one takes
    // along; left to the application's end, its wall's window would be gone before it.
    if (m_displayWidget->isWindow())
        delete m_displayWidget;
}

void Viewer::wireButtons()
{
    const struct {
        QPushButton* button;
        void (Viewer::*slot)();
    } buttons[] = {
        {m_ui.LiveS, &Viewer::OnLiveSClicked},
        {m_ui.LiveM, &Viewer::OnLiveMClicked},
        {m_ui.Search, &Viewer::OnSearchClicked},
        {m_ui.Playback, &Viewer::OnPlaybackClicked},
        {m_ui.Backup, &Viewer::OnBackupClicked},
        {m_ui.EMap, &Viewer::OnEMapClicked},
        {m_ui.EMapView, &Viewer::OnEMapViewClicked},
        {m_ui.EMapEdit, &Viewer::OnEMapEditClicked},
        {m_ui.EMapSetup, &Viewer::OnEMapSetupClicked},
        {m_ui.EMapExit, &Viewer::OnEMapExitClicked},
        {m_ui.emapLogSave, &Viewer::OnEMapLogSave},
        {m_ui.Information, &Viewer::OnDVRInformation},
        {m_ui.Setup, &Viewer::OnDVRSetupClicked},
        {m_ui.RecToDVR, &Viewer::OnRecordToDVRClicked},
        {m_ui.RecToPC, &Viewer::OnRecordToPCClicked},
        {m_ui.PCSetup, &Viewer::OnPCSetupClicked},
        {m_ui.Maximize, &Viewer::OnMaximized},
        {m_ui.DigitalZoom, &Viewer::OnDZoomClicked},
        {m_ui.DigitalZoom_PB, &Viewer::OnDZoomClicked},
        {m_ui.Capture, &Viewer::OnCaptureClicked},
        {m_ui.Capture_PB, &Viewer::OnCaptureClicked},
        {m_ui.Directory, &Viewer::OnDirectoryClicked},
        {m_ui.searchImage, &Viewer::OnSearchImageClicked},
    };
    for (const auto& b : buttons)
        connect(b.button, &QPushButton::clicked, this, b.slot);
    connect(m_ui.Minimize, &QPushButton::clicked, this, &QWidget::showMinimized);
    connect(m_ui.Exit, &QPushButton::clicked, this, &QWidget::close);
}

void Viewer::collectLayoutButtons()
{
    const auto collect = [](QWidget* group, const QString& pattern) {
        const QRegularExpression re(pattern);
        QList<QPushButton*> out;
        for (QPushButton* b : group->findChildren<QPushButton*>())
            if (re.match(b->objectName()).hasMatch())
                out << b;
        return out;
    };
    m_chButtons = collect(m_ui.SingleScreenGroup, QStringLiteral("Ch[0-9]"));
    for (QPushButton* b : std::as_const(m_chButtons))
        connect(b, &QPushButton::clicked, this, &Viewer::OnClickSingleScreen);
    m_multiScreenButtons = collect(m_ui.MultiScreenGroup, QStringLiteral("^Screen[0-9]+_[0-9]+$"));
    for (QPushButton* b : std::as_const(m_multiScreenButtons))
        connect(b, &QPushButton::clicked, this, &Viewer::OnClickMultiScreen);
    connect(m_ui.Sequence, &QPushButton::clicked, this, &Viewer::OnClickSequence);
    m_pageButtons = collect(m_ui.PageScreenGroup, QStringLiteral("^Screen[0-9]+x[0-9]+$"));
    for (QPushButton* b : std::as_const(m_pageButtons))
        connect(b, &QPushButton::clicked, this, &Viewer::OnClickPageScreen);
    connect(m_ui.SingleFull, &QPushButton::clicked, this, &Viewer::OnClickFullScreen);
    connect(m_ui.MultiFull, &QPushButton::clicked, this, &Viewer::OnClickFullScreen);
    connect(m_ui.NextPage, &QPushButton::clicked, this, &Viewer::OnScreenNext);
    connect(m_ui.PrevPage, &QPushButton::clicked, this, &Viewer::OnScreenPrev);
}

void Viewer::buildDisplayArea()
{
    QFont bold = font();
    bold.setWeight(QFont::Bold);
    m_dvrLabel = new QLabel(m_ui.DisplayFrame);
    m_timeLabel = new QLabel(m_ui.DisplayFrame);
    m_statusLabel = new QLabel(m_ui.DisplayFrame);
    for (QLabel* label : {m_dvrLabel, m_timeLabel, m_statusLabel}) {
        label->setFont(bold);
        label->setFixedHeight(label->sizeHint().height());
    }
    m_timeLabel->setEnabled(false);
    m_statusLabel->setEnabled(false);
    auto* row = new QHBoxLayout;
    row->addWidget(m_dvrLabel, 0, Qt::AlignLeft);
    row->addWidget(m_timeLabel, 0, Qt::AlignCenter);
    row->addWidget(m_statusLabel, 0, Qt::AlignRight);
    m_statusBar = new QFrame(m_ui.DisplayFrame);
    m_statusBar->setFixedHeight(25);
    m_statusBar->setLayout(row);

    m_displayWidget = new CDisplayWidget(m_ui.DisplayFrame);
    connect(m_displayWidget, &CDisplayWidget::exitFullScreen, this, &Viewer::OnExitFullScreen);
    connect(m_displayWidget, &CDisplayWidget::enableSingleScreen, m_ui.DigitalZoom, &QWidget::setEnabled);
    connect(m_displayWidget, &CDisplayWidget::enableSingleScreen, m_ui.DigitalZoom_PB, &QWidget::setEnabled);
    connect(m_displayWidget, &CDisplayWidget::changedScreen, this, &Viewer::slotChangedScreen);
    connect(m_displayWidget, &CDisplayWidget::doubleClicked, this, &Viewer::OnDoubleClickedDisplay);
    connect(m_displayWidget, &CDisplayWidget::sendChannelCommand, this, &Viewer::sendChannelCommand);
    connect(m_displayWidget, &CDisplayWidget::alarmCannotSound, this,
            [this](const QString& text) { CPrompt::current().notice(this, text); });
    m_displayWidget->installEventFilter(this);
    m_ui.displayLayout->setSpacing(0);
    m_ui.displayLayout->setContentsMargins(0, 0, 0, 0);
    m_ui.displayLayout->addWidget(m_statusBar);
    m_ui.displayLayout->addWidget(m_displayWidget);
    m_displayWidget->setDeinterlaced(false);
}

void Viewer::buildBottomPages()
{
    // Each panel fills its page.
    const auto fill = [](QWidget* page, QWidget* panel) {
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(panel);
    };
    m_ui.bottomPlaybackPage->setFixedWidth(m_ui.bottomWidget->width());
    m_playbackWidget = new CPlaybackWidget(m_ui.bottomPlaybackPage);
    fill(m_ui.bottomPlaybackPage, m_playbackWidget);
    connect(m_playbackWidget, &CPlaybackWidget::selectedTime, this, &Viewer::OnSelectedTime);
    connect(m_playbackWidget, &CPlaybackWidget::changedPbStatus, this, &Viewer::OnChangedPbStatus);
    connect(m_playbackWidget, &CPlaybackWidget::stopDisplay, this, &Viewer::stopDisplay);

    m_ui.bottomBackupPage->setFixedWidth(m_ui.bottomWidget->width());
    m_backupWidget = new CBackupWidget(m_ui.bottomBackupPage);
    fill(m_ui.bottomBackupPage, m_backupWidget);
    connect(m_backupWidget, &CBackupWidget::backupStart, this, &Viewer::OnBackupStart);
    connect(m_backupWidget, &CBackupWidget::backupStop, this, &Viewer::OnBackupStop);
}

void Viewer::buildSidePages()
{
    const int x = m_ui.MainFrame->width() + 10;
    const int y = m_ui.SystemButtons->geometry().bottom();
    const QRect area(x, y, width() - m_ui.MainFrame->width() - 10, height() - y);
    m_setupWidget = new CSetupWidget(this);
    m_setupWidget->setGeometry(area);
    const struct {
        QPushButton* button;
        void (CSetupWidget::*slot)();
    } config[] = {
        {m_ui.open, &CSetupWidget::OnOpenFiles},       {m_ui.save, &CSetupWidget::OnSaveFiles},
        {m_ui.setupModel, &CSetupWidget::OnSetupModel}, {m_ui.loadDefault, &CSetupWidget::OnLoadDefault},
        {m_ui.reload, &CSetupWidget::OnReload},         {m_ui.send, &CSetupWidget::OnSend},
        {m_ui.sendAll, &CSetupWidget::OnSendAll},       {m_ui.upgrade, &CSetupWidget::OnUpgrade},
        {m_ui.dateTime, &CSetupWidget::OnDateTime},     {m_ui.reset, &CSetupWidget::OnResetDVR},
    };
    for (const auto& c : config)
        connect(c.button, &QPushButton::clicked, m_setupWidget, c.slot);
    connect(m_ui.configExit, &QPushButton::clicked, this, &Viewer::OnConfigExit);
    m_setupWidget->hide();
    m_dvrInfoWidget = new CDVRInfoWidget(this);
    m_dvrInfoWidget->setGeometry(area);
    m_dvrInfoWidget->hide();
}

void Viewer::layoutWindow()
{
    m_ui.SystemButtons->hide();
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_ui.MainFrame, 0, 0, 3, 1);
    grid->addWidget(m_ui.DisplayFrame, 0, 1, 2, 1);
    grid->addWidget(m_ui.ControlMenu, 0, 2, 2, 1);
    grid->addWidget(m_ui.bottomWidget, 2, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    grid->setSpacing(15);
    grid->setContentsMargins(9, 9, 9, 9);
}

void Viewer::buildTreeAndMaps()
{
    // The side column keeps the width of its screen buttons also in the e-map modes, which
    // hide them: names too long for it are cut rather than widening the window.
    const int column = m_ui.controlScreen->maximumWidth();
    m_dvrTree = new CDVRListTree(this);
    m_dvrTree->setFixedWidth(column);
    m_dvrTree->setCameraNameShow(false);
    connect(m_dvrTree, &CDVRListTree::groupConnect, this, &Viewer::OnGroupConnect);
    connect(m_dvrTree, &CDVRListTree::changedDVR, this, &Viewer::OnChangedDVR);
    connect(m_dvrTree, &CDVRListTree::disconnectDVR, this, &Viewer::slotDisconnectDVR);
    m_ui.verticalLayout->insertWidget(0, m_dvrTree, 0, Qt::AlignHCenter);

    m_emapList = new CEMapList(this);
    m_emapList->setFixedWidth(column);
    m_emapList->hide();
    connect(m_emapList, &CEMapList::signalSelectedEMap, this, &Viewer::OnSelectedEMap);
    connect(m_emapList, &CEMapList::signalSelectedEMapGroup, this, &Viewer::OnSelectedEMapGroup);
    connect(m_emapList, &CEMapList::changedEMap, this, &Viewer::OnChangedEMap);
    connect(m_emapList, &CEMapList::signalRemoveEMap, this, &Viewer::OnRemoveEMap);
}

// The lists are written once more; what still cannot be is lost only when the operator says so.
bool Viewer::mayClose()
{
    QStringList unsaved;
    if (!m_dvrTree->saveBeforeExit())
        unsaved << tr("The changes to the DVR list are not saved (%1).").arg(m_dvrTree->saveFailure());
    if (!m_emapList->saveBeforeExit())
        unsaved << tr("The changes to the e-map list are not saved (%1).").arg(m_emapList->saveFailure());
    if (unsaved.isEmpty())
        return true;
    unsaved << tr("Close the program all the same? These changes are lost then.");
    return CPrompt::current().askYesNo(this, unsaved.join(QLatin1Char('\n')));
}

void Viewer::closeEvent(QCloseEvent* event)
{
    if (!mayClose()) {
        event->ignore();
        return;
    }
    endBackupEarly(true);
    if (m_playbackWidget->IsLocalPlayback()) {
        m_displayWidget->stop();
        m_playbackWidget->PlayStop();
    }
    disconnectDVR(true);
    // Map views stop their streams as they go; later they would send their stops too late.
    removeEMap();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Posts still queued die with the application: without this the DVRs keep streaming
    // to a program that is gone until they notice.
    if (!CSendCommand::waitForAllCommands(EXIT_COMMAND_WAIT_MS))
        qDebug("commands still unanswered at exit");
    event->accept();
}

bool Viewer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_displayWidget && event->type() == QEvent::Close && m_displayWidget->isWindow()) {
        // Closed by the window manager (Alt+F4, the title bar): the wall comes back, and the
        // window closes as the operator's close of it would, questions and all.
        event->ignore();
        m_displayWidget->LeaveFullScreen();
        QMetaObject::invokeMethod(this, [this] { close(); }, Qt::QueuedConnection);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Viewer::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}

void Viewer::languageChange()
{
    m_ui.retranslateUi(this);
    // The form empties these; what they show comes back from the window's own state.
    m_ui.Logo->setPixmap(QPixmap(QStringLiteral(":/Viewer/files/images/logo.png")));
    m_ui.multiPage->setText(m_displayWidget->getCurrentPage());
    OnDisplaySpeed();
}

void Viewer::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Viewer::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
        event->accept();
    }
}

void Viewer::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging && !isFullScreen() && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - m_dragOffset);
        event->accept();
    }
}

void Viewer::mouseReleaseEvent(QMouseEvent*) { m_dragging = false; }

void Viewer::contextMenuEvent(QContextMenuEvent* event)
{
    const QPoint pos = event->globalPos();
    const auto inside = [&](QWidget* w) {
        return w && w->isVisible() && QRect(w->mapToGlobal(QPoint(0, 0)), w->size()).contains(pos);
    };
    if (inside(m_dvrTree))
        CMenuDVRList(m_dvrTree, m_menuMode == MENU_EMAP_EDIT).exec(pos);
    if (m_menuMode == MENU_EMAP_EDIT && inside(m_emapList))
        CEMapMenu(m_emapList).exec(pos);
}
