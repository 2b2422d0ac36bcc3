#include "EMap/EMapWidget.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QScrollArea>

#include "Common/Frame.h"
#include "Common/Prompt.h"
#include "DVRList/DVRListTree.h"
#include "Display/DisplayInfo.h"
#include "EMap/CameraWidget.h"
#include "EMap/EMapLive.h"
#include "EMap/EMapMenu.h"
#include "EMap/EMapSettings.h"
#include "Network/HttpConnect.h"
#include "Network/SendCommand.h"
#include "ProtoBuf/ListMetaTypes.h"
#include "Settings/AppSettings.h"

namespace {

constexpr int MIN_WIDTH = 730;
constexpr int MIN_HEIGHT = 490;
constexpr int START_HEIGHT = 550;

bool SameDvr(const DVR& a, const DVR& b)
{
    return a.address() == b.address() && a.port() == b.port();
}

}  // namespace

CEMapWidget::CEMapWidget(QWidget* parent) : QWidget(parent)
{
    RegisterListMetaTypes();
    m_ui.setupUi(this);
    setMinimumSize(MIN_WIDTH, MIN_HEIGHT);
    resize(MIN_WIDTH, START_HEIGHT);
    setAttribute(Qt::WA_DeleteOnClose);
    m_imageLabel = new QLabel(this);
    m_imageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_imageLabel->setBackgroundRole(QPalette::Mid);
    m_imageLabel->setAutoFillBackground(true);
    setAcceptDrops(true);
    m_sendCommand = new CSendCommand(this);
}

CEMapWidget::~CEMapWidget()
{
    // Nothing an icon or a stream reports may reach a view half torn down.
    for (CCameraWidget* icon : m_cameraWidgets)
        icon->disconnect(this);
    closeVideoWidget();
    stopStreams();
    for (CCameraWidget* icon : m_cameraWidgets)
        icon->close();
    m_cameraWidgets.clear();
    m_videoDecoder.Deinit();
}

void CEMapWidget::languageChange()
{
    m_ui.retranslateUi(this);
}

void CEMapWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}

uint32_t CEMapWidget::showVideoMask(int connection) const
{
    return connection >= 0 && connection < m_showVideoChannel.size() ? m_showVideoChannel[connection] : 0;
}

// ---- Picture -------------------------------------------------------------------------------

void CEMapWidget::updateImage(const QString& path)
{
    // A picture that cannot be read leaves the label empty; only a regular file is read (a
    // FIFO would block the window for ever).
    m_mapPixmap = QFileInfo(path).isFile() ? QPixmap(path) : QPixmap();
    updateImageSize();
}

QSize CEMapWidget::areaSize() const
{
    return parentWidget() ? parentWidget()->size() : size();
}

QPixmap CEMapWidget::shownPicture() const
{
    if (m_mapPixmap.isNull() || EMapSettings::imageSize() == EMapSettings::IMAGE_ORIGINAL)
        return m_mapPixmap;
    return m_mapPixmap.scaled(areaSize(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void CEMapWidget::updateImageSize()
{
    if (QLayout* old = layout()) {
        while (QLayoutItem* item = old->takeAt(0))
            delete item;
        delete old;
    }
    // The label and its icons outlive every change of layout.
    if (m_scrollArea) {
        m_scrollArea->takeWidget();
        m_imageLabel->setParent(this);
        delete m_scrollArea;
    }
    auto* box = new QHBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    if (EMapSettings::imageSize() == EMapSettings::IMAGE_ORIGINAL) {
        m_scrollArea = new QScrollArea(this);
        m_scrollArea->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
        m_scrollArea->setWidgetResizable(true);
        m_imageLabel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        m_scrollArea->setWidget(m_imageLabel);
        box->addWidget(m_scrollArea);
        m_imageLabel->resize(m_mapPixmap.size());
    } else {
        // The layout gives the label the area; the picture never widens the view.
        m_imageLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        box->addWidget(m_imageLabel);
        m_imageLabel->resize(areaSize());
    }
    m_imageLabel->setPixmap(shownPicture());
    m_imageLabel->show();
    moveCameraWidget();
}

void CEMapWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_imageLabel->setPixmap(shownPicture());
    moveCameraWidget();
}

void CEMapWidget::moveCameraWidget()
{
    for (int i = 0; i < m_cameraWidgets.size() && i < m_emap.items_size(); ++i)
        m_cameraWidgets[i]->move(shownPosition(m_emap.items(i)));
}

// Stored positions are pixels of the picture file, as "Original" draws it; "Adjust" draws it
// at the size of the area, which differs between the modes, so they are scaled here.
QPoint CEMapWidget::shownPosition(const EMapItems& item) const
{
    const QSize shown = m_imageLabel->pixmap().size();
    if (m_mapPixmap.isNull() || shown.isEmpty() || shown == m_mapPixmap.size())
        return {item.pos_x(), item.pos_y()};
    return {qRound(item.pos_x() * double(shown.width()) / m_mapPixmap.width()),
            qRound(item.pos_y() * double(shown.height()) / m_mapPixmap.height())};
}

void CEMapWidget::storePosition(EMapItems* item, const QPoint& shownPos) const
{
    const QSize shown = m_imageLabel->pixmap().size();
    QPoint pos = shownPos;
    if (!m_mapPixmap.isNull() && !shown.isEmpty() && shown != m_mapPixmap.size())
        pos = QPoint(qRound(shownPos.x() * double(m_mapPixmap.width()) / shown.width()),
                     qRound(shownPos.y() * double(m_mapPixmap.height()) / shown.height()));
    item->set_pos_x(pos.x());
    item->set_pos_y(pos.y());
}

// ---- The map and its streams ---------------------------------------------------------------

CCameraWidget* CEMapWidget::createCamera()
{
    auto* icon = new CCameraWidget(m_imageLabel);
    connect(icon, &CCameraWidget::updatePosition, this, &CEMapWidget::OnUpdatePosition);
    connect(icon, &CCameraWidget::deleteCamera, this, &CEMapWidget::OnDeleteCamera);
    connect(icon, &CCameraWidget::showVideo, this, &CEMapWidget::OnShowVideo);
    connect(icon, &CCameraWidget::closeVideo, this, &CEMapWidget::OnCloseVideo);
    connect(icon, &CCameraWidget::updateLog, this, &CEMapWidget::OnUpdateLog);
    icon->setEditable(m_editable);
    return icon;
}

void CEMapWidget::setSelectedEMap(const EMap& emap)
{
    stopStreams();
    m_videoDecoder.Deinit();
    m_emap = emap;
    updateImage(QString::fromStdString(emap.map_image_path()));
    for (CCameraWidget* icon : m_cameraWidgets)
        icon->close();
    m_cameraWidgets.clear();

    const EMapStreamPlan plan = EMap_PlanStreams(emap);
    for (int i = 0; i < emap.items_size(); ++i) {
        const EMapItems& item = emap.items(i);
        CCameraWidget* icon = createCamera();
        icon->setDVR(item.dvr(), item.channel());
        if (!m_editable)
            icon->setConnectionID(plan.streamOfItem[i]);
        m_cameraWidgets.append(icon);
        // Stored positions are taken as they are: no question per camera.
        icon->move(shownPosition(item));
        icon->show();
    }
    if (m_editable)
        return;
    openStreams(plan.streams);
    m_videoDecoder.Init(int(m_cameraWidgets.size()));
    m_videoDecoder.changeOpenglOption(CAppSettings().readSetting(CAppSettings::OPENGL, 0).toInt() != OPENGL_MODE_OFF);
    m_videoDecoder.setDeinterlaced(false);
}

void CEMapWidget::openStreams(const QList<DVR>& streams)
{
    CHttpConnect::ConnParam param;
    param.mode = 0;
    param.playbackMode = true;
    param.emapLive = true;
    param.audio = CAppSettings().readSetting(CAppSettings::AUDIO_SUPPORT, false).toBool();
    param.codec = 0;
    param.startTime = 0;
    param.endTime = 0;
    for (int j = 0; j < streams.size(); ++j) {
        auto* connection = new CHttpConnect;
        for (CCameraWidget* icon : m_cameraWidgets) {
            if (icon->getConnectionID() == j)
                connect(connection, &CHttpConnect::signalEMapStatus, icon, &CCameraWidget::OnCameraStatus);
        }
        connect(connection, &CHttpConnect::EMapDataReceived, this, &CEMapWidget::OnDisplayVideo);
        connect(connection, &CHttpConnect::Connected, this,
                [this, connection](const cgi::DvrInfo&, int cid) { onStreamConnected(connection, cid); });
        if (m_noPacketTimeoutMs > 0)
            connection->setNoPacketTimeout(m_noPacketTimeoutMs);
        m_connections.append(connection);
        m_streamMasks.append(streams[j].bit_ch());
        m_showVideoChannel.append(0);
        m_maskClientId.append(-1);
        connection->Connect(streams[j], param);
    }
}

void CEMapWidget::stopStreams()
{
    for (CHttpConnect* connection : m_connections)
        CHttpConnect::Dispose(connection);
    m_connections.clear();
    // Frames and connects still queued name streams that are gone.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    m_streamMasks.clear();
    m_showVideoChannel.clear();
    m_maskClientId.clear();
}

void CEMapWidget::closeVideoWidget()
{
    for (CCameraWidget* icon : m_cameraWidgets)
        icon->closeVideoWidget();
}

void CEMapWidget::OnUpdateLog(const QString& strTime, EMap_Status::ENUM status)
{
    const auto* icon = qobject_cast<const CCameraWidget*>(sender());
    if (!icon)
        return;
    const QString line = EMap_LogLine(strTime, icon->getDVR(), icon->getCameraIndex(), status);
    if (!line.isEmpty())
        emit updateLog(line);
}

// ---- Editing -------------------------------------------------------------------------------

void CEMapWidget::setCameraItem(const DVR& dvr, int camera)
{
    m_dropDvr = dvr;
    m_dropChannel = camera;
}

bool CEMapWidget::acceptsDrag(QDropEvent* event) const
{
    const QMimeData* mime = event->mimeData();
    const bool accepted = m_editable && mime && mime->hasFormat(QLatin1String(DVR_CAMERA_MIME_TYPE));
    if (accepted)
        event->acceptProposedAction();
    else
        event->ignore();
    return accepted;
}

void CEMapWidget::dragEnterEvent(QDragEnterEvent* event)
{
    qDebug("EMap Widget dragEnter");
    acceptsDrag(event);
}

void CEMapWidget::dragMoveEvent(QDragMoveEvent* event)
{
    qDebug("EMap Widget dragMove");
    acceptsDrag(event);
}

void CEMapWidget::dragLeaveEvent(QDragLeaveEvent* event)
{
    qDebug("EMap Widget dragLeave");
    QWidget::dragLeaveEvent(event);
}

void CEMapWidget::dropEvent(QDropEvent* event)
{
    if (!acceptsDrag(event))
        return;
    if (m_dropDvr.address().empty()) {
        CPrompt::current().message(nullptr, tr("Please confirm the dvr information."));
        return;
    }
    for (const CCameraWidget* icon : m_cameraWidgets) {
        if (SameDvr(icon->getDVR(), m_dropDvr) && icon->getCameraIndex() == m_dropChannel) {
            CPrompt::current().message(nullptr, tr("The camera is in the emap."));
            return;
        }
    }
    CCameraWidget* icon = createCamera();
    icon->setDVR(m_dropDvr, m_dropChannel);
    icon->show();
    // The new camera goes under the pointer.
    icon->moveWidget();
    m_cameraWidgets.append(icon);
    EMapItems* item = m_emap.add_items();
    *item->mutable_dvr() = m_dropDvr;
    item->set_channel(m_dropChannel);
    storePosition(item, icon->pos());
    emit signalSaveEMap(m_emap);
    qDebug("EMap Widget dropEvent dvrname = %s, ch = %s", m_dropDvr.name().c_str(),
           qPrintable(icon->title()));
}

void CEMapWidget::OnUpdatePosition()
{
    const int i = m_cameraWidgets.indexOf(qobject_cast<CCameraWidget*>(sender()));
    if (i < 0 || i >= m_emap.items_size())
        return;
    storePosition(m_emap.mutable_items(i), m_cameraWidgets[i]->pos());
    emit signalSaveEMap(m_emap);
}

void CEMapWidget::OnDeleteCamera()
{
    const int i = m_cameraWidgets.indexOf(qobject_cast<CCameraWidget*>(sender()));
    if (i >= 0 && i < m_emap.items_size()) {
        m_emap.mutable_items()->DeleteSubrange(i, 1);
        m_cameraWidgets.takeAt(i)->close();
    }
    emit signalSaveEMap(m_emap);
}

void CEMapWidget::OnDeleteAll()
{
    m_emap.clear_items();
    for (CCameraWidget* icon : m_cameraWidgets)
        icon->close();
    m_cameraWidgets.clear();
    emit signalSaveEMap(m_emap);
}

void CEMapWidget::contextMenuEvent(QContextMenuEvent* event)
{
    EMap_RunEditMenu(event, m_editable, tr("Delete All"), [this] { OnDeleteAll(); });
}

// ---- Pop-up video --------------------------------------------------------------------------

void CEMapWidget::OnShowVideo()
{
    if (auto* icon = qobject_cast<CCameraWidget*>(sender()))
        changePopup(icon, true);
}

void CEMapWidget::OnCloseVideo()
{
    if (auto* icon = qobject_cast<CCameraWidget*>(sender()))
        changePopup(icon, false);
}

void CEMapWidget::changePopup(CCameraWidget* icon, bool open)
{
    QMutexLocker lock(&m_maskMutex);
    const int id = icon->getConnectionID();
    const uint32_t bit = EMap_ChannelBit(icon->getCameraIndex());
    if (id >= 0 && id < m_connections.size() && bit != 0) {
        const uint32_t old = m_showVideoChannel[id];
        if (open != bool(old & bit)) {
            if (open)
                qDebug("m_showVideoChannel : %04X\n", old);
            m_showVideoChannel[id] = open ? old | bit : old & ~bit;
            sendStreamChannel(icon, id);
        }
    }
    const int slot = int(m_cameraWidgets.indexOf(icon));
    if (slot >= 0)
        m_videoDecoder.RestartIPicture(slot);
}

void CEMapWidget::sendStreamChannel(const CCameraWidget* icon, int connection)
{
    // Before its first frame a stream has no id; its mask goes out when the id comes.
    const int clientId = m_connections[connection]->getClientID();
    if (clientId < 0)
        return;
    m_maskClientId[connection] = clientId;
    // An old DVR adds each e-map mask to the ones before: none of them may be dropped.
    const DVR dvr = icon->getDVR();
    CommandSubject subject;
    subject.stream = clientId;
    if (!dvr.old_protocol())
        subject = CommandSubject::StreamChannel(clientId);
    m_sendCommand->send(dvr, EMap_PopupQuery(dvr, m_streamMasks[connection], clientId, m_showVideoChannel[connection]),
                        subject);
}

void CEMapWidget::onStreamConnected(CHttpConnect* connection, int clientId)
{
    QMutexLocker lock(&m_maskMutex);
    const int id = int(m_connections.indexOf(connection));
    if (id < 0 || m_showVideoChannel[id] == 0 || m_maskClientId[id] == clientId)
        return;
    // A new stream (the first, or one opened again) sends headers only until told.
    for (const CCameraWidget* icon : m_cameraWidgets) {
        if (icon->getConnectionID() == id && (m_showVideoChannel[id] & EMap_ChannelBit(icon->getCameraIndex()))) {
            sendStreamChannel(icon, id);
            return;
        }
    }
}

void CEMapWidget::OnDisplayVideo(const DISPLAY_DVR_INFO& info, const QByteArray& data)
{
    if (!isVisible())
        return;
    FrameFacts frame;
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
    if (!ReadFrameHeader(info.oldProtocol, bytes, size_t(data.size()), &frame) || !frame.fits)
        return;
    const int c = int(m_connections.indexOf(qobject_cast<CHttpConnect*>(sender())));
    if (c < 0)
        return;
    int k = 0;
    while (k < m_cameraWidgets.size()
           && !(m_cameraWidgets[k]->getConnectionID() == c && m_cameraWidgets[k]->getCameraIndex() == frame.channel))
        ++k;
    if (k == m_cameraWidgets.size())
        return;
    CCameraWidget* icon = m_cameraWidgets[k];
    const uint32_t bit = EMap_ChannelBit(frame.channel);

    QMutexLocker lock(&m_maskMutex);
    if (!(m_showVideoChannel[c] & bit)) {
        m_videoDecoder.RestartIPicture(k);
        return;
    }
    CDisplayInfo shown;
    if (!info.oldProtocol) {
        shown.record = info.recordMask & bit;
        shown.motion = info.motionMask & bit;
        shown.sensor = info.sensorMask & bit;
        shown.videoLoss = info.videoLossMask & bit;
    } else {
        shown.record = frame.info & 0x20;
        shown.motion = frame.info & 0x08;
        shown.sensor = frame.info & 0x10;
        shown.videoLoss = frame.videoLoss & bit;
    }
    const size_t decoded =
        m_videoDecoder.DecodeFrame(frame.protocolType, k, bytes + frame.offset, frame.rawSize, frame.resolution, frame.kind);
    if (decoded > 0) {
        // The decoder's shared picture keeps its pixels alive while the pop-up holds it.
        shown.image = m_videoDecoder.GetDecodedImage(k);
        shown.channel = frame.channel;
        shown.screen = 0;
        shown.authorised = info.authorityMask & bit;
        shown.failed = false;
        shown.title = QString::fromStdString(icon->getDVR().name());
        shown.channelName = icon->title();
        shown.frameBytes = uint32_t(frame.rawSize);
        icon->setDisplayInfo(shown);
    }
    if (frame.kind == FRAME_KEY)
        icon->setDisplayTime(static_cast<unsigned int>(frame.time.sec));
}
