#include "EMap/CameraWidget.h"

#include <algorithm>

#include <QContextMenuEvent>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "Common/DateTime.h"
#include "Common/Prompt.h"
#include "EMap/EMapLive.h"
#include "EMap/EMapMenu.h"
#include "EMap/EMapSettings.h"

namespace {

const QString CAMERA_PICTURE = QStringLiteral(":/Viewer/files/images/camera.png");
const QString RECORDING_PICTURE = QStringLiteral(":/Viewer/files/images/camera_record.png");

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

// A camera title over any picture: the text ringed by a one-pixel outline of the opposite
// lightness, so a light title still reads on a light floor plan and a dark one on a photo.
class CTitleLabel : public QLabel {
public:
    explicit CTitleLabel(QWidget* parent) : QLabel(parent)
    {
        setTextFormat(Qt::PlainText);
        setAlignment(Qt::AlignCenter);
        setContentsMargins(1, 1, 1, 1);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QColor colour = palette().color(foregroundRole());
        const QRect box = contentsRect();
        painter.setPen(colour.lightness() > 127 ? Qt::black : Qt::white);
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (dx || dy)
                    painter.drawText(box.translated(dx, dy), int(alignment()), text());
        painter.setPen(colour);
        painter.drawText(box, int(alignment()), text());
    }
};

}  // namespace

CameraPlacement PlaceCamera(const QPoint& pointer, const QSize& icon, const QSize& label, const QRect& picture)
{
    int x = pointer.x() - icon.width() / 2;
    int y = pointer.y() - icon.height() / 2;
    if (pointer.x() < 0 || x < 0)
        x = 0;
    if (pointer.y() < 0 || y < 0)
        y = 0;
    x = std::min(x, label.width() - icon.width() - 1);
    y = std::min(y, label.height() - icon.height() - 1);
    const QPoint pos(x, y);
    return {pos, picture.contains(pos)};
}

CCameraWidget::CCameraWidget(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_DeleteOnClose);
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(1);
    m_iconLabel = new QLabel(this);
    setPicture(false);
    m_iconLabel->setFixedSize(m_iconLabel->pixmap().size());
    m_nameLabel = new CTitleLabel(this);
    m_layout->addWidget(m_iconLabel, 0, Qt::AlignHCenter);
    m_layout->addWidget(m_nameLabel, 0, Qt::AlignHCenter);
    adjustSize();
    // Placed by the map view: at a stored position, or under the pointer for a drop.
    m_popDownTimer = new QTimer(this);
    m_popDownTimer->setSingleShot(true);
    connect(m_popDownTimer, &QTimer::timeout, this, &CCameraWidget::closeVideoWidget);
}

CCameraWidget::~CCameraWidget()
{
    closeVideoWidget();
}

void CCameraWidget::setPicture(bool recording)
{
    m_iconLabel->setPixmap(QPixmap(recording ? RECORDING_PICTURE : CAMERA_PICTURE));
}

QString CCameraWidget::title() const
{
    return EMap_CameraTitle(m_cameraDvr, m_cameraIndex);
}

void CCameraWidget::setDVR(const DVR& dvr, int camera)
{
    m_cameraDvr = dvr;
    m_cameraIndex = camera;
    setToolTip(tr("DVR Name : %1\n").arg(Utf8(dvr.name())) + tr("Address : %1\n").arg(Utf8(dvr.address()))
               + tr("Port : %1\n").arg(dvr.port()) + tr("User : %1\n").arg(Utf8(dvr.id()))
               + tr("Camera : %1\n").arg(title()));
    // A title is shown as it is, never as markup.
    m_nameLabel->setText(title());
    m_iconLabel->setAlignment(Qt::AlignHCenter);
    adjustSize();
}

QRect CCameraWidget::pictureRect() const
{
    // The picture label shows its picture from its top left corner.
    const auto* label = qobject_cast<const QLabel*>(parentWidget());
    return label ? QRect(QPoint(0, 0), label->pixmap().size()) : QRect();
}

CameraPlacement CCameraWidget::placement(const QPoint& globalPointer) const
{
    const QWidget* parent = parentWidget();
    if (!parent)
        return {pos(), false};
    return PlaceCamera(parent->mapFromGlobal(globalPointer), size(), parent->size(), pictureRect());
}

void CCameraWidget::moveWidget()
{
    const CameraPlacement place = placement(QCursor::pos());
    if (place.onPicture) {
        move(place.pos);
        return;
    }
    CPrompt::current().message(nullptr, tr("Please check the position of the camera."));
    const QRect picture = pictureRect();
    move((picture.left() + picture.right()) / 2, (picture.top() + picture.bottom()) / 2);
}

// ---- Editing ---------------------------------------------------------------------------

void CCameraWidget::mousePressEvent(QMouseEvent* event)
{
    // The drag's events stay here: passed on, they reach the main window, which drags itself.
    if (m_editable && event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragStart = pos();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void CCameraWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging || !m_editable) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    // A drag stays on the picture without a word.
    CameraPlacement place = placement(event->globalPosition().toPoint());
    const QRect picture = pictureRect();
    if (!place.onPicture && !picture.isEmpty())
        place.pos = QPoint(std::clamp(place.pos.x(), picture.left(), picture.right()),
                           std::clamp(place.pos.y(), picture.top(), picture.bottom()));
    move(place.pos);
    event->accept();
}

void CCameraWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    // The map is stored once per drag, not on every step of it.
    if (m_editable && pos() != m_dragStart)
        emit updatePosition();
    m_dragging = false;
    event->accept();
}

void CCameraWidget::contextMenuEvent(QContextMenuEvent* event)
{
    EMap_RunEditMenu(event, m_editable, tr("Delete"), [this] { emit deleteCamera(); });
}

void CCameraWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_fillColor);
    painter.drawRect(m_iconLabel->geometry());
}

// ---- Live state --------------------------------------------------------------------------

void CCameraWidget::OnCameraStatus(int ch, const QString& strTime, bool recordStatus, EMap_Status::ENUM status)
{
    if (!isVisible() || ch != m_cameraIndex)
        return;
    // Also after the stream was lost: its next stream connects the camera again.
    const bool wasDown = m_status == 0 || m_status == EMap_Status::DISCONNECTED;
    if (wasDown && (status == EMap_Status::CONNECTED || status == EMap_Status::MOTION
                    || status == EMap_Status::SENSOR || status == EMap_Status::MOTION_SENSOR))
        emit updateLog(strTime, EMap_Status::CONNECTED);
    if (status != m_status) {
        m_status = status;
        bool event = false;
        switch (status) {
        case EMap_Status::DISCONNECTED: m_fillColor = Qt::transparent; break;
        case EMap_Status::VIDEO_LOSS: m_fillColor = Qt::black; break;
        case EMap_Status::MOTION: m_fillColor = Qt::green; event = true; break;
        case EMap_Status::SENSOR: m_fillColor = Qt::yellow; event = true; break;
        case EMap_Status::MOTION_SENSOR: m_fillColor = Qt::magenta; event = true; break;
        default: m_fillColor = Qt::blue; break;
        }
        if (status != EMap_Status::CONNECTED)
            emit updateLog(strTime, status);
        update();
        if (event)
            checkPopup();
    }
    if (recordStatus != m_recording) {
        m_recording = recordStatus;
        setPicture(recordStatus);
        emit updateLog(strTime, recordStatus ? EMap_Status::RECORD_ON : EMap_Status::RECORD_OFF);
    }
}

// ---- Pop-up ------------------------------------------------------------------------------

void CCameraWidget::checkPopup()
{
    if (m_videoDialog || !EMapSettings::popup())
        return;
    setShowVideo(QPoint((width() - 1) / 2, (height() - 1) / 2));
    // Counted from the opening; later events do not extend it.
    const int ms = EMapSettings::popDownMs();
    if (ms > 0)
        m_popDownTimer->start(ms);
}

void CCameraWidget::setShowVideo(const QPoint& point)
{
    if (m_editable || m_videoDialog)
        return;
    emit showVideo();
    if (m_videoDialog)
        return;
    m_videoDialog = new CShowVideoDialog(this);
    m_videoDialog->move(mapToGlobal(point) + QPoint(20, 20));
    connect(m_videoDialog, &CShowVideoDialog::closeVideo, this, &CCameraWidget::OnCloseVideo);
    connect(m_videoDialog, &CShowVideoDialog::closeVideo, this, &CCameraWidget::closeVideo);
    m_videoDialog->show();
}

void CCameraWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    setShowVideo(event->position().toPoint());
}

void CCameraWidget::setDisplayInfo(const CDisplayInfo& info)
{
    if (m_videoDialog)
        m_videoDialog->setDisplayInfo(info);
}

void CCameraWidget::setDisplayTime(unsigned int time)
{
    if (m_lastTime != 0 && m_lastTime >= time)
        return;
    m_lastTime = time;
    if (m_videoDialog)
        m_videoDialog->setWindowTitle(
            CDateTime::convert_Timet_QDateTime(time).toString(QLatin1String(CDateTime::DISPLAY_TIME_FORMAT)));
}

void CCameraWidget::OnCloseVideo()
{
    m_videoDialog = nullptr;
    // A pop-up closed early takes its pop-down with it.
    m_popDownTimer->stop();
}

void CCameraWidget::closeVideoWidget()
{
    if (m_videoDialog && m_videoDialog->isVisible())
        m_videoDialog->close();
}
