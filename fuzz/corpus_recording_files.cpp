// Writes the starting corpus of fuzz_recording_files into the folder given as argv[1]:
// recordings made by the program's own recorder (current and old protocol, video and audio,
// one minute and the second minute of a longer one, a recording cut short), each packed as
// recording_input.h describes.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "SysData/CreateRaw.h"
#include "corpus_util.h"
#include "recording_input.h"

namespace {

using corpus::CurrentFrame;
using corpus::OldFrame;

// 2026-03-02 10:00:40 UTC.
constexpr uint32_t T0 = 1772445640;

std::string Read(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::string();
    const QByteArray bytes = f.readAll();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

// Records `seconds` of frames at 5 fps on `channels` channels (audio on channel 0 for the
// current protocol) and returns the files of pair `pair` with the minute index.
recinput::Files Recording(bool old, int channels, int seconds, int pair = 0)
{
    QTemporaryDir dir;
    CCreateRaw raw;
    RecordDvr dvr;
    dvr.name = QStringLiteral("Seed DVR");
    dvr.channels = channels;
    dvr.model = 4;
    for (int c = 0; c < channels; ++c)
        dvr.titles << QStringLiteral("CAM%1").arg(c + 1);
    raw.open(dir.path(), dvr);
    for (int i = 0; i < seconds * 5; ++i) {
        const uint32_t sec = T0 + uint32_t(i / 5);
        const uint32_t usec = uint32_t(i % 5) * 200000;
        for (int c = 0; c < channels; ++c) {
            const bool key = i % 10 == 0;
            const std::string f = old ? OldFrame(uint32_t(key ? 0 : 1) << 22 | 120, 120, uint32_t(c), sec)
                                      : CurrentFrame(key ? 0 : 1, uint8_t(c), 120, sec, usec + uint32_t(c));
            raw.writeFrame(old, reinterpret_cast<const unsigned char*>(f.data()), f.size());
        }
        if (!old) {
            const std::string a = CurrentFrame(3, 0, 320, sec, usec + 100);
            raw.writeFrame(old, reinterpret_cast<const unsigned char*>(a.data()), a.size());
        }
    }
    raw.close();
    recinput::Files out;
    const QStringList bases = raw.files();
    if (pair < bases.size()) {
        out.qvf = Read(dir.filePath(bases[pair] + recfile::QVF_SUFFIX));
        out.qrx = Read(dir.filePath(bases[pair] + recfile::QRX_SUFFIX));
    }
    out.qdx = Read(raw.indexFile());
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    recinput::Files cut = Recording(false, 2, 6);
    cut.qvf.resize(cut.qvf.size() - 150);
    return corpus::WriteSeeds(argc, argv,
                              {recinput::Join(Recording(false, 4, 4)), recinput::Join(Recording(true, 2, 4)),
                               recinput::Join(Recording(false, 1, 90, 1)), recinput::Join(cut)});
}
