#include "RawIndexRebuild.h"

#include <algorithm>
#include <vector>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include "Common/Frame.h"
#include "Common/RegularFile.h"

namespace {

using Index = std::vector<recfile::QrxIndexRecord>;

constexpr uint64_t LONGEST_HEADER = CUFrame::HEADER_SIZE;

QByteArray ReadAt(QFile& file, uint64_t at, uint64_t length)
{
    if (!file.seek(static_cast<qint64>(at)))
        return {};
    return file.read(static_cast<qint64>(length));
}

// The payload length of the frame at `at`, read whole and checked as the writer checks a frame
// it is given; 0, with the reason, when no whole frame is there.
uint32_t FrameAt(QFile& file, bool oldHeader, uint64_t at, uint64_t size, FrameFacts* f, QString* error)
{
    const uint64_t left = size - at;
    const QByteArray head = ReadAt(file, at, std::min(left, LONGEST_HEADER));
    if (head.size() != static_cast<qsizetype>(std::min(left, LONGEST_HEADER))) {
        *error = QStringLiteral("it cannot be read at byte %1: %2").arg(at).arg(file.errorString());
        return 0;
    }
    if (!ReadFrameHeader(oldHeader, reinterpret_cast<const unsigned char*>(head.constData()),
                         static_cast<size_t>(head.size()), f)) {
        *error = QStringLiteral("no frame header reads at byte %1").arg(at);
        return 0;
    }
    const uint64_t length = RawFrameLength(*f);
    if (length > left || length > UINT32_MAX) {
        *error = QStringLiteral("the frame at byte %1 runs past the end of the file").arg(at);
        return 0;
    }
    const QByteArray frame = ReadAt(file, at, length);
    if (frame.size() != static_cast<qsizetype>(length)) {
        *error = QStringLiteral("it cannot be read at byte %1: %2").arg(at).arg(file.errorString());
        return 0;
    }
    if (!ReadFrameHeader(oldHeader, reinterpret_cast<const unsigned char*>(frame.constData()), length, f) ||
        !f->fits) {
        *error = QStringLiteral("the frame at byte %1 does not hold its data").arg(at);
        return 0;
    }
    return static_cast<uint32_t>(length);
}

// Frames from the end of the file header on, up to the first that does not read.
RawIndexRebuild Walk(QFile& qvf, bool oldHeader, Index* index)
{
    RawIndexRebuild r;
    const uint64_t size = static_cast<uint64_t>(qvf.size());
    uint64_t at = sizeof(recfile::QvfFileHeader);
    FrameFacts f;
    while (at < size) {
        const uint32_t length = FrameAt(qvf, oldHeader, at, size, &f, &r.error);
        if (length == 0)
            break;
        index->push_back(RawIndexRecord(f, at, length, static_cast<uint32_t>(index->size())));
        at += length;
    }
    r.unindexedBytes = size - std::min(at, size);
    return r;
}

bool WriteIndex(const QString& path, const recfile::QrxFileHeader& h, const Index& index, QString* error)
{
    QFile qrx(path);
    if (!qrx.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        *error = QStringLiteral("its index cannot be made: %1").arg(qrx.errorString());
        return false;
    }
    QByteArray bytes(reinterpret_cast<const char*>(&h), sizeof h);
    bytes.append(reinterpret_cast<const char*>(index.data()),
                 static_cast<qsizetype>(index.size() * sizeof(recfile::QrxIndexRecord)));
    if (qrx.write(bytes) != bytes.size() || !qrx.flush()) {
        *error = QStringLiteral("its index cannot be written: %1").arg(qrx.errorString());
        qrx.remove();  // ours, made just now: the data file is dealt with whole instead
        return false;
    }
    return true;
}

}  // namespace

uint64_t RawFrameLength(const FrameFacts& f)
{
    return f.offset + f.frameSize;
}

recfile::QrxIndexRecord RawIndexRecord(const FrameFacts& f, uint64_t offset, uint32_t length, uint32_t sequence)
{
    recfile::QrxIndexRecord x{};
    x.offset = offset;
    x.length = length;
    x.time_sec = static_cast<uint32_t>(f.time.sec);
    x.time_usec = static_cast<uint32_t>(f.time.usec);
    x.channel = static_cast<uint8_t>(f.channel);
    x.type = static_cast<uint8_t>(f.kind);
    x.reason = static_cast<uint8_t>(f.reason);
    x.sequence = sequence;
    return x;
}

recfile::QrxFileHeader RawIndexHeader(uint32_t startTime, const QString& base)
{
    recfile::QrxFileHeader x{};
    x.magic = recfile::QRX_MAGIC;
    x.version = recfile::VERSION;
    x.start_time = startTime;
    x.record_size = sizeof(recfile::QrxIndexRecord);
    x.qvf_header = sizeof(recfile::QvfFileHeader);
    qstrncpy(x.qvf_name, base.toLatin1().constData(), sizeof x.qvf_name);  // names are digits and '_'
    return x;
}

RawIndexRebuild RebuildRawIndex(const QString& qvfPath, const QString& qrxPath)
{
    QFile qvf(qvfPath);
    recfile::QvfFileHeader h{};
    if (!OpenRegularFile(qvf) ||
        qvf.read(reinterpret_cast<char*>(&h), sizeof h) != static_cast<qint64>(sizeof h)) {
        RawIndexRebuild r;
        r.error = QStringLiteral("it cannot be read");
        return r;
    }
    if (h.magic != recfile::QVF_MAGIC || h.version != recfile::VERSION) {
        RawIndexRebuild r;
        r.error = QStringLiteral("it is not a recording data file");
        return r;
    }
    Index index;
    RawIndexRebuild r = Walk(qvf, h.old_protocol != 0, &index);
    if (!index.empty() &&
        WriteIndex(qrxPath, RawIndexHeader(h.start_time, QFileInfo(qvfPath).completeBaseName()), index, &r.error))
        r.frames = index.size();
    return r;
}

QString SetAsideRawData(const QString& qvfPath)
{
    for (int n = 1; n <= 99; ++n) {
        const QString aside = n == 1 ? qvfPath + UNINDEXED_SUFFIX
                                     : QStringLiteral("%1.%2%3").arg(qvfPath).arg(n).arg(UNINDEXED_SUFFIX);
        if (QFile::rename(qvfPath, aside))
            return aside;
        if (!QFile::exists(aside))
            return {};  // not for want of a free name
    }
    return {};
}
