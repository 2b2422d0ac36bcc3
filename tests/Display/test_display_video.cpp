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
constexpr auto LIVE = DISPLAY_MODE::LIVE;
constexpr auto REMOTE = DISPLAY_MODE::REMOTE_PLAYBACK;
constexpr auto LOCAL = DISPLAY_MODE::LOCAL_PLAYBACK;

// Where a picture goes and what it says: channel, screen, size, title and the marks record,
// motion, sensor, video loss, unauthorised, failed.
std::string Describe(const CDisplayInfo& p)
{
    std::string s = std::to_string(p.channel) + "@" + std::to_string(p.screen) + " " + std::to_string(p.image.width())
                    + "x" + std::to_string(p.image.height()) + " " + p.title.toStdString() + " ";
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
        dv.changeOpenglOption(true);
    }

    void Feed(const _DISPLAY_CHANNEL_INFO& info, const Frame& frame) { dv.makeImage(info, frame.data(), frame.size()); }

    static _DISPLAY_CHANNEL_INFO Cell(DISPLAY_MODE::ENUM mode, int screen = 0, PbMode pb = PB_STOP, int widgetIndex = 0)
    {
        _DISPLAY_CHANNEL_INFO info;
        info.displayMode = mode;
        info.pbMode = pb;
        info.widgetIndex = widgetIndex;
        info.screen = screen;
        info.dvrName = QStringLiteral("DVR");
        return info;
    }

    const testmedia::Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    CDisplayVideo dv;
    std::vector<CDisplayInfo> pictures;
    QStringList times;
};

}  // namespace

TEST_F(DisplayVideoTest, PicturesCarryTheirCellsTextsAndMarks)
{
    _DISPLAY_CHANNEL_INFO info = Cell(LIVE, 19, PB_STOP, 3);
    info.record = info.sensor = info.videoLoss = true;
    info.authorised = false;
    Feed(info, CFrameOf(clip, 0, 5, T0));
    info.displayMode = REMOTE;  // the recording mark shows in live view only
    Feed(info, CFrameOf(clip, 1, 5, T0));
    // Old-protocol frames bring their own marks: resolution code 1 (352 x 240), record and
    // motion, then sensor; bit 2 of the video-loss mask is channel 2's.
    const testmedia::Clip mpeg4 = testmedia::LoadClip(Codec::Mpeg4, "cif");
    info = Cell(LIVE, 2, PB_STOP, 1);
    info.protocolType = PROTOCOL_CUFRAME_MPEG4;
    info.sensor = true;
    Feed(info, CUFrameOf(mpeg4.units[0].data, true, 2, 0x28 | 0x02, 0x0004, T0));
    Feed(info, CUFrameOf(mpeg4.units[1].data, false, 2, 0x10 | 0x02, 0x0001, T0));
    info.status = QStringLiteral("Connection failed");  // a status record: no picture
    dv.updateDVRStatus(8, info);

    std::vector<std::string> seen;
    for (const CDisplayInfo& p : pictures)
        seen.push_back(Describe(p));
    EXPECT_EQ(seen, (std::vector<std::string>{"5@19 352x240 DVR rslu", "5@19 352x240 DVR slu", "2@2 352x240 DVR rml",
                                              "2@2 352x240 DVR s", "8@2 0x0 Connection failed f"}));
    ASSERT_EQ(pictures.size(), 5u);
    EXPECT_EQ(pictures[0].image.format(), QImage::Format_RGB888);
    EXPECT_EQ(pictures[2].image.format(), QImage::Format_RGB32);
    EXPECT_EQ(pictures[0].frameBytes, CFrameOf(clip, 0, 5, T0).size());
}

TEST_F(DisplayVideoTest, BrokenFramesAreDroppedBeforeDecoding)
{
    const _DISPLAY_CHANNEL_INFO info = Cell(LIVE);
    const Frame good = CFrameOf(clip, 0, 1, T0);
    EXPECT_EQ(dv.getVideoChannel(false, good.data(), good.size()), 1);
    EXPECT_EQ(dv.getVideoChannel(true, good.data(), good.size()), -1);
    // Coded data reaching past the end of the frame, a header only, channels 16 and 17.
    for (const Frame& f : {Frame(good.begin(), good.end() - 1), Frame(good.begin(), good.begin() + 35),
                           Frame(good.begin(), good.begin() + 20), CFrameOf(clip, 0, 16, T0), CFrameOf(clip, 0, 17, T0)}) {
        EXPECT_EQ(dv.getVideoChannel(false, f.data(), f.size()), -1) << f.size();
        Feed(info, f);
    }
    Frame big = clip.units[0].data;  // a payload of 1 MiB
    big.resize(0x100000, 0);
    Feed(info, CFrameOf(big, 0, 1, 352, 240, T0));
    dv.makeImage(info, nullptr, 0);
    EXPECT_TRUE(pictures.empty());
    EXPECT_TRUE(times.isEmpty());

    // None of them opened the slot: the next delta frame still waits for a key frame.
    Feed(info, CFrameOf(clip, 1, 1, T0));
    EXPECT_TRUE(pictures.empty());
    Feed(info, good);
    // A cell outside the page or a screen beyond the last one.
    Feed(Cell(LIVE, 0, PB_STOP, 64), good);
    Feed(Cell(LIVE, 256), good);
    EXPECT_EQ(pictures.size(), 1u);
}

TEST_F(DisplayVideoTest, TheTimeShownFollowsKeyFramesAndTheDirectionOfPlay)
{
    const struct {
        DISPLAY_MODE::ENUM mode;
        PbMode pb;
        size_t unit;  // 0 and 30 are key frames
        int second;   // after T0
        const char* shown;
    } steps[] = {
        {LIVE, PB_STOP, 0, 0, "13:46:40"}, {LIVE, PB_STOP, 1, 60, ""},  // delta: no time
        {LIVE, PB_STOP, 30, -10, ""}, {LIVE, PB_STOP, 30, 3600, "14:46:40"},
        {REMOTE, PB_FORWARD_1X, 0, 3610, "14:46:50"}, {REMOTE, PB_REVERSE_2X, 30, 3620, ""}, {REMOTE, PB_REVERSE_2X, 0, 3605, "14:46:45"},
        {REMOTE, PB_SLOW_1_4, 30, 3601, ""}, {LOCAL, PB_REVERSE_4X, 0, 3603, "14:46:43"},
    };
    for (const auto& s : steps) {
        times.clear();
        if (s.mode == LOCAL)
            dv.displayTime(s.mode, T0 + s.second, s.pb);
        else
            Feed(Cell(s.mode, 0, s.pb), CFrameOf(clip, s.unit, 0, T0 + s.second));
        EXPECT_EQ(times.join(QString()).mid(12), QLatin1String(s.shown)) << s.pb << " at " << s.second;
    }
    // Cleared: any time is shown again, and the cell waits for a key frame.
    dv.clear(-1);
    const size_t shown = pictures.size();
    Feed(Cell(LIVE), CFrameOf(clip, 31, 0, T0));
    Feed(Cell(LIVE), CFrameOf(clip, 0, 0, T0 - 3600));
    EXPECT_EQ(pictures.size(), shown + 1);
    EXPECT_EQ(times.last(), QStringLiteral("1970-01-12  12:46:40"));
}
