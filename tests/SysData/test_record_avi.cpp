#include <map>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include "record_test_util.h"

using namespace rectest;

namespace {

// ffprobe's view of a file, one line per stream kind: "video" and "audio" give their codec,
// tag or sample format, frame count or rate and channels; "format" its name.
std::map<QString, std::string> FfProbe(const QString& path, double* duration)
{
    QProcess p;
    p.start("ffprobe", {"-v", "error", "-count_frames", "-show_entries",
                        "stream=codec_type,codec_name,codec_tag_string,nb_read_frames,r_frame_rate,sample_rate,"
                        "sample_fmt,channels:format=duration,format_name", "-of", "json", path});
    EXPECT_TRUE(p.waitForFinished(30000) && p.exitCode() == 0) << p.readAllStandardError().toStdString();
    const QJsonObject root = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    *duration = root["format"]["duration"].toString().toDouble();
    std::map<QString, std::string> out{{"format", root["format"]["format_name"].toString().toStdString()}};
    for (const QJsonValue& s : root["streams"].toArray())
        out[s["codec_type"].toString()] = s["codec_type"] == "video"
            ? QStringList({s["codec_name"].toString(), s["codec_tag_string"].toString(), s["nb_read_frames"].toString(),
                           s["r_frame_rate"].toString()}).join(' ').toStdString()
            : QStringList({s["codec_name"].toString(), s["sample_rate"].toString(), s["sample_fmt"].toString(),
                           QString::number(s["channels"].toInt())}).join(' ').toStdString();
    return out;
}

}  // namespace

// One file per channel from its first key frame, at the rate of its frames (also when the
// recording stops before the rate window is full), with the audio when it is on.
TEST(AviRecording, OneFilePerChannelFromItsFirstKeyFrameWithRateAndAudio)
{
    const struct {
        const char* what;
        bool old;
        testmedia::Codec codec;
        int model;
        bool audio;
        int fps, frames;
        const char* codecAndTag;
    } cases[] = {
        {"H.264 with audio, 30 fps", false, testmedia::Codec::H264, 4, true, 30, 90, "h264 H264"},
        {"old MPEG-4, 15 fps, no audio", true, testmedia::Codec::Mpeg4, 8, false, 15, 45, "mpeg4 DX50"},
        {"old H.264 with audio, 25 fps", true, testmedia::Codec::H264, 14, true, 25, 75, "h264 H264"},
        {"H.264 stopped after 12 frames at 20 fps", false, testmedia::Codec::H264, 4, false, 20, 12, "h264 H264"},
    };
    for (const auto& c : cases) {
        Rig rig(1, c.audio);
        Stream s(c.old, c.codec);
        CRecord rec;
        rec.start(QStringLiteral("Yard"), Info(2, c.model), 0);
        ASSERT_TRUE(rec.isRecording()) << c.what;
        // Channel 1 starts 5 frames before a key frame (those are not written).
        int written[2] = {0, 0};
        bool keySeen[2] = {false, false};
        const int64_t start = T0 * 1000 + 200;
        const int audioMs = c.old ? 400 : 40;
        const int audioFrames = c.frames * 1000 / c.fps / audioMs;
        for (int i = 0, audioSent = 0; i < c.frames; ++i) {
            for (int ch = 0; ch < 2; ++ch) {
                const int index = ch == 1 ? i + 25 : i;
                keySeen[ch] = keySeen[ch] || s.clip.units[size_t(index) % s.clip.units.size()].key;
                written[ch] += keySeen[ch];
                rec.writeFrame(c.old, s.video(index, ch, start + i * 1000 / c.fps, 1, c.model));
            }
            for (; audioSent < audioFrames && audioSent * audioMs <= i * 1000 / c.fps; ++audioSent)
                for (int ch = 0; ch < 2; ++ch)
                    rec.writeFrame(c.old, s.audio(audioSent, ch, start + audioSent * audioMs));
        }
        rec.stop();

        const QString folder = rig.record() + "/Yard";
        ASSERT_EQ(Files(folder, "*.avi"), QStringList({"20260302_100040_01.avi", "20260302_100040_02.avi"})) << c.what;
        for (int ch = 0; ch < 2; ++ch) {
            double duration = 0;
            const std::map<QString, std::string> p = FfProbe(folder + "/" + Files(folder, "*.avi")[ch], &duration);
            EXPECT_EQ(p.at("format"), "avi");
            const std::string video = std::string(c.codecAndTag) + " " + std::to_string(written[ch]) + " ";
            EXPECT_EQ(p.at("video"), video + std::to_string(c.fps) + "/1") << c.what << " ch " << ch;
            EXPECT_NEAR(duration, double(written[ch]) / c.fps, 0.5) << c.what;
            EXPECT_EQ(p.count("audio") ? p.at("audio") : "", c.audio ? "pcm_s16le 8000 s16 1" : "") << c.what;
        }
    }
}

namespace {

// Two seconds of channels 0 and 1 from T0, with channel 0's audio stamped `audioDelay` seconds
// later, recorded as AVI files by a recorder of a DVR so named.
void RecordTwoSeconds(const QString& dvrName, time_t endTime = 0, int audioDelay = 0)
{
    Stream s(true);
    CRecord rec;
    rec.start(dvrName, Info(2, 14), endTime);
    ASSERT_TRUE(rec.isRecording());
    for (int i = 0; i < 20; ++i) {
        for (int ch = 0; ch < 2; ++ch)
            rec.writeFrame(true, s.video(i, ch, T0 * 1000 + i * 100));
        if (i % 4 == 0)
            rec.writeFrame(true, s.audio(i / 4, 0, (T0 + audioDelay) * 1000 + i * 100));
    }
    rec.stop();
}

}  // namespace

TEST(AviRecording, PercentSignsInTheFolderOrTheDvrNameStayWhatTheyAre)
{
    Rig rig(1);
    CAppSettings().writeSetting(CAppSettings::PATH_LIST[1], rig.record() + "/100%1 %2");
    RecordTwoSeconds(QStringLiteral("Gate %1"));
    EXPECT_EQ(Files(rig.record() + "/100%1 %2/Gate %1", "*.avi"),
              QStringList({"20260302_100040_01.avi", "20260302_100040_02.avi"}));
}

TEST(AviRecording, ARecordingOfTheSameSecondTakesTheNextFreeName)
{
    Rig rig(1);
    RecordTwoSeconds(QStringLiteral("Yard"));
    const QString folder = rig.record() + "/Yard";
    const QFileInfo first(folder + "/20260302_100040_01.avi");
    ASSERT_TRUE(first.exists());
    const qint64 size = first.size();
    RecordTwoSeconds(QStringLiteral("Yard"));
    EXPECT_EQ(Files(folder, "*.avi"), QStringList({"20260302_100040_01.avi", "20260302_100040_02.avi",
                                                   "20260302_100041_01.avi", "20260302_100041_02.avi"}));
    EXPECT_EQ(QFileInfo(folder + "/20260302_100040_01.avi").size(), size);
}

TEST(AviRecording, ABackupKeepsAudioStampedAfterItsEnd)
{
    Rig rig(1);
    RecordTwoSeconds(QStringLiteral("Yard"), T0 + 2, 5);
    QProcess p;
    p.start("ffprobe", {"-v", "error", "-select_streams", "a", "-count_packets", "-show_entries",
                        "stream=nb_read_packets", "-of", "csv=p=0", rig.backup() + "/Yard/20260302_100040_01.avi"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_GT(QString::fromLatin1(p.readAllStandardOutput()).trimmed().toInt(), 0);
}
