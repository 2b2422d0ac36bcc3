#include "LocalFiles.h"

#include <cstring>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTimeZone>

#include "Common/Frame.h"
#include "Common/SearchDataParser.h"
#include "Common/DateTime.h"
#include "Common/DecodeVideo.h"
#include "Common/RegularFile.h"

namespace {

template <class T>
bool ReadStruct(QFile& f, T* out)
{
    return f.read(reinterpret_cast<char*>(out), sizeof(T)) == static_cast<qint64>(sizeof(T));
}

}  // namespace

namespace {

// The pairs named by the minute records that are not both there.
void AddMissingPairs(const QDir& dir, const QByteArray& records, QStringList* missing)
{
    const int count = static_cast<int>(records.size() / sizeof(QdxMinuteRecord));
    for (int i = 0; i < count; ++i) {
        QdxMinuteRecord r{};
        std::memcpy(&r, records.constData() + i * sizeof r, sizeof r);
        recfile::QdxMinuteExtra extra{};
        std::memcpy(&extra, r.extra, sizeof extra);
        const QString base = RawFileBase(extra.file_time);
        if (base.isEmpty() || missing->contains(base))
            continue;
        if (!dir.exists(base + recfile::QVF_SUFFIX) || !dir.exists(base + recfile::QRX_SUFFIX))
            *missing << base;
    }
}

}  // namespace

QStringList LocalSearch(const QString& folder, CSearchDataParser* parser, QStringList* missing)
{
    QStringList refused;
    if (folder.isEmpty())
        return refused;
    const QDir dir(folder);
    const QStringList names = dir.entryList({QStringLiteral("*") + recfile::QDX_SUFFIX}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        QFile f(dir.filePath(name));
        recfile::QdxHeader h{};
        if (!OpenRegularFile(f) || !ReadStruct(f, &h)) {
            refused << QStringLiteral("%1: cannot be read").arg(name);
            continue;
        }
        if (h.magic != recfile::QDX_MAGIC || h.version != recfile::VERSION ||
            h.record_size != sizeof(QdxMinuteRecord)) {
            refused << QStringLiteral("%1: not a recording index").arg(name);
            continue;
        }
        const QByteArray records = f.readAll();
        parser->setLocalData(records.constData(), static_cast<int>(records.size()));
        if (missing)
            AddMissingPairs(dir, records, missing);
    }
    return refused;
}

QStringList RawFileBases(const QString& folder)
{
    QStringList bases;
    if (folder.isEmpty())
        return bases;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*") + recfile::QRX_SUFFIX}, QDir::Files, QDir::Name)) {
        const QString base = name.chopped(static_cast<int>(std::strlen(recfile::QRX_SUFFIX)));
        if (RawFileTime(base) != 0)
            bases << base;
    }
    return bases;
}

QString RawFileBase(uint32_t time)
{
    if (time == 0)
        return QString();
    return QDateTime::fromSecsSinceEpoch(time, QTimeZone::utc()).toString(QLatin1String(CDateTime::FILE_TIME_FORMAT));
}

uint32_t RawFileTime(const QString& base)
{
    QDateTime t = QDateTime::fromString(base, QLatin1String(CDateTime::FILE_TIME_FORMAT));
    if (!t.isValid())
        return 0;
    t.setTimeZone(QTimeZone::utc());
    const qint64 s = t.toSecsSinceEpoch();
    return (s > 0 && s <= UINT32_MAX) ? static_cast<uint32_t>(s) : 0;
}

bool CRawFile::open(const QString& folder, const QString& base)
{
    close();
    m_missing = false;
    m_base = base;
    const QDir dir(folder);
    QFile qrx(dir.filePath(base + recfile::QRX_SUFFIX));
    m_qvf = std::make_unique<QFile>(dir.filePath(base + recfile::QVF_SUFFIX));
    if (!OpenRegularFile(qrx) || !OpenRegularFile(*m_qvf)) {
        const bool missing = !qrx.exists() || !m_qvf->exists();
        if (missing)
            m_error = base + QLatin1String(qrx.exists() ? recfile::QVF_SUFFIX : recfile::QRX_SUFFIX);
        else
            m_error = QStringLiteral("%1: cannot be read").arg(base);
        close();
        m_missing = missing;
        return false;
    }
    recfile::QrxFileHeader x{};
    if (!ReadStruct(*m_qvf, &m_header) || !ReadStruct(qrx, &x) || m_header.magic != recfile::QVF_MAGIC ||
        x.magic != recfile::QRX_MAGIC || m_header.version != recfile::VERSION || x.version != recfile::VERSION ||
        x.record_size != sizeof(recfile::QrxIndexRecord) || x.qvf_header != sizeof(recfile::QvfFileHeader) ||
        m_header.protocol_type < PROTOCOL_CFRAME_H264 || m_header.protocol_type > PROTOCOL_CUFRAME_MPEG4) {
        m_error = QStringLiteral("%1: not a recording file").arg(base);
        close();
        return false;
    }
    const uint64_t dataEnd = static_cast<uint64_t>(m_qvf->size());
    const QByteArray raw = qrx.readAll();
    const size_t count = static_cast<size_t>(raw.size()) / sizeof(recfile::QrxIndexRecord);
    m_index.resize(count);
    if (count)
        std::memcpy(m_index.data(), raw.constData(), count * sizeof(recfile::QrxIndexRecord));
    uint64_t next = sizeof(recfile::QvfFileHeader);
    for (size_t i = 0; i < m_index.size(); ++i) {
        const recfile::QrxIndexRecord& r = m_index[i];
        if (r.offset != next || r.sequence != i || r.channel >= recfile::MAX_CHANNELS || r.length == 0) {
            m_error = QStringLiteral("%1: damaged index").arg(base);
            close();
            return false;
        }
        if (r.offset + r.length > dataEnd) {
            // Cut short (a crash while recording): play up to the last whole frame.
            m_index.resize(i);
            break;
        }
        next = r.offset + r.length;
    }
    return true;
}

void CRawFile::close()
{
    m_index.clear();
    m_qvf.reset();
}

bool CRawFile::readFrame(size_t i, QByteArray* out)
{
    if (!m_qvf || i >= m_index.size())
        return false;
    const recfile::QrxIndexRecord& r = m_index[i];
    out->resize(static_cast<qsizetype>(r.length));
    if (!m_qvf->seek(static_cast<qint64>(r.offset)) ||
        m_qvf->read(out->data(), r.length) != static_cast<qint64>(r.length)) {
        m_error = QStringLiteral("%1: cannot be read").arg(m_base);
        return false;
    }
    FrameFacts f;
    if (!ReadFrameHeader(m_header.old_protocol != 0, reinterpret_cast<const unsigned char*>(out->constData()),
                         r.length, &f) ||
        !f.fits || f.channel != r.channel || static_cast<uint32_t>(f.time.sec) != r.time_sec ||
        static_cast<uint8_t>(f.kind) != r.type) {
        m_error = QStringLiteral("%1: damaged frame").arg(m_base);
        return false;
    }
    return true;
}
