#include <gtest/gtest.h>

#include <QStringList>

#include <string>
#include <vector>

#include "Display/DisplayVideo.h"
#include "display_test_util.h"

using namespace displaytest;
using testmedia::Codec;

namespace {

// Shown times read as UTC: 1,000,000 s after 1970 is 1970-01-12 13:46:40.
constexpr uint32_t T0 = 1000000;

QString Day12(const char* time) { return QStringLiteral("1970-01-12  ") + QLatin1String(time); }

// The marks of a picture: record, motion, sensor, video loss, unauthorised, failed.
std::string Marks(const CDisplayInfo& p)
{
    std::string s;
    for (auto [on, c] : {std::pair{p.record, 'r'}, {p.motion, 'm'}, {p.sensor, 's'}, {p.videoLoss, 'l'},
                         {!p.authorised, 'u'}, {p.failed, 'f'}})
        if (on)
            s += c;
    return s;
}

class DisplayVideoTest : public ::testing::Test {
protected:
    DisplayVideoTest()
    {
        // Copies: a picture held by the display is not reused by the decoder.
        QObject::connect(&dv, &CDisplayVideo::signalUpdateScreen, [this](const CDisplayInfo& i) {
            pictures.push_back(i);
            pictures.back().image = i.image.copy();
        });
        QObject::connect(&dv, &CDisplayVideo::signalUpdateTime, [this](const QString& t) { times << t; });
        QObject::connect(&dv, &CDisplayVideo::signalChangedStatus, [this](const QString& s) { statuses << s; });
        dv.changeOpenglOption(true);
    }

    void Feed(const _DISPLAY_CHANNEL_INFO& info, const Frame& frame) { dv.makeImage(info, frame.data(), frame.size()); }
    // Units 0 and 30 of the clip are key frames.
    void Feed(const _DISPLAY_CHANNEL_INFO& info, size_t unit, uint32_t sec, int channel = 0)
    {
        Feed(info, CFrameOf(clip, unit, channel, sec));
    }

    static _DISPLAY_CHANNEL_INFO Cell(DISPLAY_MODE::ENUM mode, int widgetIndex = 0, int screen = 0, PbMode pb = PB_STOP)
    {
        _DISPLAY_CHANNEL_INFO info;
        info.displayMode = mode;
        info.pbMode = pb;
        info.widgetIndex = widgetIndex;
        info.screen = screen;
        info.dvrName = QStringLiteral("Front door DVR");
        info.channelName = QStringLiteral("Gate");
        return info;
    }

    const testmedia::Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    CDisplayVideo dv;
    std::vector<CDisplayInfo> pictures;
    QStringList times;
    QStringList statuses;
};

}  // namespace

TEST_F(DisplayVideoTest, APictureCarriesItsCellTextsAndMarks)
{
    _DISPLAY_CHANNEL_INFO info = Cell(DISPLAY_MODE::LIVE, 3, 19);
    info.record = info.sensor = info.videoLoss = true;
    info.authorised = false;
    const Frame frame = CFrameOf(clip, 0, 5, T0);
    Feed(info, frame);
    // The recording mark shows in live view only.
    info.displayMode = DISPLAY_MODE::REMOTE_PLAYBACK;
    info.pbMode = PB_FORWARD_1X;
    Feed(info, 1, T0, 5);

    ASSERT_EQ(pictures.size(), 2u);
    const CDisplayInfo& p = pictures[0];
    EXPECT_EQ(p.channel, 5);  // from the frame header
    EXPECT_EQ(p.screen, 19);
    EXPECT_EQ(p.image.size(), QSize(352, 240));
    EXPECT_EQ(p.image.format(), QImage::Format_RGB888);
    EXPECT_EQ(p.frameBytes, frame.size());
    EXPECT_EQ(p.title, info.dvrName);
    EXPECT_EQ(p.channelName, info.channelName);
    EXPECT_EQ(Marks(p), "rslu");
    EXPECT_EQ(Marks(pictures[1]), "slu");
}

TEST_F(DisplayVideoTest, OldProtocolMarksComeFromTheFrameItself)
{
    const testmedia::Clip mpeg4 = testmedia::LoadClip(Codec::Mpeg4, "cif");
    _DISPLAY_CHANNEL_INFO info = Cell(DISPLAY_MODE::LIVE, 0, 2);
    info.protocolType = PROTOCOL_CUFRAME_MPEG4;
    info.sensor = true;  // ignored for old-protocol frames
    // Resolution code 1 (352 x 240); channel 2's bit in the video-loss mask.
    Feed(info, CUFrameOf(mpeg4.units[0].data, true, 2, 0x28 | 0x02, 0x0004, T0));
    Feed(info, CUFrameOf(mpeg4.units[1].data, false, 2, 0x10 | 0x02, 0x0001, T0));
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].image.format(), QImage::Format_RGB32);
    EXPECT_EQ(pictures[0].image.size(), QSize(352, 240));
    EXPECT_EQ(Marks(pictures[0]), "rml");
    EXPECT_EQ(Marks(pictures[1]), "s");
}

TEST_F(DisplayVideoTest, BrokenFramesAreDroppedBeforeDecoding)
{
    const _DISPLAY_CHANNEL_INFO info = Cell(DISPLAY_MODE::LIVE);
    const Frame good = CFrameOf(clip, 0, 1, T0);
    EXPECT_EQ(dv.getVideoChannel(false, good.data(), good.size()), 1);
    Frame cut = good;  // coded data reaching past the end of the frame
    cut.pop_back();
    const Frame ch16 = CFrameOf(clip, 0, 16, T0);  // a valid header, but no DVR channel
    Frame big = clip.units[0].data;                // a payload of 1 MiB
    big.resize(0x100000, 0);
    for (const Frame& f : {cut, ch16, CFrameOf(clip, 0, 17, T0), CFrameOf(big, 0, 1, 352, 240, T0)})
        Feed(info, f);
    EXPECT_EQ(dv.getVideoChannel(false, cut.data(), cut.size()), -1);
    EXPECT_EQ(dv.getVideoChannel(false, ch16.data(), ch16.size()), -1);
    EXPECT_EQ(dv.getVideoChannel(false, good.data(), 35), -1);
    EXPECT_EQ(dv.getVideoChannel(true, good.data(), good.size()), -1);
    dv.makeImage(info, good.data(), 20);
    dv.makeImage(info, nullptr, 0);
    EXPECT_TRUE(pictures.empty());
    EXPECT_TRUE(times.isEmpty());

    // None of them opened the slot: the next delta frame still waits for a key frame.
    Feed(info, 1, T0, 1);
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
    const _DISPLAY_CHANNEL_INFO info = Cell(DISPLAY_MODE::LIVE);
    Feed(info, 0, T0);
    Feed(info, 1, T0 + 60);   // delta: picture, no time
    Feed(info, 30, T0 - 10);  // earlier key frame
    Feed(info, 31, T0 + 5);
    Feed(info, 0, T0);  // the shown second again
    Feed(info, 30, T0 + 3600);
    EXPECT_EQ(pictures.size(), 6u);
    EXPECT_EQ(times, (QStringList{Day12("13:46:40"), Day12("14:46:40")}));

    // Cleared: any time is shown again, and the cell waits for a key frame.
    dv.clear(-1);
    Feed(info, 31, T0);
    EXPECT_EQ(pictures.size(), 6u);
    Feed(info, 0, T0 - 3600);
    EXPECT_EQ(pictures.size(), 7u);
    EXPECT_EQ(times.last(), Day12("12:46:40"));
}

TEST_F(DisplayVideoTest, PlaybackTimeFollowsTheDirectionOfPlay)
{
    constexpr auto REMOTE_PLAYBACK = DISPLAY_MODE::REMOTE_PLAYBACK;
    constexpr auto LOCAL_PLAYBACK = DISPLAY_MODE::LOCAL_PLAYBACK;
    const struct {
        DISPLAY_MODE::ENUM mode;
        PbMode pb;
        int second;  // after T0
        bool shown;
    } steps[] = {
        {REMOTE_PLAYBACK, PB_FORWARD_1X, 0, true},    {REMOTE_PLAYBACK, PB_FORWARD_1X, 10, true},
        {REMOTE_PLAYBACK, PB_REVERSE_2X, 20, false},  {REMOTE_PLAYBACK, PB_REVERSE_2X, 5, true},
        {REMOTE_PLAYBACK, PB_SLOW_1_4, 1, false},     {REMOTE_PLAYBACK, PB_SLOW_1_4, 7, true},
        {LOCAL_PLAYBACK, PB_FORWARD_1X, 6, false},    {LOCAL_PLAYBACK, PB_REVERSE_4X, 3, true},
        {LOCAL_PLAYBACK, PB_REVERSE_4X, 4, true},
    };
    for (const auto& s : steps) {
        const int before = times.size();
        if (s.mode == REMOTE_PLAYBACK)
            Feed(Cell(s.mode, 0, 0, s.pb), 0, T0 + s.second);
        else
            dv.displayTime(s.mode, T0 + s.second, s.pb);
        EXPECT_EQ(times.size() - before, s.shown ? 1 : 0) << s.pb << " at " << s.second;
    }
    EXPECT_EQ(times.last(), Day12("13:46:44"));

    // After a button press the mode is unknown until the next frame announces it; a frame
    // whose own mode is reverse may then move the time back.
    dv.setPbStatus(cgi::PbControl::CMD_FORWARD);
    dv.displayTime(REMOTE_PLAYBACK, T0 + 2, PB_FORWARD_1X);
    EXPECT_EQ(times.last(), Day12("13:46:44"));
    dv.displayTime(REMOTE_PLAYBACK, T0 + 2, PB_REVERSE_1X);
    EXPECT_EQ(times.last(), Day12("13:46:42"));
}

TEST_F(DisplayVideoTest, PlaybackModeIsAnnouncedOncePerChange)
{
    for (PbMode pb : {PB_FORWARD_1X, PB_FORWARD_1X, PB_FORWARD_2X, PB_FORWARD_2X})
        Feed(Cell(DISPLAY_MODE::REMOTE_PLAYBACK, 0, 0, pb), 0, T0);
    dv.setPbStatus(cgi::PbControl::CMD_PAUSE);
    Feed(Cell(DISPLAY_MODE::REMOTE_PLAYBACK, 0, 0, PB_FORWARD_2X), 1, T0);
    // Faster and slower change nothing on screen until a frame arrives; stop clears the text.
    dv.setPbStatus(cgi::PbControl::CMD_FASTER);
    dv.setPbStatus(cgi::PbControl::CMD_STOP);
    Feed(Cell(DISPLAY_MODE::LIVE, 0, 0, PB_FORWARD_4X), 2, T0);  // live frames never announce a mode
    EXPECT_EQ(statuses, (QStringList{QStringLiteral("Playback( +1X )"), QStringLiteral("Playback( +2X )"), QString(),
                                     QStringLiteral("Playback( +2X )"), QString()}));
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
    EXPECT_EQ(Marks(pictures[0]), "u");
    EXPECT_TRUE(pictures[0].image.isNull());
    EXPECT_TRUE(pictures[0].title.isEmpty());
    EXPECT_EQ(Marks(pictures[1]), "f");
    EXPECT_EQ(pictures[1].title, info.status);
    EXPECT_TRUE(pictures[1].channelName.isEmpty());
}
