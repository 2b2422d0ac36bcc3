#include "DisplayWidget.h"

#include <QByteArray>
#include <QDebug>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>

#include <algorithm>

#include "Common/ChannelNum.h"
#include "Common/Frame.h"
#include "Display/DisplayVideo.h"
#include "Network/HttpConnect.h"
#include "Common/SoundThread.h"
#include "Common/ThreadCheck.h"
#include "Settings/AppSettings.h"
#include "Settings/EventSound.h"

namespace {

// Sequence interval when the setting holds no positive number of seconds.
constexpr int kDefaultSequenceSeconds = 2;


bool ChannelBit(uint64_t mask, int channel) { return CChannelNum::isEnabled(mask, channel); }

// What a cell's record takes from its connection, for frames and status alike.
_DISPLAY_CHANNEL_INFO ChannelRecord(const DISPLAY_DVR_INFO& info, int channel, int screen, int viewStart)
{
    _DISPLAY_CHANNEL_INFO record;
    record.displayMode = static_cast<DISPLAY_MODE::ENUM>(info.displayMode);
    record.pbMode = static_cast<PbMode>(info.pbMode);
    record.widgetIndex = screen - viewStart;
    record.screen = screen;
    record.channelName = info.channelNames[channel];
    record.dvrName = info.dvrName;
    record.authorised = ChannelBit(info.authorityMask, channel);
    return record;
}

}  // namespace

// The audio of every stream: one decoder and one output.
struct CDisplayWidget::Audio {
    explicit Audio(CPlayAudio::DeviceFactory device) : player(std::move(device), CPlayAudio::kRetryMs) {}
    // Decodes one frame's audio and queues it for the output (any thread).
    void play(bool oldProtocol, const unsigned char* encoded);

    // Frames of several streams share the decoder; held only while one is decoded.
    QMutex lock;
    CDecodeAudio decoder;
    CPlayAudio player;
};

void CDisplayWidget::Audio::play(bool oldProtocol, const unsigned char* encoded)
{
    const int samples = CDecodeAudio::getDecodedSize(oldProtocol);
    QByteArray pcm(samples * static_cast<int>(sizeof(short)), Qt::Uninitialized);
    int decoded = 0;
    {
        QMutexLocker locker(&lock);
        decoded = decoder.DecodeFrame(oldProtocol, encoded, CDecodeAudio::getEncodedSize(oldProtocol),
                                      reinterpret_cast<short*>(pcm.data()), samples);
    }
    if (decoded > 0) {
        pcm.truncate(decoded * static_cast<int>(sizeof(short)));
        // Never waits for the sound device.
        player.PushAudio(oldProtocol, pcm);
    }
}

struct CDisplayWidget::Parts {
    explicit Parts(CPlayAudio::DeviceFactory device) : audio(std::move(device)) {}
    CDisplayVideo video;
    Audio audio;
};

CDisplayWidget::CDisplayWidget(QWidget* parent) : CDisplayWidget(parent, CPlayAudio::DeviceFactory())
{
}

CDisplayWidget::CDisplayWidget(QWidget* parent, CPlayAudio::DeviceFactory audioDevice)
    : QWidget(parent),
      m_sink(std::make_shared<Sink>(this, audioDevice ? audioDevice
                                                     : CPlayAudio::DeviceFactory(&CreateSinkAudioDevice))),
      m_audio(&m_sink->parts().audio),
      m_displayVideo(&m_sink->parts().video),
      m_pending(MAX_SCREENS),
      m_pendingSet(MAX_SCREENS, false)
{
    setMinimumSize(MAX_IMAGE_VIEW_WIDTH, MAX_IMAGE_VIEW_HEIGHT);
    resize(MAX_IMAGE_VIEW_WIDTH, MAX_IMAGE_VIEW_HEIGHT_LIVE);

    // The audio backend comes up on the sound thread, where a sound server that does not
    // answer holds nothing of the window's.
    if (!audioDevice)
        SoundThread::startBackend();
    m_seqTimer = new QTimer(this);
    m_eventSound = new CEventSound;
    m_eventSound->setParent(this);
    connect(m_eventSound, &CEventSound::cannotSound, this, &CDisplayWidget::alarmCannotSound);

    connect(m_seqTimer, &QTimer::timeout, this, &CDisplayWidget::switchChannel);
    // Pictures are kept per screen on the delivering thread and drawn in one go: a screen
    // that gets pictures faster than the GUI draws them shows the newest, and no queue of
    // stale pictures can build up. The decoders live in the sink, so it outlives the call.
    connect(m_displayVideo, &CDisplayVideo::signalUpdateScreen, m_displayVideo,
            CalledElsewhere([sink = m_sink.get()](const CDisplayInfo& info) {
                sink->reach([&](CDisplayWidget& widget) { widget.storePicture(info); });
            }), Qt::DirectConnection);
    connect(m_displayVideo, &CDisplayVideo::signalUpdateTime, this, &CDisplayWidget::signalUpdateTime);
    connect(m_displayVideo, &CDisplayVideo::signalChangedStatus, this, &CDisplayWidget::signalChangedStatus);

    resetDisplay();
}

CDisplayWidget::~CDisplayWidget()
{
    const QList<CHttpConnect*> streams = m_wiring.keys();
    for (CHttpConnect* stream : streams)
        detachStream(stream);
    // Not waited for: a decode thread still running keeps the sink, and the decoders go with
    // the last of them. A reader waiting for room in a queue is let go before the cut.
    m_displayVideo->leaveDecodeThreads();
    m_sink->cut();
    disconnect(m_displayVideo, nullptr, this, nullptr);
    delete m_screen;
    delete m_eventSound;
}

// ---- layout ------------------------------------------------------------------------------

void CDisplayWidget::resetDisplay()
{
    setView(m_screenMode == SCREEN_MULTI_DVR ? 64 : 16, 0);
    delete m_screen;
    m_screen = nullptr;
    dropPendingPictures();
    // An unknown mode gets widget cells from the container.
    const auto mode = static_cast<OpenGLMode>(CAppSettings().readSetting(CAppSettings::OPENGL, 0).toInt());
    m_screen = new CScreen(this, mode, CScreen::MAX_CELLS);

    m_selected = 0;
    m_screens = 0;
    m_page = 0;
    m_prevViewScreens = 0;
    m_prevViewStart = 0;
    m_lastSize = QSize(0, 0);
    updateSelectScreen(0);
    UpdateDisplaySettings();
    m_eventSound->UpdateSetting();
    setScreens(m_viewScreens);
    // The container falls back to widget cells where OpenGL cannot be shown.
    m_displayVideo->changeOpenglOption(m_screen->mode() != OPENGL_MODE_OFF);
}

void CDisplayWidget::setScreens(int n)
{
    n = std::clamp(n, 0, static_cast<int>(CScreen::MAX_CELLS));
    m_page = 0;
    m_selected = 0;
    m_screens = n;
    UpdateDisplayRect(n, 0);
    updateSelectScreen(m_selected);
    UpdateDisplaySettings();
    m_eventSound->UpdateSetting();
}

void CDisplayWidget::OnDVRChannels(int channels)
{
    if (m_screenMode == SCREEN_MULTI_DVR || m_screens == 64)
        return;
    setScreens(channels == 8 ? 9 : channels);
}

void CDisplayWidget::UpdateDisplayRect(int count, int start)
{
    // No cells (or a count that makes no layout) lays nothing out.
    if (count <= 0) {
        m_lastSize = QSize(0, 0);
        m_prevViewScreens = 0;
        m_prevViewStart = 0;
        return;
    }
    count = std::min(count, static_cast<int>(CScreen::MAX_CELLS));
    start = std::clamp(start, 0, MAX_SCREENS - 1);
    if (m_viewScreens == count && m_viewStart == start && size() == m_lastSize) {
        qDebug("same screens");
        return;
    }
    if (m_viewScreens > 1) {
        m_prevViewScreens = m_viewScreens;
        m_prevViewStart = m_viewStart;
    }
    setView(count, start);

    // Emptied first, so that the selection reports the channel the cell has now.
    m_screen->clear();
    if (m_selected < start || m_selected > start + count - 1) {
        m_selected = m_selected % count + start;
        updateSelectScreen(m_selected);
    } else {
        // The selected screen may sit in another cell of the new layout.
        m_screen->setSelected(m_selected - start);
    }

    const QVector<QRect> rects = CScreen::gridRects(count, size(), SCREEN_SPACE);
    for (int i = 0; i < CScreen::MAX_CELLS; ++i) {
        m_screen->updateDisplayRect(i, rects[i]);
        // Pictures are made at their cell's size; one cell alone keeps the stream's size,
        // which the digital zoom enlarges.
        m_displayVideo->setCellSize(i, count > 1 && i < count ? rects[i].size() : QSize());
    }
    m_screen->resize(size());
    updateAlarm();

    const bool single = count < 4;
    emit enableSingleScreen(single);
    // The page's own first screen: a page past the first 64 screens asks for its channels.
    emit sendChannelCommand(count, start);
    m_lastSize = size();
}

void CDisplayWidget::setView(int count, int start)
{
    if (m_viewScreens == count && m_viewStart == start)
        return;
    m_viewScreens = count;
    m_viewStart = start;
    m_displayVideo->layoutChanged();
}

void CDisplayWidget::setScreenMode(SCREEN_MODE mode)
{
    m_screenMode = mode;
    m_displayVideo->layoutChanged();
}

bool CDisplayWidget::IsSameScreen(int count, int start) const
{
    return m_viewScreens == count && m_viewStart == start;
}

int CDisplayWidget::pageScreens() const { return std::max(1, m_viewScreens.load()); }

bool CDisplayWidget::isScreenVisible(int screen) const
{
    const int start = m_viewStart;
    return screen >= start && screen < start + m_viewScreens;
}

// ---- selection and mapping --------------------------------------------------------------

void CDisplayWidget::updateSelectScreen(int screen)
{
    if (screen < 0)
        return;
    const int cell = screen - m_viewStart;
    const bool inPage = cell >= 0 && cell < m_viewScreens;
    if (inPage)
        m_screen->setSelected(cell);
    if (m_selected != screen) {
        m_audio->player.clear();
        m_selected = screen;
    }
    const int channel = inPage ? m_screen->getInfo(cell).channel : -1;
    emit changedScreen(m_selected, channel >= 0 && channel < MAX_DVR_CHANNEL ? channel : -1);
}

int CDisplayWidget::widgetIndexToScreen(int index) const
{
    if (m_screenMode != SCREEN_MULTI_DVR)
        return index + m_viewStart;
    const int n = pageScreens();
    return index % n + m_page * n;
}

int CDisplayWidget::getSelectedScreen(const QPoint& globalPos) const
{
    const int cell = m_screen->cellAt(mapFromGlobal(globalPos));
    return cell < 0 ? -1 : widgetIndexToScreen(cell);
}

int CDisplayWidget::mapChannel(int channel, const DISPLAY_DVR_INFO& info) const
{
    if (channel < 0 || channel >= MAX_DVR_CHANNEL)
        return -1;
    if (m_screenMode != SCREEN_MULTI_DVR)
        return channel;
    // A channel this connection was not asked for has no screen of its own: counted among
    // the others it would land on another channel's screen and decoder.
    if (!ChannelBit(info.channelMask, channel))
        return -1;
    return CChannelNum::getIndexCount(info.channelMask, channel) + info.startScreen;
}

int CDisplayWidget::channelToScreen(int channel, const DISPLAY_DVR_INFO& info) const
{
    const int screen = mapChannel(channel, info);
    return screen >= 0 && isScreenVisible(screen) ? screen : -1;
}

void CDisplayWidget::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    const int screen = getSelectedScreen(event->globalPosition().toPoint());
    if (screen >= 0)
        updateSelectScreen(screen);
    qDebug("DisplayWidget mousePressEvent");
}

void CDisplayWidget::mouseDoubleClicked(QMouseEvent* event)
{
    if (m_zoom || m_sequence || !event)
        return;
    const int screen = getSelectedScreen(event->globalPosition().toPoint());
    if (screen >= 0)
        emit doubleClicked(screen);
}

void CDisplayWidget::doubleClickedScreen(int screen)
{
    if (screen < 0 || screen >= MAX_SCREENS)
        return;
    if (m_viewScreens == 1)
        UpdateDisplayRect(m_prevViewScreens, m_prevViewStart);
    else
        UpdateDisplayRect(1, screen);
    updateSelectScreen(screen);
    if (m_screenMode == SCREEN_MULTI_DVR) {
        const int n = pageScreens();
        m_page = std::min(m_selected / n, MAX_SCREENS / n);
        setView(m_viewScreens, m_page * n);
        UpdateDisplayRect(m_viewScreens, m_viewStart);
    }
}

// ---- paging, sequence, zoom, full screen -------------------------------------------------

void CDisplayWidget::setNextPage()
{
    const int n = pageScreens();
    m_page = m_page < MAX_SCREENS / n - 1 ? m_page + 1 : 0;
    UpdateDisplayRect(m_viewScreens, m_page * n);
}

void CDisplayWidget::setPrevPage()
{
    const int n = pageScreens();
    m_page = m_page > 0 ? m_page - 1 : MAX_SCREENS / n - 1;
    UpdateDisplayRect(m_viewScreens, m_page * n);
}

void CDisplayWidget::updatePage()
{
    const int n = pageScreens();
    m_page = std::min(MAX_SCREENS / n, m_selected / n);
    setView(m_viewScreens, m_page * n);
    UpdateDisplayRect(m_viewScreens, m_viewStart);
}

QString CDisplayWidget::getCurrentPage() const
{
    return QStringLiteral("%1 / %2").arg(m_page + 1).arg(MAX_SCREENS / pageScreens());
}

void CDisplayWidget::setSequence(bool on)
{
    if (m_screenMode == SCREEN_MULTI_DVR) {
        qDebug("livem can't use sequence mode.");
        return;
    }
    m_sequence = on;
    m_displayVideo->clear(-1);
    if (on) {
        emit sendChannelCommand(16, 0);
        bool numeric = false;
        int seconds = CAppSettings().readSetting(CAppSettings::SEQ_INTERVAL, QVariant()).toInt(&numeric);
        if (!numeric || seconds <= 0)
            seconds = kDefaultSequenceSeconds;
        m_seqTimer->start(seconds * 1000);
        UpdateDisplayRect(1, 0);
    } else {
        m_seqTimer->stop();
        UpdateDisplayRect(m_viewScreens, m_viewStart);
    }
}

void CDisplayWidget::switchChannel()
{
    if (m_screenMode == SCREEN_MULTI_DVR) {
        qDebug("livem can't switch channels.");
        return;
    }
    m_displayVideo->clear(-1);
    const int next = m_viewStart < m_screens - 1 ? m_viewStart + 1 : 0;
    UpdateDisplayRect(1, next);
}

void CDisplayWidget::setZoom(bool on)
{
    if (m_viewScreens != 1)
        return;
    m_zoom = on;
    if (on) {
        setCursor(Qt::CrossCursor);
        m_screen->startZoom(m_selected - m_viewStart);
    } else {
        setCursor(Qt::ArrowCursor);
        m_screen->endZoom();
    }
}

void CDisplayWidget::EnterFullScreen()
{
    if (isFullScreen())
        return;
    const QList<QScreen*> screens = QGuiApplication::screens();
    const int number = screens.indexOf(screen());
    setParent(nullptr);
    setWindowState(windowState() ^ Qt::WindowFullScreen);
    if (number > 0)
        move(screens[number]->geometry().topLeft());
    showFullScreen();
    UpdateDisplayRect(m_viewScreens, m_viewStart);
}

void CDisplayWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    LeaveFullScreen();
    event->accept();
}

void CDisplayWidget::LeaveFullScreen()
{
    if (!isFullScreen())
        return;
    setWindowState(windowState() & ~Qt::WindowFullScreen);
    showNormal();
    emit exitFullScreen();
}

void CDisplayWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (event->size() != event->oldSize())
        UpdateDisplayRect(m_viewScreens, m_viewStart);
}

// ---- settings and pass-throughs ----------------------------------------------------------

void CDisplayWidget::UpdateDisplaySettings()
{
    // The window builds the display before PC setup first stores its choices: until then
    // the choices PC setup starts from are in force, not "off".
    CAppSettings settings;
    const auto read = [&](const QString& key) {
        return settings.readSetting(key, CAppSettings::defaultSetting(key));
    };
    m_osd.chName = read(CAppSettings::OSD_CH_NAME).toBool();
    m_osd.record = read(CAppSettings::OSD_RECORD).toInt();
    m_osd.event = read(CAppSettings::OSD_EVENT).toInt();
    m_screen->setDisplaySettings(m_osd.chName, m_osd.record, m_osd.event);
}

void CDisplayWidget::UpdateEventAlarmSetting()
{
    m_eventSound->UpdateSetting();
    updateAlarm();
}

void CDisplayWidget::slotDecoderRestart(int ch) { m_displayVideo->clear(ch); }

void CDisplayWidget::slotDecoderFlush() { m_displayVideo->flush(); }

void CDisplayWidget::setPbStatus(const cgi::PbControl_Cmd& command) { m_displayVideo->setPbStatus(command); }

void CDisplayWidget::setDeinterlaced(bool on) { m_displayVideo->setDeinterlaced(on); }

bool CDisplayWidget::saveCaptureImage(const QString& path, const CAPTURE_FILEFORMAT::ENUM& format)
{
    return m_screen->saveCaptureImage(path, format);
}

void CDisplayWidget::showWaitWidget(bool show) { m_screen->showWaitWidget(this, show); }

void CDisplayWidget::start(const DISPLAY_MODE::ENUM& mode) { m_displayVideo->startDecodeThread(16, mode, m_sink); }

void CDisplayWidget::stop() { m_displayVideo->exitDecodeThread(); }

void CDisplayWidget::ClearScreen()
{
    // Pictures decoded or queued until now never reach a cell.
    m_displayVideo->layoutChanged();
    m_displayVideo->clear(-1);
    dropPendingPictures();
    m_screen->clear();
    // A running sequence goes on after the screens are laid out again.
    if (!m_sequence)
        m_seqTimer->stop();
    // Silenced, not disabled: the next marked picture sounds the alarm again.
    m_eventSound->stop();
    m_audio->player.clear();
}

void CDisplayWidget::updateAlarm()
{
    bool marked = false;
    const int cells = std::min(m_viewScreens.load(), static_cast<int>(CScreen::MAX_CELLS));
    for (int i = 0; i < cells && !marked; ++i) {
        const CDisplayInfo& info = m_screen->getInfo(i);
        marked = info.channel >= 0 && (info.motion || info.sensor);
    }
    m_eventSound->setEvent(marked);
}

// ---- frames from the streams (delivering threads) ----------------------------------------

bool CDisplayWidget::mapFrame(const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len,
                              _DISPLAY_CHANNEL_INFO* record) const
{
    FrameFacts frame;
    // Refuses frames whose data does not fit the packet and channels 16 and above.
    if (!ReadFrameHeader(info.oldProtocol, data, len, &frame) || !frame.fits)
        return false;
    const int channel = frame.channel;
    // Read before the mapping: a layout changed meanwhile marks the record as old.
    const unsigned layout = m_displayVideo->layout();
    const int screen = mapChannel(channel, info);
    // One reading of the page: it may be turned on the GUI thread meanwhile.
    const int viewStart = m_viewStart;
    if (screen < viewStart || screen >= viewStart + m_viewScreens)
        return false;

    *record = ChannelRecord(info, channel, screen, viewStart);
    record->layout = layout;
    record->record = ChannelBit(info.recordMask, channel);
    record->motion = ChannelBit(info.motionMask, channel);
    record->sensor = ChannelBit(info.sensorMask, channel);
    record->videoLoss = info.displayMode == DISPLAY_MODE::LIVE && ChannelBit(info.videoLossMask, channel);
    // The frame says what it carries; the connection's model may not be known yet.
    record->protocolType = frame.protocolType;
    return record->widgetIndex >= 0 && record->widgetIndex < CScreen::MAX_CELLS;
}

void CDisplayWidget::slotDisplayVideo(const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len)
{
    _DISPLAY_CHANNEL_INFO record;
    if (mapFrame(info, data, len, &record))
        m_displayVideo->makeImage(record, data, len);
}

const unsigned char* CDisplayWidget::selectedAudio(const DISPLAY_DVR_INFO& info, const unsigned char* data,
                                                   size_t len) const
{
    FrameFacts frame;
    // Audio data is the fixed-size rest after the data offset, checked below.
    if (!ReadFrameHeader(info.oldProtocol, data, len, &frame) || frame.frameSize == 0)
        return nullptr;
    int channel = frame.channel;
    const uint64_t offset = frame.offset;
    if (m_screenMode == SCREEN_MULTI_DVR) {
        const int screen = mapChannel(channel, info);
        if (screen < 0)
            return nullptr;
        channel = screen - info.startScreen;
    }
    if (offset > len || len - offset != static_cast<size_t>(CDecodeAudio::getEncodedSize(info.oldProtocol))) {
        qDebug("audio size error");
        return nullptr;
    }
    return channel + info.startScreen == m_selected ? data + offset : nullptr;
}

void CDisplayWidget::OnPlayAudio(const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len)
{
    if (const unsigned char* encoded = selectedAudio(info, data, len))
        m_audio->play(info.oldProtocol, encoded);
}

// ---- pictures and status (GUI thread) ----------------------------------------------------

void CDisplayWidget::storePicture(const CDisplayInfo& info)
{
    if (info.screen < 0 || info.screen >= MAX_SCREENS)
        return;
    QMutexLocker lock(&m_pendingLock);
    // Checked under the lock that emptying the display takes after it changes the layout.
    if (info.layout != m_displayVideo->layout())
        return;
    m_pending[info.screen] = info;
    if (!m_pendingSet[info.screen]) {
        m_pendingSet[info.screen] = true;
        m_pendingOrder.push_back(info.screen);
    }
    if (!m_flushPosted) {
        m_flushPosted = true;
        QMetaObject::invokeMethod(this, &CDisplayWidget::flushPictures, Qt::QueuedConnection);
    }
}

void CDisplayWidget::flushPictures()
{
    std::vector<CDisplayInfo> pictures;
    {
        QMutexLocker lock(&m_pendingLock);
        m_flushPosted = false;
        pictures.reserve(m_pendingOrder.size());
        for (int screen : m_pendingOrder) {
            pictures.push_back(std::move(m_pending[screen]));
            m_pending[screen] = CDisplayInfo();
            m_pendingSet[screen] = false;
        }
        m_pendingOrder.clear();
    }
    const unsigned layout = m_displayVideo->layout();
    for (const CDisplayInfo& info : pictures)
        if (info.layout == layout)
            slotUpdateScreen(info);
}

void CDisplayWidget::dropPendingPictures()
{
    QMutexLocker lock(&m_pendingLock);
    for (int screen : m_pendingOrder) {
        m_pending[screen] = CDisplayInfo();
        m_pendingSet[screen] = false;
    }
    m_pendingOrder.clear();
}

void CDisplayWidget::slotUpdateScreen(const CDisplayInfo& info)
{
    if (info.channel < 0)
        return;
    // A picture decoded for a page that has been turned since is not shown.
    if (!isScreenVisible(info.screen))
        return;
    const int cell = (m_screenMode == SCREEN_MULTI_DVR ? info.screen : info.channel) - m_viewStart;
    if (cell < 0 || cell >= CScreen::MAX_CELLS)
        return;
    const int selectedCell = m_selected - m_viewStart;
    const bool selectedWasEmpty = m_screen->getInfo(selectedCell).channel < 0;
    m_screen->setInfo(cell, info);
    // The main window learns the channel of the selected cell once it has one.
    if (selectedWasEmpty && cell == selectedCell)
        updateSelectScreen(m_selected);
    updateAlarm();
}

void CDisplayWidget::slotUpdateDVRStatus(const DISPLAY_DVR_INFO& info)
{
    for (int channel = 0; channel < MAX_DVR_CHANNEL; ++channel) {
        // Only the channels the connection sends own a screen.
        if (!ChannelBit(info.channelMask, channel))
            continue;
        const int screen = channelToScreen(channel, info);
        if (screen < 0)
            continue;
        _DISPLAY_CHANNEL_INFO record = ChannelRecord(info, channel, screen, m_viewStart);
        record.status = info.status;
        record.waitText = info.waitText;
        m_displayVideo->updateDVRStatus(channel, record);
    }
}

// ---- stream wiring -----------------------------------------------------------------------

void CDisplayWidget::attachStream(CHttpConnect* stream, bool audioOnly)
{
    if (!stream)
        return;
    detachStream(stream);
    auto sink = std::make_shared<StreamSink>(this, m_sink);
    StreamWiring wiring{sink, {}};
    QList<QMetaObject::Connection>& c = wiring.connections;
    // A delivery on a stream's thread takes a reference of its own to the sink first: the sink
    // then outlives the connection. The sink reaches that thread only through the connection,
    // and each functor may be freed there (a detach during an emission leaves that to the
    // stream's thread): declared by CalledElsewhere.
    c << connect(stream, &CHttpConnect::ADataReceived, this,
                 CalledElsewhere([sink](const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len) {
                     const std::shared_ptr<StreamSink> own = sink;
                     const unsigned char* encoded = nullptr;
                     own->reach([&](CDisplayWidget& widget) { encoded = widget.selectedAudio(info, data, len); });
                     if (encoded)
                         own->parts()->parts().audio.play(info.oldProtocol, encoded);
                 }), Qt::DirectConnection);
    if (!audioOnly) {
        c << connect(stream, &CHttpConnect::VDataReceived, this,
                     CalledElsewhere([sink](const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len) {
                         const std::shared_ptr<StreamSink> own = sink;
                         _DISPLAY_CHANNEL_INFO record;
                         bool mapped = false;
                         own->reach([&](CDisplayWidget& widget) { mapped = widget.mapFrame(info, data, len, &record); });
                         if (!mapped)
                             return;
                         // Decoded outside the sink's gate; the picture goes in through it, while
                         // the stream is attached.
                         own->parts()->parts().video.makeImage(record, data, len, [&own](const CDisplayInfo& picture) {
                             own->reach([&](CDisplayWidget& widget) { widget.storePicture(picture); });
                         });
                     }), Qt::DirectConnection);
        c << connect(stream, &CHttpConnect::signalConnectedDVRStatus, this,
                     CalledElsewhere([this, sink](const DISPLAY_DVR_INFO& info) {
                         if (!sink->isCut())
                             slotUpdateDVRStatus(info);
                     }));
        c << connect(stream, &CHttpConnect::DVRChannels, this, CalledElsewhere([this, sink](int channels) {
            if (!sink->isCut())
                OnDVRChannels(channels);
        }));
        // Direct, as the frames: the status and the frames around it keep their order.
        c << connect(stream, &CHttpConnect::signalPbStatus, this, CalledElsewhere([sink](uint32_t mode) {
            const std::shared_ptr<StreamSink> own = sink;
            if (mode <= INT32_MAX && PbMode_IsValid(static_cast<int>(mode)) && !own->isCut())
                own->parts()->parts().video.checkPlaybackMode(static_cast<PbMode>(mode));
        }), Qt::DirectConnection);
        c << connect(stream, &CHttpConnect::playbackEnded, this, CalledElsewhere([this, sink] {
            if (!sink->isCut())
                m_displayVideo->playbackEnded();
        }));
    }
    c << connect(stream, &QObject::destroyed, this, CalledElsewhere([this, stream] { m_wiring.remove(stream); }),
                 Qt::DirectConnection);
    m_wiring.insert(stream, wiring);
}

void CDisplayWidget::detachStream(CHttpConnect* stream)
{
    const StreamWiring wiring = m_wiring.take(stream);
    if (!wiring.sink)
        return;
    // Cut before the connections go: a delivery that comes later does nothing, and one still
    // decoding or playing hands nothing to this widget.
    wiring.sink->cut();
    for (const QMetaObject::Connection& c : wiring.connections)
        disconnect(c);
}

template <class... Args>
std::function<void(Args...)> CDisplayWidget::inletOf(void (CDisplayWidget::*slot)(Args...))
{
    return CalledElsewhere([sink = m_sink, slot](Args... args) {
        sink->reach([&](CDisplayWidget& widget) { (widget.*slot)(args...); });
    });
}

CDisplayWidget::FrameInlet
CDisplayWidget::inlet(void (CDisplayWidget::*slot)(const DISPLAY_DVR_INFO&, const unsigned char*, size_t))
{
    return inletOf(slot);
}

std::function<void(int)> CDisplayWidget::inlet(void (CDisplayWidget::*slot)(int)) { return inletOf(slot); }

std::function<void()> CDisplayWidget::inlet(void (CDisplayWidget::*slot)()) { return inletOf(slot); }
