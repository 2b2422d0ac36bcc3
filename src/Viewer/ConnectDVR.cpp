#include "ConnectDVR.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>

#include "Common/Frame.h"
#include "DVRList/ControlDVRList.h"
#include "Display/DisplayWidget.h"
#include "Network/HttpConnect.h"
#include "ProtoBuf/ListMetaTypes.h"
#include "Settings/AppSettings.h"
#include "SysData/Record.h"
#include "dvr_types/model_info.h"

namespace {

bool SettingOn(const QString& key)
{
    return CAppSettings().readSetting(key, CAppSettings::defaultSetting(key)).toInt() != 0;
}

}  // namespace

CConnectDVR::CConnectDVR(QObject* parent)
    : QObject(parent), m_video(new CHttpConnect), m_audio(new CHttpConnect), m_record(new CRecord)
{
    m_reconnect.setSingleShot(true);
    m_reconnect.setInterval(RECONNECT_MS);
    connect(&m_reconnect, &QTimer::timeout, this, &CConnectDVR::OnTimer);
    connect(m_record.get(), &CRecord::recordFailed, this, [this](const QString& text) {
        // A backup's panel says where its files are.
        const bool backup = m_recordEndTime != 0;
        const QString folder = QDir::toNativeSeparators(m_record->folder());
        recordStop();
        emit recordFailed(backup ? text : text + QLatin1Char('\n') + recordingEndedText(folder));
    });
}

CConnectDVR::~CConnectDVR()
{
    disconnect();
    // A stream thread that does not end keeps the recorder it may be writing into.
    const std::shared_ptr<QObject> record(m_record.release());
    CHttpConnect::Dispose(m_audio.release(), record);
    CHttpConnect::Dispose(m_video.release(), record);
}

void CConnectDVR::setDVR(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const QVariant data = item->data(0, DVR_TREE_DATA_ROLE);
    if (data.canConvert<DVR>())
        m_dvr = data.value<DVR>();
    QTreeWidgetItem* group = item->parent();
    m_tree = item->treeWidget();
    m_groupRow = m_tree && group ? m_tree->indexOfTopLevelItem(group) : -1;
    m_dvrRow = group ? group->indexOfChild(item) : -1;
}

void CConnectDVR::setDVR(const DVR& dvr) { m_dvr = dvr; }

void CConnectDVR::setNoPacketTimeout(int ms) { m_video->setNoPacketTimeout(ms); }

QTreeWidgetItem* CConnectDVR::treeItem() const
{
    if (!m_tree || m_groupRow < 0 || m_dvrRow < 0)
        return nullptr;
    QTreeWidgetItem* group = m_tree->topLevelItem(m_groupRow);
    return group ? group->child(m_dvrRow) : nullptr;
}

void CConnectDVR::setTreeIcon(const QIcon& icon)
{
    if (QTreeWidgetItem* item = treeItem())
        item->setIcon(0, icon);
}

void CConnectDVR::setDisplayScreen(int start, int count)
{
    m_video->setDisplayScreen(start, count);
    if (m_dvr.old_protocol())
        m_audio->setDisplayScreen(start, count);
}

int CConnectDVR::getDisplayStartScreen() const { return m_video->getStartScreen(); }

int CConnectDVR::getDisplayEndScreen() const { return m_video->getEndScreen(); }

int CConnectDVR::getCodec() const
{
    const int type = CAppSettings().readSetting(CAppSettings::CODEC_TYPE, 0).toInt();
    if (type == 1)
        return 1;
    if (type == 3)
        return m_display && m_display->getViewScreens() > 4 ? 1 : 0;
    return 0;
}

int CConnectDVR::getDVRChannels() const { return m_video->IsConnected() ? m_video->getDVRChannels() : 16; }

int CConnectDVR::getVideoType() const { return m_video->getVideoType(); }

bool CConnectDVR::IsConnected() const { return m_video->IsConnected(); }

bool CConnectDVR::IsLive() const { return m_video->IsLive(); }

bool CConnectDVR::isRecording() const { return m_record->isRecording(); }

void CConnectDVR::showWaitWidget(bool show)
{
    if (!show) {
        if (m_waitShownOn)
            m_waitShownOn->showWaitWidget(false);
        m_waitShownOn = nullptr;
        return;
    }
    if (m_display) {
        m_display->showWaitWidget(true);
        m_waitShownOn = m_display;
    }
}

void CConnectDVR::wireStream(void (CConnectDVR::*onConnected)(cgi::DvrInfo, int))
{
    QObject::disconnect(m_video.get(), &CHttpConnect::Connected, this, nullptr);
    QObject::disconnect(m_video.get(), &CHttpConnect::signalConnectionFailed, this, nullptr);
    connect(m_video.get(), &CHttpConnect::Connected, this, onConnected);
    connect(m_video.get(), &CHttpConnect::signalConnectionFailed, this, &CConnectDVR::slotConnectionFailed);
    connect(m_video.get(), &CHttpConnect::backupEnded, this, &CConnectDVR::backupEnded, Qt::UniqueConnection);
    connect(m_video.get(), &CHttpConnect::playbackEnded, this, &CConnectDVR::OnPlaybackEnded, Qt::UniqueConnection);
    connect(m_video.get(), &CHttpConnect::waitingForStops, this, &CConnectDVR::OnWaitingForStops,
            Qt::UniqueConnection);
}

void CConnectDVR::startLive(bool showWait)
{
    m_clientId = 0;
    showWaitWidget(showWait);
    wireStream(&CConnectDVR::OnConnected);
    CHttpConnect::ConnParam param;
    param.mode = 0;
    param.playbackMode = true;
    param.emapLive = false;
    param.audio = SettingOn(CAppSettings::AUDIO_SUPPORT);
    param.codec = getCodec();
    m_video->Connect(m_dvr, param);
}

void CConnectDVR::startPlayback(const PbBackupParam& p)
{
    if (p.mode != 1 && p.mode != 2) {
        qDebug("[ERROR] startPlayback : Unknown Mode[%d]", p.mode);
        return;
    }
    m_recordEndTime = p.endTime;
    // A backup records from its stream's first frame: the recorder is there before it, and
    // the stream tells it the DVR's names and model. A backup that cannot be written is not
    // streamed at all, nor waited for.
    if (m_recordEndTime != 0) {
        recordStart();
        if (!isRecording())
            return;
    }
    showWaitWidget(true);
    wireStream(&CConnectDVR::OnPlay);
    DVR dvr = m_dvr;
    dvr.set_bit_ch(p.channelMask);
    CHttpConnect::ConnParam param;
    param.mode = p.mode;
    param.playbackMode = SettingOn(CAppSettings::PLAYBACK_MODE);
    param.emapLive = false;
    param.audio = SettingOn(CAppSettings::AUDIO_SUPPORT);
    param.codec = 0;
    param.startTime = p.startTime;
    param.endTime = p.endTime;
    m_video->Connect(dvr, param);
}

void CConnectDVR::startAudio(int cid)
{
    CHttpConnect::ConnParam param;
    param.mode = m_video->getConnectedMode();
    param.playbackMode = true;
    param.emapLive = false;
    param.audio = true;
    param.codec = getCodec();
    m_audio->audioConnect(m_dvr, param, cid);
}

void CConnectDVR::takeStreamKind()
{
    // The kind the frames told stands: the model kept in the DVR information may be a
    // stand-in chosen by channel count, which says nothing about the coding.
    if (const int learned = m_video->getProtocolType())
        m_dvr.set_protocol_type(learned);
}

void CConnectDVR::OnConnected(cgi::DvrInfo info, int cid)
{
    showWaitWidget(false);
    m_channelCommand.clear();
    m_dvrInfo = info;
    const int channels = static_cast<int>(info.ch_num());
    if (!m_dvr.old_protocol()) {
        if (!DvrModel::IsValid(static_cast<int>(std::min<uint32_t>(info.model(), INT32_MAX)))) {
            if (channels == 4)
                m_dvrInfo.set_model(6);
            else if (channels == 8)
                m_dvrInfo.set_model(5);
            else if (channels == 16)
                m_dvrInfo.set_model(4);
        }
    } else {
        takeStreamKind();
        if (SettingOn(CAppSettings::AUDIO_SUPPORT))
            startAudio(cid);
        if (!CUFrame::IsValidModel(static_cast<int>(std::min<uint32_t>(info.model(), INT32_MAX)))) {
            if (channels == 4)
                m_dvrInfo.set_model(19);
            else if (channels == 8)
                m_dvrInfo.set_model(20);
            else if (channels == 16)
                m_dvrInfo.set_model(21);
        }
    }
    m_clientId = cid;
    setTreeIcon(CControlDVRList::getConnectedIcon());
    emit connected();
}

void CConnectDVR::OnPlay(cgi::DvrInfo info, int cid)
{
    showWaitWidget(false);
    m_channelCommand.clear();
    m_dvrInfo = info;
    m_clientId = cid;
    if (m_dvr.old_protocol()) {
        takeStreamKind();
        if (SettingOn(CAppSettings::AUDIO_SUPPORT))
            startAudio(cid);
    }
    if (m_recordEndTime != 0 && !isRecording())
        recordStart();
}

void CConnectDVR::OnPlaybackEnded()
{
    // The sound of an old DVR's playback ends with its picture.
    if (m_dvr.old_protocol())
        m_audio->Disconnect();
}

void CConnectDVR::OnWaitingForStops(bool waiting)
{
    // The first picture of the next stream ends the wait indicator and shows the DVR connected.
    if (!waiting)
        return;
    setTreeIcon(CControlDVRList::getDVRIcon());
    showWaitWidget(true);
}

void CConnectDVR::stopStreams()
{
    showWaitWidget(false);
    m_channelCommand.clear();
    recordStop();
    if (m_dvr.old_protocol())
        m_audio->Disconnect();
    m_video->Disconnect();
    unwireStreams();
}

void CConnectDVR::unwireStreams()
{
    QObject::disconnect(m_video.get(), nullptr, this, nullptr);
    QObject::disconnect(m_audio.get(), nullptr, this, nullptr);
    if (m_display) {
        m_display->detachStream(m_video.get());
        m_display->detachStream(m_audio.get());
    }
}

void CConnectDVR::slotConnectionFailed()
{
    // A second report of the same failure, while the reconnect waits, changes nothing.
    if (m_reconnect.isActive())
        return;
    setTreeIcon(CControlDVRList::getConnectionFailedIcon());
    // A recording to the PC ends with the stream; a backup tells its own end.
    endRecording(QCoreApplication::translate("CHttpConnect", "Connection failed"));
    stopStreams();
    emit disconnected();
    if (SettingOn(CAppSettings::RECONNECT))
        m_reconnect.start();
}

QString CConnectDVR::recordingEndedText(const QString& folder) const
{
    return tr("The recording of \"%1\" ended before you stopped it. The files written so far are in \"%2\".")
        .arg(QString::fromStdString(m_dvr.name()), folder);
}

void CConnectDVR::endRecording(const QString& reason)
{
    if (!isRecording() || m_recordEndTime != 0)
        return;
    const QString folder = QDir::toNativeSeparators(m_record->folder());
    recordStop();
    emit recordFailed(QCoreApplication::translate("CRecord", "Recording stopped: %1").arg(reason) + QLatin1Char('\n')
                      + recordingEndedText(folder));
}

void CConnectDVR::OnTimer() { startLive(false); }

void CConnectDVR::disconnect()
{
    // A DVR the operator disconnected never reconnects itself.
    m_reconnect.stop();
    stopStreams();
    setTreeIcon(CControlDVRList::getDVRIcon());
    emit disconnected();
}

void CConnectDVR::setDisplayWidget(CDisplayWidget* widget)
{
    if (m_display) {
        m_display->detachStream(m_video.get());
        m_display->detachStream(m_audio.get());
    }
    m_display = widget;
    if (!widget)
        return;
    widget->attachStream(m_video.get());
    if (m_dvr.old_protocol())
        widget->attachStream(m_audio.get(), true);
}

void CConnectDVR::resetDisplayWidget() { setDisplayWidget(nullptr); }

void CConnectDVR::recordStart()
{
    // Stopping an earlier recording clears the end time this one is for.
    const int64_t endTime = m_recordEndTime;
    recordStop();
    m_recordEndTime = endTime;
    if (m_recordEndTime != 0)
        m_progressRelay = connect(m_video.get(), &CHttpConnect::updateBackupProgress, this,
                                  &CConnectDVR::updateBackupProgress);
    m_record->start(QString::fromStdString(m_dvr.name()), m_dvrInfo, static_cast<time_t>(m_recordEndTime));
    if (!m_record->isRecording()) {
        QObject::disconnect(m_progressRelay);
        return;
    }
    m_video->SetRecordPtr(m_record.get());
    if (m_dvr.old_protocol())
        m_audio->SetRecordPtr(m_record.get());
}

void CConnectDVR::recordStop()
{
    if (!m_record->isRecording())
        return;
    m_video->SetRecordPtr(nullptr);
    if (m_dvr.old_protocol())
        m_audio->SetRecordPtr(nullptr);
    QObject::disconnect(m_progressRelay);
    m_record->stop();
    m_recordEndTime = 0;
}

bool CConnectDVR::takeChannelCommand(const QString& asked)
{
    if (asked == m_channelCommand)
        return false;
    m_channelCommand = asked;
    return true;
}

void CConnectDVR::updateStatus() { m_video->UpdateConnectedDVRStatus(); }
