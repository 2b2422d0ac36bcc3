#pragma once

// The screen area of live view, remote playback and local playback: a page of up to 64 cells
// out of 256 screens. Frames arrive on the threads that deliver them, are mapped to screens,
// decoded at once for the visible ones, and their pictures are drawn on the GUI thread.

#include <QHash>
#include <QList>
#include <QMetaObject>
#include <QMutex>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "Common/DecodeAudio.h"
#include "Common/PlayAudio.h"
#include "Common/StreamSink.h"
#include "Display/CellPainter.h"
#include "Display/DisplayInfo.h"
#include "Display/Screen.h"
#include "Network/DisplayDvrInfo.h"
#include "cgi_request.pb.h"

class CDisplayVideo;
class CEventSound;
struct _DISPLAY_CHANNEL_INFO;
class CHttpConnect;
class QKeyEvent;
class QMouseEvent;
class QResizeEvent;
class QTimer;

class CDisplayWidget : public QWidget {
    Q_OBJECT

public:
    static const int SCREEN_SPACE = 10;
    static const int MAX_IMAGE_VIEW_WIDTH = 730;
    // The least height: what the status bar and a 190 px bottom page (search, playback,
    // backup) leave in the 720 px window.
    static const int MAX_IMAGE_VIEW_HEIGHT = 470;
    static const int MAX_IMAGE_VIEW_HEIGHT_LIVE = 550;
    static const int MAX_SCREENS = 256;
    static const int MAX_DVR_CHANNEL = 16;

    enum SCREEN_MODE {
        SCREEN_SINGLE_DVR = 0,  // Live S, search, playback, backup
        SCREEN_MULTI_DVR = 1,   // Live M
    };

    explicit CDisplayWidget(QWidget* parent = nullptr);
    // Audio goes to the devices the factory makes instead of the default sound output.
    CDisplayWidget(QWidget* parent, CPlayAudio::DeviceFactory audioDevice);
    ~CDisplayWidget() override;

    void resetDisplay();
    void setScreens(int n);
    void UpdateDisplayRect(int count, int start);
    void updateSelectScreen(int screen);
    bool IsSameScreen(int count, int start) const;
    SCREEN_MODE getScreenMode() const { return static_cast<SCREEN_MODE>(m_screenMode.load()); }
    void setScreenMode(SCREEN_MODE mode);
    int getViewStartScreen() const { return m_viewStart; }
    int getViewEndScreen() const { return m_viewStart + m_viewScreens; }
    int getViewScreens() const { return m_viewScreens; }
    bool isSingleScreen() const { return m_viewScreens == 1; }
    int selectedScreen() const { return m_selected; }
    // The screen under a global position, or -1 when it lies in no cell.
    int getSelectedScreen(const QPoint& globalPos) const;
    void doubleClickedScreen(int screen);
    void updatePage();
    void setNextPage();
    void setPrevPage();
    QString getCurrentPage() const;
    void ClearScreen();
    void setZoom(bool on);
    bool IsZoom() const { return m_zoom; }
    void setSequence(bool on);
    void EnterFullScreen();
    // Back into the main window (as Escape does).
    void LeaveFullScreen();
    void setPbStatus(const cgi::PbControl_Cmd& command);
    void setDeinterlaced(bool on);
    // True when the file was written.
    bool saveCaptureImage(const QString& path, const CAPTURE_FILEFORMAT::ENUM& format);
    void showWaitWidget(bool show);
    void start(const DISPLAY_MODE::ENUM& mode);
    void stop();

    // The screen of a channel, or -1 when that screen is not visible or the channel is not
    // one this connection sends.
    int channelToScreen(int channel, const DISPLAY_DVR_INFO& info) const;
    int screenToWidgetIndex(int screen) const { return screen - m_viewStart; }
    int widgetIndexToScreen(int index) const;

    // Wires a stream to the display: its frames, audio, status and channel count (video
    // stream), or only its audio (the second stream of an old-protocol DVR).
    void attachStream(CHttpConnect* stream, bool audioOnly = false);
    // Drops every wiring of the stream, so nothing it sent before can reach the screens
    // afterwards. Waits only for deliveries reading the layout or handing over a picture,
    // which wait for nothing: a frame still being decoded, or audio still being played, then
    // finishes in the decoders and the output its sink keeps, without this widget.
    void detachStream(CHttpConnect* stream);

    // The slot as a function for a thread that delivers without a stream (local playback's
    // reader): it reaches this widget until the widget goes, and keeps what the widget
    // decodes and plays with while it runs.
    using FrameInlet = std::function<void(const DISPLAY_DVR_INFO&, const unsigned char*, size_t)>;
    FrameInlet inlet(void (CDisplayWidget::*slot)(const DISPLAY_DVR_INFO&, const unsigned char*, size_t));
    std::function<void(int)> inlet(void (CDisplayWidget::*slot)(int));
    std::function<void()> inlet(void (CDisplayWidget::*slot)());

    CScreen* screenContainer() const { return m_screen; }
    // The names and marks the cells show, as last read from the settings.
    const CCellOsd& displaySettings() const { return m_osd; }
    CDisplayVideo* displayVideo() const { return m_displayVideo; }

signals:
    void exitFullScreen();
    void enableSingleScreen(bool enable);
    void changedScreen(int screen, int dvrch);
    void doubleClicked(int screen);
    void sendChannelCommand(int screens, int firstch);
    void signalUpdateTime(const QString& strtime);
    void signalChangedStatus(const QString& strstatus);
    // The alarm was asked to sound and cannot (told once).
    void alarmCannotSound(const QString& text);

public slots:
    void slotUpdateDVRStatus(const DISPLAY_DVR_INFO& info);
    void slotDisplayVideo(const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len);
    void slotUpdateScreen(const CDisplayInfo& info);
    void OnPlayAudio(const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len);
    void OnDVRChannels(int channels);
    void UpdateDisplaySettings();
    void UpdateEventAlarmSetting();
    void slotDecoderRestart(int ch);
    // Local playback: drops every queued frame (see CDisplayVideo::flush).
    void slotDecoderFlush();
    void mouseDoubleClicked(QMouseEvent* event);
    void switchChannel();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Audio;
    // What deliveries decode and play with: the widget's sink keeps them, and a delivery still
    // decoding or playing when the widget goes finishes in them.
    struct Parts;
    using Sink = CStreamSink<CDisplayWidget, Parts>;
    // One attached stream's way in, cut when it is detached; it keeps the widget's sink.
    using StreamSink = CStreamSink<CDisplayWidget, std::shared_ptr<Sink>>;
    struct StreamWiring {
        std::shared_ptr<StreamSink> sink;
        QList<QMetaObject::Connection> connections;
    };

    // Keeps the newest picture of each screen until the GUI thread draws it (any thread).
    void storePicture(const CDisplayInfo& info);
    void flushPictures();
    void dropPendingPictures();
    // Sounds the alarm while a visible cell carries a motion or sensor mark.
    void updateAlarm();
    // The record of a frame for its visible screen; false when it has none.
    bool mapFrame(const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len,
                  _DISPLAY_CHANNEL_INFO* record) const;
    // The encoded audio of a frame of the selected screen, or null.
    const unsigned char* selectedAudio(const DISPLAY_DVR_INFO& info, const unsigned char* data,
                                       size_t len) const;
    int pageScreens() const;
    bool isScreenVisible(int screen) const;
    // The screen of a channel on a page starting at viewStart, visible or not; -1 when the
    // connection has no screen for it.
    int mapChannel(int channel, const DISPLAY_DVR_INFO& info) const;
    // Sets the visible screens; frames mapped under the old ones are not decoded any more.
    void setView(int count, int start);
    template <class... Args>
    std::function<void(Args...)> inletOf(void (CDisplayWidget::*slot)(Args...));

    // Cut as the widget goes; local playback's decode threads deliver through it.
    const std::shared_ptr<Sink> m_sink;
    Audio* const m_audio;  // in m_sink
    CDisplayVideo* const m_displayVideo;  // in m_sink
    CScreen* m_screen = nullptr;
    // Read by the delivering threads while the GUI thread changes them.
    std::atomic<int> m_selected{0};
    int m_screens = 64;
    int m_page = 0;
    std::atomic<int> m_viewScreens{16};
    std::atomic<int> m_viewStart{0};
    int m_prevViewScreens = 0;
    int m_prevViewStart = 0;
    QSize m_lastSize{-1, -1};
    bool m_zoom = false;
    std::atomic<int> m_screenMode{SCREEN_SINGLE_DVR};
    bool m_sequence = false;
    QTimer* m_seqTimer = nullptr;
    CEventSound* m_eventSound = nullptr;
    CCellOsd m_osd;

    QMutex m_pendingLock;
    std::vector<CDisplayInfo> m_pending;
    std::vector<bool> m_pendingSet;
    std::vector<int> m_pendingOrder;
    bool m_flushPosted = false;

    QHash<CHttpConnect*, StreamWiring> m_wiring;
};
