#include <gtest/gtest.h>

#include <QStringList>

#include <vector>

#include "Display/DisplayVideo.h"
#include "support/TestMedia.h"
#include "video_frames.h"

using testmedia::Clip;
using testmedia::Codec;
using videoframes::CFrameOf;
using videoframes::CUFrameOf;
using videoframes::Stamp;

namespace {

// Shown times read as UTC wall-clock: 1,000,000 s after 1970 is 1970-01-12 13:46:40.
constexpr uint32_t T0 = 1000000;

class DisplayVideoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Keep copies: a picture held by the display is not reused by the decoder.
        QObject::connect(&dv, &CDisplayVideo::signalUpdateScreen, [this](const CDisplayInfo& i) {
            pictures.push_back(i);
            pictures.back().image = i.image.copy();
        });
        QObject::connect(&dv, &CDisplayVideo::signalUpdateTime,
                         [this](const QString& t) { times << t; });
        QObject::connect(&dv, &CDisplayVideo::signalChangedStatus,
                         [this](const QString& s) { statuses << s; });
        dv.changeOpenglOption(true);
    }

    void Feed(const _DISPLAY_CHANNEL_INFO& info, const std::vector<uint8_t>& frame)
    {
        dv.makeImage(info, frame.data(), frame.size());
    }

    static _DISPLAY_CHANNEL_INFO Cell(DISPLAY_MODE::ENUM mode, int widgetIndex, int screen)
    {
        _DISPLAY_CHANNEL_INFO info;
        info.displayMode = mode;
        info.widgetIndex = widgetIndex;
        info.screen = screen;
        info.dvrName = QStringLiteral("Front door DVR");
        info.channelName = QStringLiteral("Gate");
        return info;
    }

    CDisplayVideo dv;
    std::vector<CDisplayInfo> pictures;
    QStringList times;
    QStringList statuses;
};

}  // namespace

TEST_F(DisplayVideoTest, ALivePictureCarriesItsCellTextsAndMarks)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    _DISPLAY_CHANNEL_INFO info = Cell(DISPLAY_MODE::LIVE, 3, 19);
    info.record = true;
    info.sensor = true;
    info.videoLoss = true;
    info.authorised = false;
    const auto frame = CFrameOf(clip, 0, 5, Stamp{T0, 0});
    Feed(info, frame);

    ASSERT_EQ(pictures.size(), 1u);
    const CDisplayInfo& p = pictures[0];
    EXPECT_EQ(p.channel, 5);  // from the frame header
    EXPECT_EQ(p.screen, 19);
    EXPECT_EQ(p.image.size(), QSize(352, 240));
    EXPECT_EQ(p.image.format(), QImage::Format_RGB888);
    EXPECT_EQ(p.frameBytes, frame.size());
    EXPECT_EQ(p.title, QStringLiteral("Front door DVR"));
    EXPECT_EQ(p.channelName, QStringLiteral("Gate"));
    EXPECT_TRUE(p.record);
    EXPECT_FALSE(p.motion);
    EXPECT_TRUE(p.sensor);
    EXPECT_TRUE(p.videoLoss);
    EXPECT_FALSE(p.authorised);
    EXPECT_FALSE(p.failed);

    // The recording mark shows in live view only.
    _DISPLAY_CHANNEL_INFO remote = info;
    remote.displayMode = DISPLAY_MODE::REMOTE_PLAYBACK;
    remote.pbMode = PB_FORWARD_1X;
    Feed(remote, CFrameOf(clip, 1, 5, Stamp{T0, 33000}));
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_FALSE(pictures[1].record);
    EXPECT_TRUE(pictures[1].sensor);
}

TEST_F(DisplayVideoTest, OldProtocolMarksComeFromTheFrameItself)
{
    const Clip clip = testmedia::LoadClip(Codec::Mpeg4, "cif");
    _DISPLAY_CHANNEL_INFO info = Cell(DISPLAY_MODE::LIVE, 0, 2);
    info.protocolType = PROTOCOL_CUFRAME_MPEG4;
    info.sensor = true;  // ignored for old-protocol frames

    // Resolution code 1 (352 x 240), recording and motion; channel 2 has lost its video.
    Feed(info, CUFrameOf(clip.units[0].data, true, 2, 0x28 | 0x02, 0x0004, Stamp{T0, 0}));
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].image.format(), QImage::Format_RGB32);
    EXPECT_EQ(pictures[0].image.size(), QSize(352, 240));
    EXPECT_TRUE(pictures[0].record);
    EXPECT_TRUE(pictures[0].motion);
    EXPECT_FALSE(pictures[0].sensor);
    EXPECT_TRUE(pictures[0].videoLoss);

    Feed(info, CUFrameOf(clip.units[1].data, false, 2, 0x10 | 0x02, 0x0001, Stamp{T0, 33000}));
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_FALSE(pictures[1].record);
    EXPECT_FALSE(pictures[1].motion);
    EXPECT_TRUE(pictures[1].sensor);
    EXPECT_FALSE(pictures[1].videoLoss);
}

TEST_F(DisplayVideoTest, BrokenFramesAreDroppedBeforeDecoding)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    const _DISPLAY_CHANNEL_INFO info = Cell(DISPLAY_MODE::LIVE, 0, 0);
    auto good = CFrameOf(clip, 0, 1, Stamp{T0, 0});
    EXPECT_EQ(dv.getVideoChannel(false, good.data(), good.size()), 1);

    // Coded data reaching past the end of the frame.
    auto cut = good;
    cut.resize(cut.size() - 1);
    EXPECT_EQ(dv.getVideoChannel(false, cut.data(), cut.size()), -1);
    Feed(info, cut);
    // Channel 16 is a valid header but no DVR channel; 17 is not valid.
    auto ch16 = CFrameOf(clip, 0, 16, Stamp{T0, 0});
    EXPECT_EQ(dv.getVideoChannel(false, ch16.data(), ch16.size()), -1);
    Feed(info, ch16);
    auto ch17 = CFrameOf(clip, 0, 17, Stamp{T0, 0});
    Feed(info, ch17);
    // Shorter than a header, and a current-protocol frame read as an old one.
    EXPECT_EQ(dv.getVideoChannel(false, good.data(), 35), -1);
    EXPECT_EQ(dv.getVideoChannel(true, good.data(), good.size()), -1);
    dv.makeImage(info, good.data(), 20);
    dv.makeImage(info, nullptr, 0);
    // A payload of 1 MiB or more.
    std::vector<uint8_t> big(clip.units[0].data);
    big.resize(0x100000, 0);
    Feed(info, CFrameOf(big, 0, 1, 352, 240, Stamp{T0, 0}));
    EXPECT_TRUE(pictures.empty());
    EXPECT_TRUE(times.isEmpty());

    // None of them opened the slot: the next delta frame still waits for a key frame.
    Feed(info, CFrameOf(clip, 1, 1, Stamp{T0, 0}));
    EXPECT_TRUE(pictures.empty());
    Feed(info, good);
    EXPECT_EQ(pictures.size(), 1u);

    // A cell outside the page or a screen beyond the last one.
    Feed(Cell(DISPLAY_MODE::LIVE, 64, 0), good);
    Feed(Cell(DISPLAY_MODE::LIVE, 0, 256), good);
    EXPECT_EQ(pictures.size(), 1u);
}

TEST_F(DisplayVideoTest, LiveTimeMovesForwardOnKeyFramesOnly)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    const _DISPLAY_CHANNEL_INFO info = Cell(DISPLAY_MODE::LIVE, 0, 0);
    Feed(info, CFrameOf(clip, 0, 0, Stamp{T0, 0}));
    ASSERT_EQ(times, QStringList{QStringLiteral("1970-01-12  13:46:40")});
    Feed(info, CFrameOf(clip, 1, 0, Stamp{T0 + 60, 0}));  // delta: picture, no time
    Feed(info, CFrameOf(clip, 30, 0, Stamp{T0 - 10, 0}));  // earlier key frame
    EXPECT_EQ(pictures.size(), 3u);
    EXPECT_EQ(times.size(), 1);
    Feed(info, CFrameOf(clip, 31, 0, Stamp{T0 + 5, 0}));
    Feed(info, CFrameOf(clip, 0, 0, Stamp{T0, 500000}));  // the shown second again
    Feed(info, CFrameOf(clip, 30, 0, Stamp{T0 + 3600, 0}));
    EXPECT_EQ(times, (QStringList{QStringLiteral("1970-01-12  13:46:40"),
                                  QStringLiteral("1970-01-12  14:46:40")}));

    // Cleared: any time is shown again, and the cell waits for a key frame.
    dv.clear(-1);
    Feed(info, CFrameOf(clip, 31, 0, Stamp{T0, 0}));
    EXPECT_EQ(pictures.size(), 6u);
    Feed(info, CFrameOf(clip, 0, 0, Stamp{T0 - 3600, 0}));
    EXPECT_EQ(pictures.size(), 7u);
    EXPECT_EQ(times.last(), QStringLiteral("1970-01-12  12:46:40"));
}

TEST_F(DisplayVideoTest, RemotePlaybackFollowsTheDirectionOfPlay)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    _DISPLAY_CHANNEL_INFO info = Cell(DISPLAY_MODE::REMOTE_PLAYBACK, 0, 0);
    info.pbMode = PB_FORWARD_1X;
    Feed(info, CFrameOf(clip, 0, 0, Stamp{T0, 0}));
    Feed(info, CFrameOf(clip, 30, 0, Stamp{T0 + 10, 0}));
    ASSERT_EQ(times.size(), 2);

    // At -2X only earlier times are shown.
    info.pbMode = PB_REVERSE_2X;
    Feed(info, CFrameOf(clip, 0, 0, Stamp{T0 + 20, 0}));
    EXPECT_EQ(times.size(), 2);
    Feed(info, CFrameOf(clip, 30, 0, Stamp{T0 + 5, 0}));
    EXPECT_EQ(times.size(), 3);
    EXPECT_EQ(times.last(), QStringLiteral("1970-01-12  13:46:45"));

    // Slow forward shows later times again.
    info.pbMode = PB_SLOW_1_4;
    Feed(info, CFrameOf(clip, 0, 0, Stamp{T0 + 1, 0}));
    Feed(info, CFrameOf(clip, 30, 0, Stamp{T0 + 7, 0}));
    EXPECT_EQ(times.size(), 4);
    EXPECT_EQ(times.last(), QStringLiteral("1970-01-12  13:46:47"));

    // After a button press the mode is unknown until the next frame announces it; a frame
    // whose own mode is reverse may then move the time back.
    dv.setPbStatus(cgi::PbControl::CMD_FORWARD);
    dv.displayTime(DISPLAY_MODE::REMOTE_PLAYBACK, T0 + 2, PB_FORWARD_1X);
    EXPECT_EQ(times.size(), 4);
    dv.displayTime(DISPLAY_MODE::REMOTE_PLAYBACK, T0 + 2, PB_REVERSE_1X);
    EXPECT_EQ(times.size(), 5);
}

TEST_F(DisplayVideoTest, LocalPlaybackTimeMayRunBackwardsOnlyInReverse)
{
    dv.displayTime(DISPLAY_MODE::LOCAL_PLAYBACK, T0, PB_FORWARD_1X);
    dv.displayTime(DISPLAY_MODE::LOCAL_PLAYBACK, T0 - 1, PB_FORWARD_1X);
    dv.displayTime(DISPLAY_MODE::LOCAL_PLAYBACK, T0 - 2, PB_REVERSE_4X);
    dv.displayTime(DISPLAY_MODE::LOCAL_PLAYBACK, T0 + 1, PB_REVERSE_4X);
    EXPECT_EQ(times, (QStringList{QStringLiteral("1970-01-12  13:46:40"),
                                  QStringLiteral("1970-01-12  13:46:38"),
                                  QStringLiteral("1970-01-12  13:46:41")}));
}

TEST_F(DisplayVideoTest, PlaybackModeIsAnnouncedOncePerChange)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    _DISPLAY_CHANNEL_INFO info = Cell(DISPLAY_MODE::REMOTE_PLAYBACK, 0, 0);
    info.pbMode = PB_FORWARD_1X;
    Feed(info, CFrameOf(clip, 0, 0, Stamp{T0, 0}));
    Feed(info, CFrameOf(clip, 1, 0, Stamp{T0, 0}));
    info.pbMode = PB_FORWARD_2X;
    Feed(info, CFrameOf(clip, 2, 0, Stamp{T0, 0}));
    Feed(info, CFrameOf(clip, 3, 0, Stamp{T0, 0}));
    EXPECT_EQ(statuses,
              (QStringList{QStringLiteral("Playback( +1X )"), QStringLiteral("Playback( +2X )")}));

    dv.setPbStatus(cgi::PbControl::CMD_PAUSE);
    EXPECT_EQ(statuses.last(), QString());
    Feed(info, CFrameOf(clip, 4, 0, Stamp{T0, 0}));
    EXPECT_EQ(statuses.last(), QStringLiteral("Playback( +2X )"));
    EXPECT_EQ(statuses.size(), 4);

    // Faster and slower change nothing on screen until a frame arrives; stop clears the text.
    dv.setPbStatus(cgi::PbControl::CMD_FASTER);
    EXPECT_EQ(statuses.size(), 4);
    dv.setPbStatus(cgi::PbControl::CMD_STOP);
    EXPECT_EQ(statuses.size(), 5);
    // Live frames never announce a mode.
    Feed(Cell(DISPLAY_MODE::LIVE, 0, 0), CFrameOf(clip, 5, 0, Stamp{T0, 0}));
    EXPECT_EQ(statuses.size(), 5);
}

TEST_F(DisplayVideoTest, StatusUpdatesShowCellsWithoutPictures)
{
    _DISPLAY_CHANNEL_INFO info = Cell(DISPLAY_MODE::LIVE, 4, 36);
    info.authorised = false;
    dv.updateDVRStatus(7, info);
    info.status = QStringLiteral("Connection failed");
    info.authorised = true;
    dv.updateDVRStatus(8, info);

    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].channel, 7);
    EXPECT_EQ(pictures[0].screen, 36);
    EXPECT_FALSE(pictures[0].failed);
    EXPECT_FALSE(pictures[0].authorised);
    EXPECT_TRUE(pictures[0].image.isNull());
    EXPECT_TRUE(pictures[0].title.isEmpty());
    EXPECT_TRUE(pictures[1].failed);
    EXPECT_TRUE(pictures[1].authorised);
    EXPECT_EQ(pictures[1].title, QStringLiteral("Connection failed"));
    EXPECT_TRUE(pictures[1].channelName.isEmpty());
}
