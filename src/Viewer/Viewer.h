#pragma once

// The main window: menu of modes, screen layouts, the DVR connections of one group, the
// requests sent over them, still images and the e-map area.

#include <QList>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <ctime>

#include "ui_Viewer.h"
#include "EMapList.pb.h"
#include "cgi_request.pb.h"

class CBackupWidget;
class CClockWidget;
class CConnectDVR;
class CDVRInfoWidget;
class CDVRListTree;
class CDisplayWidget;
class CEMapList;
class CEMapWidget;
class CLiveCtrlWidget;
class CPCSetupDialog;
class CPlaybackWidget;
class CSendCommand;
class CSetupWidget;
class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;
class QTreeWidgetItem;

// The style sheet of the whole program, applied before any widget is built.
void loadStyleSheet();

class Viewer : public QWidget {
    Q_OBJECT

public:
    enum MENU_MODE {
        MENU_LIVE_S = 0,
        MENU_LIVE_M = 1,
        MENU_SEARCH = 2,
        MENU_PLAYBACK = 3,
        MENU_BACKUP = 4,
        MENU_EMAP_VIEW = 5,
        MENU_EMAP_EDIT = 6,
        MENU_INFORMATION = 7,
        MENU_CONFIGURATION = 8,
        MENU_PC_SETUP = 9,
    };
    enum VIEW_MODE { VIEW_LIVE = 0, VIEW_PLAYBACK = 1, VIEW_BACKUP = 2, VIEW_EMAP = 3 };

    // The most screens one group connection may use.
    static constexpr int MAX_GROUP_SCREENS = 255;
    // Layout and mode changes lay the screens out again this long after the change.
    static constexpr int RESTORE_DELAY_MS = 100;
    // At exit the streams' stops get this long in total to reach their DVRs.
    static constexpr int EXIT_COMMAND_WAIT_MS = 1000;

    explicit Viewer(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~Viewer() override;

    static int getOpenGLMode();
    static int getCodecType();

    // What the tests and the screenshot scripts look at.
    int menuMode() const { return m_menuMode; }
    int currentDvrIndex() const { return m_currentDvrIndex; }
    const QList<CConnectDVR*>& connections() const { return m_connectList; }
    CDisplayWidget* displayWidget() const { return m_displayWidget; }
    CDVRListTree* dvrTree() const { return m_dvrTree; }
    CLiveCtrlWidget* liveCtrl() const { return m_liveCtrl; }
    CPlaybackWidget* playbackWidget() const { return m_playbackWidget; }
    CBackupWidget* backupWidget() const { return m_backupWidget; }
    CSetupWidget* setupWidget() const { return m_setupWidget; }
    CDVRInfoWidget* infoWidget() const { return m_dvrInfoWidget; }
    CPCSetupDialog* pcSetupDialog() const { return m_pcSetupDialog; }
    CEMapList* emapList() const { return m_emapList; }
    const QList<CEMapWidget*>& emapWidgets() const { return m_emapWidgets; }
    const Ui_ViewerClass& form() const { return m_ui; }
    QLabel* dvrLabel() const { return m_dvrLabel; }
    // Reconnect interval and no-packet time-out given to every new connection (tests
    // shorten them).
    void setConnectionTimings(int reconnectMs, int noPacketMs)
    {
        m_reconnectMs = reconnectMs;
        m_noPacketMs = noPacketMs;
    }
    // The last capture's file, empty when it could not be saved.
    QString lastCapture() const { return m_lastCapture; }

public slots:
    void OnLiveSClicked();
    void OnLiveMClicked();
    void OnSearchClicked();
    void OnPlaybackClicked();
    void OnBackupClicked();
    void OnEMapClicked();
    void OnEMapViewClicked();
    void OnEMapEditClicked();
    void OnEMapSetupClicked();
    void OnEMapExitClicked();
    void OnEMapLogSave();
    void OnDVRInformation();
    void OnDVRSetupClicked();
    void OnConfigExit();
    void OnPCSetupClicked();
    void OnRecordToDVRClicked();
    void OnRecordToPCClicked();
    void OnMaximized();
    void OnDZoomClicked();
    void OnCaptureClicked();
    void OnDirectoryClicked();
    void OnSearchImageClicked();

    void OnClickSingleScreen();
    void OnClickMultiScreen();
    void OnClickSequence();
    void OnClickPageScreen();
    void OnClickFullScreen();
    void OnScreenNext();
    void OnScreenPrev();
    void OnExitFullScreen();
    void OnDoubleClickedDisplay(int screen);
    void OnFinishedPCSetup();
    void OnApplyPCSetup();
    void OnDisplaySpeed();
    void restoreScreen();
    void stopDisplay();

    void OnGroupConnect(const QTreeWidgetItem& groupItem, int groupIndex, int dvrIndex);
    void OnChangedDVR(int groupIndex, int dvrIndex);
    void slotDisconnectDVR(int dvrIndex);
    void OnConnected();
    void OnDisconnected();
    void slotChangedScreen(int screen, int dvrChannel);

    void sendChannelCommand(int screens, int startScreen);
    void OnChangedPbStatus(const cgi::PbControl::Cmd& cmd);
    void OnSelectedTime(time_t time, int channels);
    void OnBackupStart(time_t start, time_t end, int channels);
    void OnBackupStop();

    void OnSelectedEMap(const EMap& map);
    void OnSelectedEMapGroup(const EMapList& group);
    void OnChangedEMap(int index);
    void OnRemoveEMap();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // The wall in full screen is a window of its own: its close is the main window's.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void languageChange();

private:
    // Construction steps.
    void wireButtons();
    void collectLayoutButtons();
    void buildDisplayArea();
    void buildBottomPages();
    void buildSidePages();
    void layoutWindow();
    void buildTreeAndMaps();

    // Shared helpers of the modes.
    void setDisplayMode(VIEW_MODE page);
    void updateTitle();
    void controlDisplayArea(bool show);
    void setFunctionWidget();
    void readyForSearch();
    void enterSearch(VIEW_MODE page);
    void hideDisplayWidget();
    void exitZoom();
    void stopSequence();
    bool mayClose();
    void stopBackup();
    // The message waits for the event loop unless told now (at exit there is none).
    void endBackupEarly(bool tellNow = false);
    void endRecordingForModeChange();
    // What the operator is told when a running backup ends before its end time.
    QString backupEndedEarlyText() const;
    void stopLocalPlayback();
    void setPrevMenu();
    void leavePCSetup();
    void restoreLater();
    QPushButton* menuButton(int mode) const;
    void clickMenuButton(int mode);
    void uncheck(const QList<QPushButton*>& buttons);
    void startOver();
    void enterLive();
    void showSingleDvrCells(QPushButton* button, int count, int first);

    // Connections.
    CConnectDVR* currentConnection() const;
    // The connection a running backup records through; null when none runs.
    CConnectDVR* backupConnection() const;
    // Whether these tree positions name the DVR a running backup records.
    bool isBackupDvr(int groupIndex, int dvrIndex) const;
    void connectDVR();
    void disconnectDVR(bool remove);
    void updateDisplayScreen();
    void updateDVRInfo();
    void showCurrentDvr();
    // The stream-channel commands of the screens shown, to every connection or to one.
    void sendChannelCommands(int screens, int startScreen, const CConnectDVR* only);
    void applyConnectedDVR(CConnectDVR* connection);
    void keepOnlyCurrentConnection();
    void unwireConnection(CConnectDVR* connection);

    // E-map area.
    void createEMap(const EMap& map, bool visible);
    void removeEMap();

    Ui_ViewerClass m_ui;
    QList<CConnectDVR*> m_connectList;
    QPointer<CConnectDVR> m_backupConnection;  // of the last backup started
    CPlaybackWidget* m_playbackWidget = nullptr;
    CBackupWidget* m_backupWidget = nullptr;
    CSetupWidget* m_setupWidget = nullptr;
    CPCSetupDialog* m_pcSetupDialog = nullptr;
    CLiveCtrlWidget* m_liveCtrl = nullptr;
    CDVRInfoWidget* m_dvrInfoWidget = nullptr;
    CSendCommand* m_sendCommand = nullptr;
    QLabel* m_dvrLabel = nullptr;
    QLabel* m_timeLabel = nullptr;
    QLabel* m_statusLabel = nullptr;
    QFrame* m_statusBar = nullptr;
    QList<QPushButton*> m_chButtons;
    QList<QPushButton*> m_multiScreenButtons;
    QList<QPushButton*> m_pageButtons;
    QPushButton* m_prevScreenBn = nullptr;
    CDisplayWidget* m_displayWidget = nullptr;
    QLabel* m_imageLabel = nullptr;
    QLabel* m_imageNameLabel = nullptr;
    CDVRListTree* m_dvrTree = nullptr;
    CEMapList* m_emapList = nullptr;
    CClockWidget* m_clock = nullptr;
    QList<CEMapWidget*> m_emapWidgets;
    QList<QTextEdit*> m_emapLogs;
    int m_currentDvrIndex = -1;
    int m_currentGroupIndex = 0;
    int m_menuMode = MENU_LIVE_S;
    int m_prevMenuMode = MENU_LIVE_S;
    int m_currentEMapIndex = 0;
    QPoint m_dragOffset;
    bool m_dragging = false;
    int m_codecType = -1;
    int m_openGLMode = 0;
    int m_reconnectMs = 60000;
    int m_noPacketMs = 60000;
    QString m_lastCapture;
};
