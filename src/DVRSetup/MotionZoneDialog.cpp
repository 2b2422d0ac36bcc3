#include "DVRSetup/MotionZoneDialog.h"

#include <QEvent>
#include <QMetaObject>
#include <QPushButton>

#include <atomic>

#include "Common/ChannelNum.h"
#include "Common/DecodeVideo.h"
#include "Common/Frame.h"
#include "Common/ThreadCheck.h"
#include "DVRSetup/MotionDetect.h"
#include "Display/DisplayInfo.h"
#include "Display/Screen.h"
#include "Network/HttpConnect.h"
#include "Settings/AppSettings.h"

namespace {

const QSize CELL_SIZE(352, 240);
const QPoint CELL_POS(20, 20);

OpenGLMode OpenGLSetting()
{
    const int mode = CAppSettings().readSetting(CAppSettings::OPENGL, 0).toInt();
    return OpenGLMode_IsValid(mode) ? static_cast<OpenGLMode>(mode) : OPENGL_MODE_OFF;
}

}  // namespace

struct CMotionZoneDialog::Decoding {
    explicit Decoding(bool opengl)
    {
        decoder.Init(1);
        decoder.changeOpenglOption(opengl);
        decoder.setDeinterlaced(false);
    }

    CDecodeVideo decoder;  // stream thread only
    std::atomic<uint32_t> channels{0};
    std::function<void()> decodeHook;  // set before the stream starts
};

void CMotionZoneDialog::deliver(Sink& sink, const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len)
{
    Decoding& d = sink.parts();
    FrameFacts frame;
    if (!ReadFrameHeader(info.oldProtocol, data, len, &frame) || !frame.fits)
        return;
    if (!CChannelNum::isEnabled(d.channels, frame.channel))
        return;
    if (d.decodeHook)
        d.decodeHook();
    if (d.decoder.DecodeFrame(frame.protocolType, 0, data + frame.offset, frame.rawSize, frame.resolution,
                              frame.kind) == 0)
        return;
    CDisplayInfo picture;
    // A copy of its own: the decoder reuses its pictures once nobody holds them.
    picture.image = d.decoder.GetDecodedImage(0).copy();
    if (picture.image.isNull())
        return;
    picture.videoLoss = CChannelNum::isEnabled(info.videoLossMask, frame.channel);
    picture.authorised = CChannelNum::isEnabled(info.authorityMask, frame.channel);
    sink.reach([&](CMotionZoneDialog& dialog) {
        QMetaObject::invokeMethod(&dialog, CalledElsewhere([d = &dialog, picture] { d->showPicture(picture); }),
                                  Qt::QueuedConnection);
    });
}

CMotionZoneDialog::CMotionZoneDialog(QWidget* parent)
    : QDialog(parent), m_stream(new CHttpConnect),
      m_sink(std::make_shared<Sink>(this, OpenGLSetting() != OPENGL_MODE_OFF))
{
    m_ui.setupUi(this);
    const OpenGLMode mode = OpenGLSetting();
    m_screen = new CScreen(this, mode, 1);
    m_screen->updateDisplayRect(0, QRect(QPoint(0, 0), CELL_SIZE));
    m_screen->resize(CELL_SIZE);
    m_screen->move(CELL_POS);
    m_screen->clear();
    m_detect = new CMotionDetect;
    m_detect->resize(CELL_SIZE);
    m_screen->addWidget(m_detect);

    QObject::connect(m_ui.selection, &QPushButton::clicked, this, &CMotionZoneDialog::OnSelection);
    QObject::connect(m_ui.clear, &QPushButton::clicked, this, &CMotionZoneDialog::OnClear);
    QObject::connect(m_ui.buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    QObject::connect(m_ui.buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CMotionZoneDialog::~CMotionZoneDialog()
{
    m_sink->cut();
    // A stream whose thread does not end in time is left to end by itself; a frame it still
    // decodes keeps the decoder through the sink.
    CHttpConnect::Dispose(m_stream);
    delete m_screen;
}

void CMotionZoneDialog::setDecodeHook(std::function<void()> hook) { m_sink->parts().decodeHook = std::move(hook); }

void CMotionZoneDialog::setMotionZone(int rows, int cols, const QByteArray& zone)
{
    m_detect->setMotionZone(rows, cols, zone);
}

QByteArray CMotionZoneDialog::getMotionZone() const { return m_detect->getMotionZone(); }

void CMotionZoneDialog::connect(const DVR& dvr)
{
    m_dvr.CopyFrom(dvr);
    m_sink->parts().channels = m_dvr.bit_ch();
    CHttpConnect::ConnParam param;
    param.mode = 0;
    param.playbackMode = true;
    param.emapLive = false;
    const CAppSettings settings;
    param.audio = settings.readSetting(CAppSettings::AUDIO_SUPPORT, false).toBool();
    param.codec = settings.readSetting(CAppSettings::CODEC_TYPE, 0).toInt() == 1 ? 1 : 0;
    param.startTime = 0;
    param.endTime = 0;
    // Wired before the stream starts, so that its first frame is not missed.
    // A delivery holds the sink by a reference of its own while it decodes.
    QObject::connect(m_stream, &CHttpConnect::VDataReceived, m_stream,
                     CalledElsewhere([sink = m_sink](const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len) {
                         const std::shared_ptr<Sink> own = sink;
                         deliver(*own, info, data, len);
                     }), Qt::DirectConnection);
    QObject::connect(m_stream, &CHttpConnect::signalConnectedDVRStatus, this,
                     &CMotionZoneDialog::slotUpdateDVRStatus);
    m_stream->Connect(m_dvr, param);
}

void CMotionZoneDialog::showPicture(const CDisplayInfo& picture) { m_screen->setInfo(0, picture); }

void CMotionZoneDialog::slotUpdateDVRStatus(const DISPLAY_DVR_INFO& info)
{
    if (info.status.isEmpty())
        return;
    CDisplayInfo failed;
    failed.failed = true;
    m_screen->setInfo(0, failed);
}

void CMotionZoneDialog::OnSelection() { m_detect->updateMotionZone(true); }

void CMotionZoneDialog::OnClear() { m_detect->updateMotionZone(false); }

void CMotionZoneDialog::languageChange() { m_ui.retranslateUi(this); }

void CMotionZoneDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}
