// A recording's files (.qvf frames, .qrx index, .qdx minute index) through the local reader
// and the local search, as the player and the search panel read them (input layout in
// recording_input.h): a pair is refused or every record it keeps lies inside the frames
// file and reads back as the frame it names; the search model stays within its limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QFile>
#include <QTemporaryDir>

#include "Common/DecodeVideo.h"
#include "Common/Frame.h"
#include "Playback/LocalFiles.h"
#include "fuzz_util.h"
#include "recording_input.h"
#include "search_check.h"

namespace {

// Records read per input: enough for every seed, bounded for a huge index.
constexpr size_t MAX_READS = 4096;

QTemporaryDir* g_dir = nullptr;

bool Write(const QString& path, const std::string& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

void CheckPair(CRawFile& raw, size_t qvfSize)
{
    const recfile::QvfFileHeader& h = raw.header();
    CHECK(h.protocol_type >= PROTOCOL_CFRAME_H264 && h.protocol_type <= PROTOCOL_CUFRAME_MPEG4);
    // The names as the player reads them.
    volatile int names = QString::fromUtf8(h.dvr_name, int(qstrnlen(h.dvr_name, sizeof h.dvr_name))).size();
    for (const auto& title : h.titles)
        names += QString::fromUtf8(title, int(qstrnlen(title, recfile::TITLE_BYTES))).size();
    (void)names;
    uint64_t next = sizeof(recfile::QvfFileHeader);
    const auto& index = raw.index();
    for (size_t i = 0; i < index.size(); ++i) {
        const recfile::QrxIndexRecord& r = index[i];
        CHECK(r.offset == next && r.sequence == i && r.channel < recfile::MAX_CHANNELS && r.length > 0);
        CHECK(r.offset + r.length <= qvfSize);
        next = r.offset + r.length;
    }
    QByteArray frame;
    for (size_t i = 0; i < index.size() && i < MAX_READS; ++i) {
        if (!raw.readFrame(i, &frame)) {
            CHECK(!raw.error().isEmpty());
            continue;
        }
        CHECK(size_t(frame.size()) == index[i].length);
        FrameFacts f;
        CHECK(ReadFrameHeader(h.old_protocol != 0, reinterpret_cast<const unsigned char*>(frame.constData()),
                              size_t(frame.size()), &f));
        CHECK(f.fits && f.channel == index[i].channel);
    }
    CHECK(!raw.readFrame(index.size(), &frame));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_dir = new QTemporaryDir;
    return g_dir->isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (4u << 20))
        return 0;
    const recinput::Files files = recinput::Split(data, size);
    const QString folder = g_dir->path();
    const QString base = QString::fromLatin1(recinput::BASE);
    CHECK(Write(folder + "/" + base + recfile::QVF_SUFFIX, files.qvf));
    CHECK(Write(folder + "/" + base + recfile::QRX_SUFFIX, files.qrx));
    CHECK(Write(folder + "/" + base + recfile::QDX_SUFFIX, files.qdx));

    CHECK(RawFileBases(folder) == QStringList{base});
    CRawFile raw;
    if (raw.open(folder, base))
        CheckPair(raw, files.qvf.size());
    else
        CHECK(raw.error().startsWith(base + ": "));

    CSearchDataParser search(false);
    const QStringList refused = LocalSearch(folder, &search);
    CHECK(refused.size() <= 1);
    searchcheck::CheckModel(search, CSearchDataParser::MAX_LOCAL_DATES);
    return 0;
}
