// Requests sent over the connections: stream channels, recording, playback buttons, playback
// and backup starts; still images.
#include "Viewer.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>

#include "Common/AppDir.h"
#include "Common/ChannelNum.h"
#include "Common/DateTime.h"
#include "Common/DvrQuery.h"
#include "Common/Prompt.h"
#include "ConnectDVR.h"
#include "Display/CheckSpeed.h"
#include "Display/DisplayWidget.h"
#include "Display/Screen.h"
#include "Network/OldQuery.h"
#include "Network/SendCommand.h"
#include "Playback/BackupWidget.h"
#include "Playback/PlaybackWidget.h"
#include "Settings/AppSettings.h"

namespace {

// Old-protocol code of each playback button, by cgi::PbControl::Cmd.
constexpr char PB_CTRL_REQ_CODE[] = {'4', '6', '5', '1', '8', '7', '2', '3'};

// The bit of the k-th channel set in mask (k from 0), or 0 when it has fewer.
uint32_t NthChannelBit(uint32_t mask, int k)
{
    for (int ch = 0; ch < 16; ++ch) {
        if (!(mask & (1u << ch)))
            continue;
        if (k-- == 0)
            return 1u << ch;
    }
    return 0;
}

}  // namespace

void Viewer::sendChannelCommand(int screens, int startScreen)
{
    if (!currentConnection())
        return;
    sendChannelCommands(screens, startScreen, nullptr);
    gCheckSpeed.reset();
}

void Viewer::sendChannelCommands(int screens, int startScreen, const CConnectDVR* only)
{
    if (!currentConnection())
        return;
    const bool audio = CAppSettings().readSetting(CAppSettings::AUDIO_SUPPORT, 0).toInt() != 0;
    const bool multi = m_displayWidget->getScreenMode() == CDisplayWidget::SCREEN_MULTI_DVR;
    const int autoStream = getCodecType() == 3
                               ? (m_displayWidget->getViewScreens() > 4 ? cgi::AUTO_STREAM_SUB : cgi::AUTO_STREAM_MAIN)
                               : -1;
    for (CConnectDVR* c : std::as_const(m_connectList)) {
        if (!c || !c->IsConnected() || c->isRecording() || (only && c != only))
            continue;
        const DVR dvr = c->getDVR();
        const int first = c->getDisplayStartScreen();
        const int end = c->getDisplayEndScreen();
        const bool live = c->IsLive();
        const bool visible = end > startScreen && startScreen + screens > first;
        uint32_t mask = 0;
        if (visible) {
            const uint32_t source = live ? dvr.bit_ch() : uint32_t(m_playbackWidget->getSelectedChannels());
            for (int k = std::max(0, startScreen - first); k < startScreen + screens - first && k < 16; ++k) {
                // Live S shows channel n on screen n; Live M shows a DVR's checked channels
                // one after another from its first screen.
                mask |= multi ? NthChannelBit(source, k) : (source & (1u << k));
            }
        }
        const int cid = c->getClientID();
        // Only a shown live stream of the current protocol carries the stream kind.
        const int sentAutoStream = !dvr.old_protocol() && visible && live ? autoStream : -1;
        // A layout change is laid out again a moment later, which asks the same once more.
        const QString asked = QStringLiteral("%1 %2 %3 %4 %5 %6")
                                  .arg(cid).arg(mask).arg(live).arg(visible).arg(audio).arg(sentAutoStream);
        if (!c->takeChannelCommand(asked))
            continue;
        if (dvr.old_protocol()) {
            m_sendCommand->send(dvr, COldQuery::StreamChannel(cid, mask), CommandSubject::StreamChannel(cid));
            if (!visible || audio)
                m_sendCommand->send(dvr, COldQuery::StreamChannel(cid + 100, mask), CommandSubject::StreamChannel(cid + 100));
            continue;
        }
        cgi::StreamChannel command;
        command.set_mode(live ? cgi::MODE_LIVE : cgi::MODE_PLAYBACK);
        command.set_stream_id(static_cast<uint32_t>(cid));
        command.set_vchmask(mask);
        command.set_achmask(visible && audio ? mask : 0);
        if (sentAutoStream >= 0)
            command.set_auto_stream(static_cast<cgi::AutoStream>(sentAutoStream));
        m_sendCommand->send(dvr, CgiQueryFor(dvr, cgi::MODE_STREAM_CHANNEL, command), CommandSubject::StreamChannel(cid));
    }
}

void Viewer::OnRecordToDVRClicked()
{
    CConnectDVR* c = currentConnection();
    if (!c || !c->IsConnected())
        return;
    const DVR dvr = c->getDVR();
    m_sendCommand->send(dvr, dvr.old_protocol() ? COldQuery::Record(c->getClientID())
                                                : CgiQueryFor(dvr, cgi::MODE_RECORD_TO_DVR));
}

void Viewer::OnRecordToPCClicked()
{
    CConnectDVR* c = currentConnection();
    if (!c || !c->IsConnected()) {
        m_ui.RecToPC->setChecked(false);
        return;
    }
    if (m_ui.RecToPC->isChecked()) {
        c->recordStart();
        // A recorder that could not open its files records nothing.
        m_ui.RecToPC->setChecked(c->isRecording());
    } else {
        c->recordStop();
    }
}

void Viewer::OnChangedPbStatus(const cgi::PbControl::Cmd& cmd)
{
    CConnectDVR* c = currentConnection();
    if (!c || (c->IsConnected() && c->IsLive()))
        return;
    // A stream the DVR ended takes no more buttons; Stop still returns to the search.
    if (c->IsConnected()) {
        const DVR dvr = c->getDVR();
        if (dvr.old_protocol()) {
            const int index = static_cast<int>(cmd);
            const QChar code = index >= 0 && index < int(sizeof PB_CTRL_REQ_CODE)
                                   ? QLatin1Char(PB_CTRL_REQ_CODE[index])
                                   : QLatin1Char('1');
            m_sendCommand->send(dvr, COldQuery::PbButton(c->getClientID(), code));
        } else {
            cgi::PbControl control;
            control.set_stream_id(static_cast<uint32_t>(c->getClientID()));
            control.set_cmd(cmd);
            m_sendCommand->send(dvr, CgiQueryFor(dvr, cgi::MODE_PB_CONTROL, control));
        }
    } else if (cmd != cgi::PbControl::CMD_STOP) {
        return;
    }
    m_displayWidget->setPbStatus(cmd);
    if (cmd == cgi::PbControl::CMD_STOP) {
        // Stop ends the playback stream; the search runs again for a new choice of time.
        CConnectDVR* current = currentConnection();
        disconnectDVR(false);
        if (current)
            m_playbackWidget->search(current->getDVR(), current->getDVRChannels(), current->getClientID());
        // The label still names the DVR searched.
        showCurrentDvr();
    }
}

void Viewer::keepOnlyCurrentConnection()
{
    disconnectDVR(false);
    for (int i = 0; i < m_connectList.size(); ++i) {
        if (i != m_currentDvrIndex && m_connectList[i]) {
            delete m_connectList[i];
            m_connectList[i] = nullptr;
        }
    }
    updateDisplayScreen();
}

void Viewer::OnSelectedTime(time_t time, int channels)
{
    if (m_playbackWidget->IsLocalPlayback()) {
        disconnectDVR(true);
        m_displayWidget->start(DISPLAY_MODE::LOCAL_PLAYBACK);
        m_playbackWidget->connectSignal();
    } else if (currentConnection()) {
        keepOnlyCurrentConnection();
        CConnectDVR* c = currentConnection();
        connect(c, &CConnectDVR::connected, this, &Viewer::OnConnected, Qt::UniqueConnection);
        connect(c, &CConnectDVR::disconnected, this, &Viewer::OnDisconnected, Qt::UniqueConnection);
        CConnectDVR::PbBackupParam param;
        param.mode = 1;
        param.startTime = time;
        param.endTime = 0;
        param.channelMask = static_cast<uint32_t>(channels);
        c->startPlayback(param);
        // Named now: no connection signal comes, and the selected cell may show no channel.
        showCurrentDvr();
    }
    updateTitle();
    gCheckSpeed.reset();
}

void Viewer::OnBackupStart(time_t start, time_t end, int channels)
{
    if (!currentConnection())
        return;
    keepOnlyCurrentConnection();
    CConnectDVR* c = currentConnection();
    connect(c, &CConnectDVR::connected, this, &Viewer::OnConnected, Qt::UniqueConnection);
    connect(c, &CConnectDVR::disconnected, this, &Viewer::OnDisconnected, Qt::UniqueConnection);
    connect(c, &CConnectDVR::updateBackupProgress, m_backupWidget, &CBackupWidget::OnUpdateProgress,
            Qt::UniqueConnection);
    CConnectDVR::PbBackupParam param;
    m_backupConnection = c;
    param.mode = 2;
    param.startTime = start;
    param.endTime = end;
    param.channelMask = static_cast<uint32_t>(channels);
    c->startPlayback(param);
    updateTitle();
}

void Viewer::OnBackupStop()
{
    // Every connection stops, and with it the backup's, which need not be the current one.
    disconnectDVR(false);
    stopBackup();
    stopDisplay();
}

void Viewer::OnCaptureClicked()
{
    if (m_connectList.isEmpty())
        return;
    CAppSettings settings;
    const bool png = settings.readSetting(CAppSettings::CAPTURE_FILE_FORMAT, 0).toInt() != 0;
    const QString base = settings.readSetting(CAppSettings::PATH_LIST.at(0), QString()).toString() + QDir::separator()
                         + QDateTime::currentDateTime().toString(QLatin1String(CDateTime::FILE_TIME_FORMAT));
    const QString suffix = png ? QStringLiteral(".png") : QStringLiteral(".jpg");
    // Two captures within one second keep both pictures.
    QString name = base + suffix;
    for (int n = 1; QFileInfo::exists(name); ++n)
        name = base + QStringLiteral("_%1").arg(n) + suffix;
    bool saved = false;
    if (settings.readSetting(CAppSettings::OPENGL, 0).toInt() == OPENGL_MODE_OFF)
        saved = m_ui.DisplayFrame->grab().save(name, png ? "PNG" : "JPEG");
    else
        saved = m_displayWidget->saveCaptureImage(name, png ? CAPTURE_FILEFORMAT::PNG : CAPTURE_FILEFORMAT::JPEG);
    m_lastCapture = saved ? name : QString();
    CPrompt::current().message(nullptr, (saved ? tr("The image has been saved.") : tr("The image could not be saved."))
                                            + QStringLiteral("\n(") + name + QStringLiteral(")"));
}

void Viewer::OnSearchImageClicked()
{
    const QString file = CPrompt::current().chooseOpenFile(this, tr("Open File"), CAppDir::getCurrentPath(),
                                                          tr("Capture Images (*.png *.jpg)"));
    if (file.isEmpty())
        return;
    m_playbackWidget->clear();
    stopLocalPlayback();
    controlDisplayArea(false);
    if (!m_imageLabel) {
        m_imageLabel = new QLabel(m_ui.DisplayFrame);
        m_imageNameLabel = new QLabel(m_ui.DisplayFrame);
        m_imageNameLabel->setFixedHeight(30);
        // A large picture or a long path must not widen the window: the labels take the
        // display's place, whatever they hold.
        m_imageLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        m_imageNameLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    } else {
        m_ui.displayLayout->removeWidget(m_imageNameLabel);
        m_ui.displayLayout->removeWidget(m_imageLabel);
    }
    m_imageLabel->setAlignment(Qt::AlignCenter);
    m_imageNameLabel->setAlignment(Qt::AlignCenter);
    m_ui.displayLayout->addWidget(m_imageNameLabel);
    m_ui.displayLayout->addWidget(m_imageLabel);
    // A picture larger than the display's place is shown whole, scaled down.
    QPixmap picture(file);
    const QSize room = m_ui.DisplayFrame->contentsRect().size() - QSize(0, m_imageNameLabel->height());
    if (!picture.isNull() && !room.isEmpty() && (picture.width() > room.width() || picture.height() > room.height()))
        picture = picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_imageLabel->setPixmap(picture);
    m_imageNameLabel->setText(file);
    m_imageLabel->show();
    m_imageNameLabel->show();
}
