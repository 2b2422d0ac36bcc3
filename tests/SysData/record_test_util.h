#pragma once

// Frames as a DVR sends them, made from the generated clips, and a recorder writing into a
// scratch folder of its own; shared by the recorder and the local playback tests.

#include <cstring>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "sim/SimDvr.h"
#include "SysData/Record.h"
#include "SysData/RecordFiles.h"
#include "SysData/RecordTypes.h"
#include "Settings/AppSettings.h"
#include "support/TestMedia.h"
#include "support/UiTestSupport.h"
#include "cgi_response.pb.h"

namespace rectest {

// Mon 2026-03-02 10:00:40 UTC: three minutes of recording start 20 s before 10:01.
constexpr int64_t T0 = 1772445640;

struct Stream {
    bool old = false;
    testmedia::Clip clip;
    std::vector<uint8_t> tone;

    explicit Stream(bool oldProtocol, testmedia::Codec codec = testmedia::Codec::H264)
        : old(oldProtocol), clip(testmedia::LoadClip(codec, "cif")),
          tone(oldProtocol ? testmedia::G726Tone() : testmedia::AlawTone()) {}

    // Video frame `index` of the clip (wrapping) on a channel, stamped with ms since 1970.
    QByteArray video(int index, int channel, int64_t ms, int reason = 1, int model = 14) const
    {
        const testmedia::AccessUnit& u = clip.units[size_t(index) % clip.units.size()];
        simdvr::FrameFields f;
        f.type = u.key ? 0 : 1;
        f.channel = channel;
        f.recordReason = reason;
        f.frameSize = uint32_t(u.data.size());
        f.width = clip.width;
        f.height = clip.height;
        f.timeSec = ms / 1000;
        f.timeUsec = int32_t(ms % 1000 * 1000);
        f.model = model;
        f.info = simdvr::CUFrameResolutionInfo(clip.width, clip.height);
        QByteArray out = old ? simdvr::MakeCUFrameHeader(f) : simdvr::MakeCFrameHeader(f);
        out.append(reinterpret_cast<const char*>(u.data.data()), qsizetype(u.data.size()));
        return out;
    }

    QByteArray audio(int index, int channel, int64_t ms) const
    {
        const size_t frame = old ? 1200 : 320;
        simdvr::FrameFields f;
        f.type = 3;
        f.channel = channel;
        f.frameSize = uint32_t(frame);
        f.timeSec = ms / 1000;
        f.timeUsec = int32_t(ms % 1000 * 1000);
        QByteArray out = old ? simdvr::MakeCUFrameHeader(f) : simdvr::MakeCFrameHeader(f);
        const size_t at = (size_t(index) * frame) % (tone.size() - frame + 1);
        out.append(reinterpret_cast<const char*>(tone.data() + at), qsizetype(frame));
        return out;
    }
};

inline cgi::DvrInfo Info(int channels, int model = 4)
{
    cgi::DvrInfo info;
    info.set_ch_num(uint32_t(channels));
    info.set_model(uint32_t(model));
    for (int c = 0; c < channels; ++c)
        info.add_ch_name("CAM" + std::to_string(c + 1));
    return info;
}

// Settings and folders of one test: records go to record(), backups to backup().
class Rig {
public:
    explicit Rig(int fileFormat = 0, bool audio = true)
    {
        CAppSettings s;
        s.writeSetting(CAppSettings::PATH_LIST[1], record());
        s.writeSetting(CAppSettings::PATH_LIST[2], backup());
        s.writeSetting(CAppSettings::FILE_FORMAT, fileFormat);
        s.writeSetting(CAppSettings::AUDIO_SUPPORT, audio ? 1 : 0);
    }
    QString record() const { return m_dir.path() + "/rec"; }
    QString backup() const { return m_dir.path() + "/bak"; }

private:
    uitest::Sandbox m_sandbox;
    QTemporaryDir m_dir;
};

inline QStringList Files(const QString& folder, const QString& pattern)
{
    return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
}

inline QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The streams a raw recording holds: current and old headers, H.264 and MPEG-4.
struct RawKind {
    const char* name;
    bool old;
    testmedia::Codec codec;
    int model;
};

inline const RawKind RAW_KINDS[] = {{"CFrame H.264", false, testmedia::Codec::H264, 4},
                                    {"CUFrame H.264", true, testmedia::Codec::H264, 14},
                                    {"CUFrame MPEG-4", true, testmedia::Codec::Mpeg4, 8}};

// The pair ("yyyyMMdd_hhmmss") named by each minute of a .qdx file.
inline QStringList MinutePairs(const QString& qdxPath)
{
    QFile qdx(qdxPath);
    if (!qdx.open(QIODevice::ReadOnly))
        return {};
    const QByteArray minutes = qdx.readAll().mid(sizeof(recfile::QdxHeader));
    QStringList pairs;
    for (qsizetype at = 0; at + qsizetype(sizeof(QdxMinuteRecord)) <= minutes.size(); at += sizeof(QdxMinuteRecord)) {
        QdxMinuteRecord m;
        memcpy(&m, minutes.constData() + at, sizeof m);
        recfile::QdxMinuteExtra extra;
        memcpy(&extra, m.extra, sizeof extra);
        pairs << RecordFileTime(extra.file_time);
    }
    return pairs;
}

}  // namespace rectest
