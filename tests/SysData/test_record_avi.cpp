#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include "record_test_util.h"

using namespace rectest;

namespace {

struct Probe {
    QJsonObject video, audio;
    bool hasAudio = false;
    double duration = 0;
};

Probe FfProbe(const QString& path)
{
    QProcess p;
    p.start("ffprobe", {"-v", "error", "-count_frames", "-show_entries",
                        "stream=codec_type,codec_name,codec_tag_string,nb_read_frames,r_frame_rate,sample_rate,"
                        "sample_fmt,channels:format=duration,format_name",
                        "-of", "json", path});
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QJsonObject root = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    Probe out;
    for (const QJsonValue& v : root["streams"].toArray()) {
        const QJsonObject s = v.toObject();
        if (s["codec_type"] == "video")
            out.video = s;
        else if (s["codec_type"] == "audio") {
            out.audio = s;
            out.hasAudio = true;
        }
    }
    EXPECT_EQ(root["format"].toObject()["format_name"].toString(), "avi");
    out.duration = root["format"].toObject()["duration"].toString().toDouble();
    return out;
}

}  // namespace

TEST(AviRecording, OneFilePerChannelFromItsFirstKeyFrameWithRateAndAudio)
{
    const struct {
        const char* what;
        bool old;
        testmedia::Codec codec;
        int model;
        bool audio;
        int fps;
        const char* codecName;
        const char* tag;
    } cases[] = {
        {"H.264 with audio, 30 fps", false, testmedia::Codec::H264, 4, true, 30, "h264", "H264"},
        {"old MPEG-4, 15 fps, no audio", true, testmedia::Codec::Mpeg4, 8, false, 15, "mpeg4", "DX50"},
        {"old H.264 with audio, 25 fps", true, testmedia::Codec::H264, 14, true, 25, "h264", "H264"},
    };
    for (const auto& c : cases) {
        Rig rig(1, c.audio);
        Stream s(c.old, c.codec);
        CRecord rec;
        rec.start(QStringLiteral("Yard"), Info(2, c.model), 0);
        ASSERT_TRUE(rec.isRecording()) << c.what;
        // Channel 1 starts 5 frames before a key frame (those are not written).
        const int frames = 3 * c.fps;
        int written[2] = {0, 0};
        bool keySeen[2] = {false, false};
        const int64_t start = T0 * 1000 + 200;
        const int audioFrames = frames * 1000 / c.fps / (c.old ? 400 : 40);
        int audioSent = 0;
        for (int i = 0; i < frames; ++i) {
            for (int ch = 0; ch < 2; ++ch) {
                const int index = ch == 1 ? i + 25 : i;
                const testmedia::AccessUnit& u = s.clip.units[size_t(index) % s.clip.units.size()];
                keySeen[ch] = keySeen[ch] || u.key;
                written[ch] += keySeen[ch];
                rec.writeFrame(c.old, s.video(index, ch, start + i * 1000 / c.fps, 1, c.model));
            }
            while (audioSent < audioFrames && audioSent * (c.old ? 400 : 40) <= i * 1000 / c.fps) {
                rec.writeFrame(c.old, s.audio(audioSent, 0, start + audioSent * (c.old ? 400 : 40)));
                rec.writeFrame(c.old, s.audio(audioSent, 1, start + audioSent * (c.old ? 400 : 40)));
                ++audioSent;
            }
        }
        rec.stop();

        const QString folder = rig.record() + "/Yard";
        EXPECT_EQ(Files(folder, "*.avi"), QStringList({"20260302_100040_01.avi", "20260302_100040_02.avi"})) << c.what;
        for (int ch = 0; ch < 2; ++ch) {
            const QStringList avis = Files(folder, QStringLiteral("*_%1.avi").arg(ch + 1, 2, 10, QLatin1Char('0')));
            ASSERT_EQ(avis.size(), 1) << c.what;
            const Probe p = FfProbe(folder + "/" + avis[0]);
            EXPECT_EQ(p.video["codec_name"].toString(), c.codecName) << c.what;
            EXPECT_EQ(p.video["codec_tag_string"].toString(), c.tag) << c.what;
            EXPECT_EQ(p.video["nb_read_frames"].toString().toInt(), written[ch]) << c.what << " ch " << ch;
            EXPECT_EQ(p.video["r_frame_rate"].toString(), QStringLiteral("%1/1").arg(c.fps)) << c.what;
            EXPECT_NEAR(p.duration, double(written[ch]) / c.fps, 0.5) << c.what;
            EXPECT_EQ(p.hasAudio, c.audio) << c.what;
            if (c.audio) {
                EXPECT_EQ(p.audio["codec_name"].toString(), "pcm_s16le");
                EXPECT_EQ(p.audio["sample_rate"].toString(), "8000");
                EXPECT_EQ(p.audio["sample_fmt"].toString(), "s16");
                EXPECT_EQ(p.audio["channels"].toInt(), 1);
            }
        }
    }
}

TEST(AviRecording, ShortRecordingTakesItsRateFromTheFramesItHas)
{
    Rig rig(1, false);
    Stream s(false);
    CRecord rec;
    rec.start(QStringLiteral("Short"), Info(1), 0);
    // 12 frames at 20 fps: stopped before the rate window is full.
    for (int i = 0; i < 12; ++i)
        rec.writeFrame(false, s.video(i, 0, T0 * 1000 + i * 50));
    rec.stop();
    const QStringList avis = Files(rig.record() + "/Short", "*.avi");
    ASSERT_EQ(avis.size(), 1);
    const Probe p = FfProbe(rig.record() + "/Short/" + avis[0]);
    EXPECT_EQ(p.video["r_frame_rate"].toString(), "20/1");
    EXPECT_EQ(p.video["nb_read_frames"].toString().toInt(), 12);
}
