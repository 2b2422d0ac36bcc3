// Writes the starting corpus of fuzz_recording_files into the folder given as argv[1]:
// recordings made by the program's own recorder, each packed as recording_input.h describes.
// Real pictures (the CIF clips the build generates with ffmpeg, looped) on the current
// protocol (H.264), and on the old one in H.264 and MPEG-4, with audio; and, with filler
// instead of pictures, one minute and the second minute of a longer recording, and one
// recording cut short.
#include <functional>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "SysData/CreateRaw.h"
#include "corpus_util.h"
#include "recording_input.h"
#include "support/TestMedia.h"

namespace {

using corpus::CurrentFrame;
using corpus::OldFrame;
using corpus::Put;
using testmedia::AccessUnit;
using testmedia::Codec;

// 2026-03-02 10:00:40 UTC.
constexpr uint32_t T0 = 1772445640;
// Old-protocol model bytes of an H.264 and of an MPEG-4 DVR.
constexpr uint8_t OLD_H264 = 12;
constexpr uint8_t OLD_MPEG4 = 8;

std::string Read(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::string();
    const QByteArray bytes = f.readAll();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

// The video frame of frame number i on channel c.
using VideoFrame = std::function<std::string(int i, int c, uint32_t sec, uint32_t usec)>;

// Records `seconds` of frames at `fps` on `channels` channels (audio on channel 0) and returns
// the files of pair `pair` with the minute index.
recinput::Files Recording(bool old, int model, int channels, int seconds, int fps, const VideoFrame& video,
                          int pair = 0)
{
    QTemporaryDir dir;
    CCreateRaw raw;
    RecordDvr dvr;
    dvr.name = QStringLiteral("Seed DVR");
    dvr.channels = channels;
    dvr.model = model;
    for (int c = 0; c < channels; ++c)
        dvr.titles << QStringLiteral("CAM%1").arg(c + 1);
    raw.open(dir.path(), dvr);
    for (int i = 0; i < seconds * fps; ++i) {
        const uint32_t sec = T0 + uint32_t(i / fps);
        const uint32_t usec = uint32_t(i % fps) * uint32_t(1000000 / fps);
        for (int c = 0; c < channels; ++c) {
            const std::string f = video(i, c, sec, usec + uint32_t(c));
            raw.writeFrame(old, reinterpret_cast<const unsigned char*>(f.data()), f.size());
        }
        const std::string a = old ? OldFrame(3u << 22 | 320, 320, 0, sec) : CurrentFrame(3, 0, 320, sec, usec + 100);
        raw.writeFrame(old, reinterpret_cast<const unsigned char*>(a.data()), a.size());
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

// Filler instead of coded pictures, a key frame every 10 frames.
std::string Filler(bool old, int i, int c, uint32_t sec, uint32_t usec)
{
    const bool key = i % 10 == 0;
    return old ? OldFrame(uint32_t(key ? 0 : 1) << 22 | 120, 120, uint32_t(c), sec)
               : CurrentFrame(key ? 0 : 1, uint8_t(c), 120, sec, usec);
}

// A current-protocol frame of a CIF picture.
std::string CurrentPicture(const AccessUnit& u, int c, uint32_t sec, uint32_t usec)
{
    std::string s = CurrentFrame(u.key ? 0 : 1, uint8_t(c), 0, sec, usec);
    Put(s, 4, uint32_t(u.data.size()), 4, false);
    Put(s, 8, 352, 2, false);
    Put(s, 10, 240, 2, false);
    return s + std::string(u.data.begin(), u.data.end());
}

// An old-protocol frame of a CIF picture from a DVR of the given model.
std::string OldPicture(const AccessUnit& u, uint8_t model, int c, uint32_t sec, uint32_t usec)
{
    const auto n = uint32_t(u.data.size());
    std::string s = OldFrame(uint32_t(u.key ? 0 : 1) << 22 | n, n, uint32_t(c), sec).substr(0, 80);
    s[16] = static_cast<char>(model);
    Put(s, 41, usec, 4, true);
    return s + std::string(u.data.begin(), u.data.end());
}

}  // namespace

int main(int argc, char** argv)
{
    const auto h264 = testmedia::LoadClip(Codec::H264, "cif").units;
    const auto mpeg4 = testmedia::WithoutMpeg4Headers(testmedia::LoadClip(Codec::Mpeg4, "cif").units);
    // The clips loop: each pass begins with its key frame.
    const auto current = [&](int i, int c, uint32_t sec, uint32_t usec) {
        return CurrentPicture(h264[size_t(i) % h264.size()], c, sec, usec);
    };
    const auto oldH264 = [&](int i, int c, uint32_t sec, uint32_t usec) {
        return OldPicture(h264[size_t(i) % h264.size()], OLD_H264, c, sec, usec);
    };
    const auto oldMpeg4 = [&](int i, int c, uint32_t sec, uint32_t usec) {
        return OldPicture(mpeg4[size_t(i) % mpeg4.size()], OLD_MPEG4, c, sec, usec);
    };
    const auto filler = [](bool old) {
        return [old](int i, int c, uint32_t sec, uint32_t usec) { return Filler(old, i, c, sec, usec); };
    };
    recinput::Files cut = Recording(false, 4, 2, 6, 5, filler(false));
    cut.qvf.resize(cut.qvf.size() - 150);
    return corpus::WriteSeeds(argc, argv,
                              {recinput::Join(Recording(false, 4, 4, 2, 10, current)),
                               recinput::Join(Recording(true, OLD_H264, 2, 2, 10, oldH264)),
                               recinput::Join(Recording(true, OLD_MPEG4, 2, 2, 10, oldMpeg4)),
                               recinput::Join(Recording(false, 4, 4, 4, 5, filler(false))),
                               recinput::Join(Recording(true, 12, 2, 4, 5, filler(true))),
                               recinput::Join(Recording(false, 4, 1, 90, 5, filler(false), 1)), recinput::Join(cut)});
}
