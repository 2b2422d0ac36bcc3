#include "CreateRaw.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "Common/Frame.h"
#include "SysData/RawIndexRebuild.h"

namespace {

void CopyText(char* out, size_t size, const QString& text)
{
    std::memset(out, 0, size);
    QByteArray utf8 = text.toUtf8();
    // Cut at a character boundary so the stored text stays valid UTF-8.
    while (utf8.size() > static_cast<qsizetype>(size - 1)) {
        utf8.chop(1);
        while (!utf8.isEmpty() && (static_cast<unsigned char>(utf8.back()) & 0xC0) == 0x80)
            utf8.chop(1);
        if (!utf8.isEmpty() && (static_cast<unsigned char>(utf8.back()) & 0x80))
            utf8.chop(1);
    }
    std::memcpy(out, utf8.constData(), static_cast<size_t>(utf8.size()));
}

FILE* OpenNew(const QString& path)
{
    FILE* f = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (f)
        std::setvbuf(f, nullptr, _IONBF, 0);  // buffered here, in write order
    return f;
}

// Whether the path still names the open file, which nothing has removed.
bool StillNamed(FILE* file, const QString& path)
{
    return file && !RecordFileRemoved(fileno(file)) && RecordFileAt(fileno(file), path);
}

}  // namespace

CCreateRaw::CCreateRaw() = default;

CCreateRaw::~CCreateRaw() { close(); }

void CCreateRaw::open(const QString& folder, const RecordDvr& dvr)
{
    close();
    m_folder = folder;
    m_dvr = dvr;
    m_error.clear();
    m_files.clear();
    m_qdxPath.clear();
    m_qvfPath.clear();
    m_qrxPath.clear();
    m_qdxEnd = sizeof(recfile::QdxHeader);
    m_failed = false;
}

bool CCreateRaw::fail(const QString& what, const QString& path)
{
    return fail(what, path, errno);
}

bool CCreateRaw::fail(const QString& what, const QString& path, int err)
{
    m_error = QStringLiteral("%1 %2").arg(what, QDir::toNativeSeparators(path));
    if (err != 0)
        m_error += QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(std::strerror(err)));
    m_failed = true;
    m_data.clear();
    m_index.clear();
    m_earlyAudio.clear();
    m_earlyBytes = 0;
    closeFiles();
    removeEmptyFiles();
    return false;
}

bool CCreateRaw::failRemoved(const QString& removed)
{
    const QString path = removed;  // may be one of the paths the pair lets go
    QString kept;
    // Frames on disk are as many as index records were written: none, and the data file holds
    // only its header.
    if (path == m_qrxPath && m_pairIndexed > 0 && StillNamed(m_qvf, m_qvfPath))
        kept = keepDataFile();
    else if (path != m_qdxPath)
        dropOpenPair();
    fail(QStringLiteral("Cannot write"), path, 0);
    m_error += QStringLiteral(" (%1)").arg(RecordFileGoneReason()) + kept;
    return false;
}

// Recorded frames outlive their index: indexed again from their own headers, or, when none
// reads, moved whole to a name the player does not list. Returns what the operator is told.
QString CCreateRaw::keepDataFile()
{
    const RawIndexRebuild r = RebuildRawIndex(m_qvfPath, m_qrxPath);
    if (r.frames > 0) {
        m_pairIndexed = r.frames;
        QString text = QStringLiteral("; the data file was kept and its frame index rebuilt (%1 frames)").arg(r.frames);
        if (r.unindexedBytes > 0)
            text += QStringLiteral(", but not its last %1 bytes: %2").arg(r.unindexedBytes).arg(r.error);
        return text;
    }
    const QString aside = SetAsideRawData(m_qvfPath);
    const QString where = QDir::toNativeSeparators(aside.isEmpty() ? m_qvfPath : aside);
    forgetOpenPair();
    return QStringLiteral("; the data file could not be indexed (%1) and was kept as %2").arg(r.error, where);
}

// A pair is played as one: the half left behind, and the index's minute naming the pair,
// would point the player at a file that is not there. A file now holding the name is not ours.
void CCreateRaw::dropOpenPair()
{
    for (const auto& [file, path] : {std::pair(m_qvf, m_qvfPath), std::pair(m_qrx, m_qrxPath)})
        if (StillNamed(file, path))
            QFile::remove(path);
    forgetOpenPair();
}

// The recording no longer counts the open pair as one a player can use.
void CCreateRaw::forgetOpenPair()
{
    m_files.removeAll(QFileInfo(m_qvfPath).completeBaseName());
    m_qvfPath.clear();
    m_qrxPath.clear();
    // The open pair's minute is the last one of the index.
    if (m_qdx && m_minute.open && m_qdxEnd > m_minute.position && ::ftruncate(fileno(m_qdx), m_minute.position) == 0)
        m_qdxEnd = m_minute.position;
}

void CCreateRaw::closeFiles()
{
    for (FILE** f : {&m_qvf, &m_qrx, &m_qdx}) {
        if (*f)
            std::fclose(*f);
        *f = nullptr;
    }
    m_minute = Minute();
}

// After a failure: a pair with no frame in its index, and an index with no minute, hold
// nothing a player could use.
void CCreateRaw::removeEmptyFiles()
{
    if (!m_qvfPath.isEmpty() && m_pairIndexed == 0) {
        QFile::remove(m_qvfPath);
        QFile::remove(m_qrxPath);
        m_files.removeAll(QFileInfo(m_qvfPath).completeBaseName());
    }
    if (!m_qdxPath.isEmpty() && m_qdxEnd <= static_cast<long>(sizeof(recfile::QdxHeader)))
        QFile::remove(m_qdxPath);
}

bool CCreateRaw::startPair(unsigned int time, bool oldProtocol, int model)
{
    // Two recordings begun in one second: the later one takes the next free second.
    unsigned int nameTime = time;
    QString base = RecordFileTime(nameTime);
    auto taken = [&](const char* suffix) { return QFile::exists(m_folder + '/' + base + suffix); };
    while (taken(recfile::QVF_SUFFIX) || taken(recfile::QRX_SUFFIX) || (!m_qdx && taken(recfile::QDX_SUFFIX)))
        base = RecordFileTime(++nameTime);
    m_qvfPath = m_folder + '/' + base + recfile::QVF_SUFFIX;
    m_qrxPath = m_folder + '/' + base + recfile::QRX_SUFFIX;
    m_pairIndexed = 0;

    if (!m_qdx) {
        m_qdxPath = m_folder + '/' + base + recfile::QDX_SUFFIX;
        m_qdx = OpenNew(m_qdxPath);
        if (!m_qdx)
            return fail(QStringLiteral("Cannot create"), m_qdxPath);
        const recfile::QdxHeader h{recfile::QDX_MAGIC, recfile::VERSION, sizeof(QdxMinuteRecord)};
        if (std::fwrite(&h, sizeof h, 1, m_qdx) != 1)
            return fail(QStringLiteral("Cannot write"), m_qdxPath);
        m_qdxEnd = sizeof h;
    }

    m_qvf = OpenNew(m_qvfPath);
    if (!m_qvf)
        return fail(QStringLiteral("Cannot create"), m_qvfPath);
    m_qrx = OpenNew(m_qrxPath);
    if (!m_qrx)
        return fail(QStringLiteral("Cannot create"), m_qrxPath);

    recfile::QvfFileHeader v{};
    v.magic = recfile::QVF_MAGIC;
    v.version = recfile::VERSION;
    v.start_time = time;
    v.old_protocol = oldProtocol ? 1 : 0;
    v.protocol_type = static_cast<uint8_t>(RecordProtocolType(oldProtocol, model));
    v.model = static_cast<uint16_t>(model);
    v.channels = static_cast<uint8_t>(m_dvr.channels);
    v.video_type = static_cast<uint8_t>(m_dvr.videoType);
    v.channel_mask = static_cast<uint16_t>(m_dvr.channelMask);
    CopyText(v.dvr_name, sizeof v.dvr_name, m_dvr.name);
    for (int c = 0; c < recfile::MAX_CHANNELS && c < m_dvr.titles.size(); ++c)
        CopyText(v.titles[c], recfile::TITLE_BYTES, m_dvr.titles[c]);
    if (std::fwrite(&v, sizeof v, 1, m_qvf) != 1)
        return fail(QStringLiteral("Cannot write"), m_qvfPath);

    const recfile::QrxFileHeader x = RawIndexHeader(time, base);
    if (std::fwrite(&x, sizeof x, 1, m_qrx) != 1)
        return fail(QStringLiteral("Cannot write"), m_qrxPath);

    m_fileTime = nameTime;
    m_fileStart = time;
    m_fileMinute = time / 60;
    m_qvfSize = sizeof v;
    m_sequence = 0;
    m_files << base;
    return true;
}

bool CCreateRaw::flush()
{
    if (!m_qvf)
        return true;
    // Checked at every flush, so at least once per second of video.
    for (const auto& [file, path] : {std::pair(m_qvf, &m_qvfPath), std::pair(m_qrx, &m_qrxPath),
                                     std::pair(m_qdx, &m_qdxPath)})
        if (file && RecordFileRemoved(fileno(file)))
            return failRemoved(*path);
    // Data first: an index record never reaches the disk before the bytes it points at.
    if (!m_data.empty() && std::fwrite(m_data.data(), 1, m_data.size(), m_qvf) != m_data.size())
        return fail(QStringLiteral("Cannot write"), m_qvfPath);
    m_data.clear();
    if (!m_index.empty() &&
        std::fwrite(m_index.data(), sizeof(recfile::QrxIndexRecord), m_index.size(), m_qrx) != m_index.size())
        return fail(QStringLiteral("Cannot write"), m_qrxPath);
    m_pairIndexed += m_index.size();
    m_index.clear();
    return writeMinute();
}

bool CCreateRaw::writeMinute()
{
    if (!m_minute.open || !m_qdx)
        return true;
    if (std::fseek(m_qdx, m_minute.position, SEEK_SET) != 0 ||
        std::fwrite(&m_minute.record, sizeof m_minute.record, 1, m_qdx) != 1)
        return fail(QStringLiteral("Cannot write"), m_qdxPath);
    m_qdxEnd = std::max(m_qdxEnd, m_minute.position + static_cast<long>(sizeof m_minute.record));
    return true;
}

bool CCreateRaw::closePair()
{
    if (!flush())
        return false;
    if (m_qvf)
        std::fclose(m_qvf);
    if (m_qrx)
        std::fclose(m_qrx);
    m_qvf = m_qrx = nullptr;
    return true;
}

bool CCreateRaw::writeFrame(bool oldProtocol, const unsigned char* data, size_t length)
{
    if (m_failed)
        return false;
    FrameFacts f;
    if (!ReadFrameHeader(oldProtocol, data, length, &f) || !f.fits || length > UINT32_MAX)
        return true;  // nothing a player could use; the recording goes on
    if (f.kind == FRAME_AUDIO) {
        if (m_qvf)
            return append(f, data, length);
        m_earlyAudio.emplace_back(data, data + length);
        m_earlyBytes += length;
        m_earlyOld = oldProtocol;
        // Audio with no video coming is named by its own time.
        return m_earlyBytes < FLUSH_BYTES || writeEarlyAudio(oldProtocol);
    }
    const unsigned int sec = static_cast<unsigned int>(f.time.sec);

    // A later minute starts a new pair; a small step back stays in the current one, a big
    // one starts a new pair too.
    const bool later = m_qvf && sec / 60 > m_fileMinute;
    const bool back = m_qvf && sec + 60 < m_fileStart;
    if (later || back) {
        if (!closePair())
            return false;
        m_minute.open = false;
        m_minute.position = m_qdxEnd;
    }
    if (!m_qvf && !startPair(sec, oldProtocol, oldProtocol ? f.model : m_dvr.model))
        return false;
    if (!m_earlyAudio.empty() && !writeEarlyAudio(oldProtocol))
        return false;
    return append(f, data, length);
}

bool CCreateRaw::writeEarlyAudio(bool oldProtocol)
{
    std::vector<std::vector<unsigned char>> early;
    early.swap(m_earlyAudio);
    m_earlyBytes = 0;
    for (const std::vector<unsigned char>& frame : early) {
        FrameFacts f;
        ReadFrameHeader(oldProtocol, frame.data(), frame.size(), &f);
        if (!m_qvf && !startPair(static_cast<unsigned int>(f.time.sec), oldProtocol,
                                 oldProtocol ? f.model : m_dvr.model))
            return false;
        if (!append(f, frame.data(), frame.size()))
            return false;
    }
    return true;
}

// Into the open pair and the minute of its video.
bool CCreateRaw::append(const FrameFacts& f, const unsigned char* data, size_t length)
{
    const bool audio = f.kind == FRAME_AUDIO;
    const unsigned int sec = static_cast<unsigned int>(f.time.sec);
    if (!m_minute.open) {
        m_minute.open = true;
        m_minute.record = QdxMinuteRecord{};
        m_minute.record.start_time = m_fileMinute * 60;
        m_minute.position = m_qdxEnd;
        recfile::QdxMinuteExtra extra{};
        extra.file_time = m_fileTime;
        std::memcpy(m_minute.record.extra, &extra, sizeof extra);
    }
    QdxMinuteRecord& r = m_minute.record;
    recfile::QdxMinuteExtra extra;
    std::memcpy(&extra, r.extra, sizeof extra);
    // The minute's end is its video's; audio may run on another clock.
    const unsigned int minuteStart = r.start_time;  // packed: no references into r
    const unsigned int end = audio ? minuteStart : sec;
    if (end > r.end_time)
        r.end_time = end;
    if (!audio && f.channel < recfile::MAX_CHANNELS) {
        r.record_chmask |= 1u << f.channel;
        RecordReason merged = RecordReason_Update(static_cast<RecordReason>(r.record_reason[f.channel] & 3), f.reason);
        // Reason 0 means "nothing recorded" on the time line: a channel with frames shows.
        if (merged == RECORD_REASON_NONE)
            merged = RECORD_REASON_1;
        r.record_reason[f.channel] = static_cast<uint8_t>(merged);
    }
    ++extra.frames;
    extra.bytes += length;
    std::memcpy(r.extra, &extra, sizeof extra);

    m_data.insert(m_data.end(), data, data + length);
    m_index.push_back(RawIndexRecord(f, m_qvfSize, static_cast<uint32_t>(length), m_sequence++));
    m_qvfSize += length;

    bool newSecond = false;
    if (!audio) {
        newSecond = sec != m_lastSecond;
        m_lastSecond = sec;
    }
    if (newSecond || m_data.size() >= FLUSH_BYTES)
        return flush();
    return true;
}

bool CCreateRaw::close()
{
    const bool ok = !m_failed && (m_earlyAudio.empty() || writeEarlyAudio(m_earlyOld)) && closePair();
    closeFiles();
    return ok && !m_failed;
}
