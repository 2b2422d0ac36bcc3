#include "Record.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include "Common/Frame.h"
#include "Settings/AppSettings.h"
#include "SysData/CreateAVI.h"
#include "SysData/CreateRaw.h"
#include "cgi_response.pb.h"

namespace {

// True when a file can be created in the folder (permissions alone do not tell for root).
bool Writable(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.zavo-XXXXXX"));
    return probe.open();
}

}  // namespace

CRecord::CRecord(QObject* parent) : QObject(parent) {}

CRecord::~CRecord() { stop(); }

QString CRecord::folder() const
{
    QMutexLocker lock(&m_lock);
    return m_folder;
}

void CRecord::start(const QString& dvrName, const cgi::DvrInfo& info, time_t endTime)
{
    stop();
    CAppSettings settings;
    const QString key = CAppSettings::PATH_LIST.at(endTime != 0 ? 2 : 1);
    const QString base = settings.readSetting(key, CAppSettings::defaultSetting(key)).toString();
    const bool avi = settings.readSetting(CAppSettings::FILE_FORMAT, 0).toInt() == 1;
    const bool audio = settings.readSetting(CAppSettings::AUDIO_SUPPORT, 1).toBool();
    const QString folder = QDir::cleanPath(QDir::fromNativeSeparators(base) + QLatin1Char('/') +
                                           RecordFolderName(dvrName));

    if (base.isEmpty() || !QDir().mkpath(folder) || !Writable(folder)) {
        emit recordFailed(tr("The folder cannot be written: %1").arg(QDir::toNativeSeparators(folder)));
        return;
    }
    const RecordDvr dvr = RecordDvr::FromInfo(dvrName, info);
    QMutexLocker lock(&m_lock);
    m_folder = folder;
    m_dvrName = dvrName;
    m_endTime = endTime;
    if (avi) {
        m_avi = std::make_unique<CCreateAVI>();
        m_avi->open(folder, dvr, audio);
    } else {
        m_raw = std::make_unique<CCreateRaw>();
        m_raw->open(folder, dvr);
    }
    m_recording = true;
}

void CRecord::stop()
{
    QString error;
    {
        QMutexLocker lock(&m_lock);
        m_recording = false;
        if (m_raw && !m_raw->close())
            error = m_raw->error();
        if (m_avi && !m_avi->close())
            error = m_avi->error();
        m_raw.reset();
        m_avi.reset();
    }
    if (!error.isEmpty())
        emit recordFailed(tr("Recording stopped: %1").arg(error));
}

void CRecord::setDvrInfo(const cgi::DvrInfo& info)
{
    QMutexLocker lock(&m_lock);
    const RecordDvr dvr = RecordDvr::FromInfo(m_dvrName, info);
    if (m_raw)
        m_raw->setDvr(dvr);
    if (m_avi)
        m_avi->setDvr(dvr);
}

void CRecord::writeFrame(bool oldProtocol, const QByteArray& frame)
{
    if (!m_recording)
        return;
    const auto* data = reinterpret_cast<const unsigned char*>(frame.constData());
    const size_t length = static_cast<size_t>(frame.size());
    QString error;
    {
        QMutexLocker lock(&m_lock);
        if (!m_recording)
            return;
        // Audio goes in as in a live recording: an old DVR sends it on a stream of its own,
        // whose clock need not be the video's.
        if (m_endTime != 0) {
            FrameFacts f;
            if (ReadFrameHeader(oldProtocol, data, length, &f) && f.kind != FRAME_AUDIO && f.time.sec > m_endTime)
                return;
        }
        bool ok = true;
        if (m_raw) {
            ok = m_raw->writeFrame(oldProtocol, data, length);
            if (!ok)
                error = m_raw->error();
        } else if (m_avi) {
            ok = m_avi->writeFrame(oldProtocol, data, length);
            if (!ok)
                error = m_avi->error();
        }
        if (ok)
            return;
        m_recording = false;
        m_raw.reset();
        m_avi.reset();
    }
    emit recordFailed(tr("Recording stopped: %1").arg(error));
}
