// The picture page: the read, what a change sends, "Default", and what is never sent.

#include <functional>

#include <QSignalSpy>
#include <QSlider>

#include "LiveCtrl/LiveCtrlQuery.h"
#include "LiveCtrl/PictureWidget.h"
#include "Network/ReadDVRData.h"
#include "livectrl_test_util.h"

using namespace lctest;
using simdvr::MakePacket;

namespace {

const char* const SLIDERS[] = {"contrast", "brightness", "saturation", "hsharpness", "vsharpness"};

QSlider* Slider(CPictureWidget& page, int kind) { return page.findChild<QSlider*>(SLIDERS[kind]); }

std::vector<int> Shown(CPictureWidget& page)
{
    std::vector<int> values;
    for (int kind = 0; kind < 5; ++kind)
        values.push_back(Slider(page, kind)->value());
    return values;
}

using Set = std::tuple<int, int, int>;  // channel, type, value

std::vector<Set> Sets(const std::vector<Request>& posts)
{
    std::vector<Set> sets;
    for (const Request& r : posts) {
        const auto m = Decoded<cgi::PictureControlSet>(r, cgi::MODE_SET_PICTURE_CONTROL);
        EXPECT_TRUE(m.has_channel() && m.has_type() && m.has_value());
        sets.push_back({int(m.channel()), int(m.type()), int(m.value())});
    }
    return sets;
}

int Reads(const CSimDvr& sim)
{
    int reads = 0;
    for (const Request& r : sim.requests())
        if (r.transport == Transport::Get) {
            EXPECT_TRUE(r.mode == cgi::MODE_GET_PICTURE_CONTROL && r.user == "oper" && r.dataOk && r.data.empty());
            ++reads;
        }
    return reads;
}

// Four channels of values on a 16-channel DVR; channel 3's contrast is out of range.
cgi::PictureControlGet FourChannels()
{
    cgi::PictureControlGet p;
    for (uint32_t ch = 0; ch < 4; ++ch) {
        p.add_contrast(ch == 3 ? 20 : ch + 1);
        p.add_brightness(ch + 4);
        p.add_saturation(ch + 7);
        p.add_hsharpness(ch + 10);
        p.add_vsharpness(15 - ch);
    }
    return p;
}

QByteArray Serialized(const cgi::PictureControlGet& p) { return QByteArray::fromStdString(p.SerializeAsString()); }

struct PicturePage {
    explicit PicturePage(const cgi::PictureControlGet& values = cgi::PictureControlGet())
    {
        simdvr::Config c = Config(false);
        c.pictureControl = values;
        sim = std::make_unique<CSimDvr>(c);
        EXPECT_TRUE(sim->start());
        page.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&page));
        page.SetConnectedDVR(Entry(*sim, false), 7);
        QSignalSpy read(page.reader(), &CReadDVRData::completed);
        EXPECT_TRUE(read.wait(10000));  // the page took the reply first
    }
    std::vector<Set> sent() { return Sets(SentBy(page.commandSender(), *sim)); }

    std::unique_ptr<CSimDvr> sim;
    CPictureWidget page;
};

}  // namespace

TEST(PictureReply, OnlyAWholeFirstPacketOfPictureValuesCounts)
{
    const QByteArray good = Serialized(FourChannels());
    const std::pair<QByteArray, bool> rows[] = {
        {QByteArray(), false},
        {"no packet here", false},
        {MakePacket(0, cgi::DATA_DVR_INFO, good, false), false},
        {MakePacket(0, cgi::DATA_PICTURE_CONTROL, "\x0a\xff", false), false},
        {MakePacket(0, cgi::DATA_RESPONSE, "\x01", false) + MakePacket(0, cgi::DATA_PICTURE_CONTROL, good, false), false},
        {MakePacket(0, cgi::DATA_PICTURE_CONTROL, good, false).chopped(3), false},
        {MakePacket(0, cgi::DATA_PICTURE_CONTROL, good, true), false},
        {"\x01\x02" + MakePacket(0, cgi::DATA_PICTURE_CONTROL, good, false), true},
    };
    for (const auto& [reply, ok] : rows) {
        cgi::PictureControlGet p;
        p.add_contrast(99);
        EXPECT_EQ(PictureControl_Parse(reply, &p), ok) << reply.toHex().constData();
        EXPECT_EQ(p.contrast(0), ok ? 1u : 99u);
    }
}

TEST(PicturePage, TheDvrsValuesAreShownPaddedWithDefaultsAndNeverSentBack)
{
    PicturePage p(FourChannels());
    EXPECT_EQ(p.page.picture().contrast_size(), 16);
    const std::pair<int, std::vector<int>> rows[] = {
        {0, {1, 4, 7, 10, 15}}, {2, {3, 6, 9, 12, 13}}, {3, {15, 7, 10, 13, 12}}, {9, {8, 8, 8, 8, 8}}};
    for (const auto& [channel, shown] : rows) {
        p.page.SetChannel(channel);
        EXPECT_EQ(Shown(p.page), shown) << channel;
    }
    p.page.SetChannel(3);
    EXPECT_EQ(p.page.picture().contrast(3), 20u);  // shown as 15, kept as read
    EXPECT_TRUE(p.sent().empty());
    QTest::keyClick(Slider(p.page, 0), Qt::Key_Left);
    EXPECT_EQ(p.sent(), (std::vector<Set>{{3, cgi::PictureControlSet::CONTRAST, 14}}));
}

TEST(PicturePage, ADragSendsItsLastValueOnceAndKeysSendEachStep)
{
    PicturePage p;
    p.page.SetChannel(2);
    QSlider* contrast = Slider(p.page, 0);
    auto drag = [&](std::initializer_list<int> values) {
        contrast->setSliderDown(true);
        for (int v : values)
            contrast->setValue(v);
        contrast->setSliderDown(false);
    };
    drag({9, 12});
    drag({14, 12});  // back where it started: nothing
    QTest::keyClick(Slider(p.page, 1), Qt::Key_Right);
    QTest::keyClick(Slider(p.page, 4), Qt::Key_Left);
    EXPECT_EQ(p.sent(), (std::vector<Set>{{2, cgi::PictureControlSet::CONTRAST, 12},
                                           {2, cgi::PictureControlSet::BRIGHTNESS, 9},
                                           {2, cgi::PictureControlSet::VSHARPNESS, 7}}));

    // A press whose release never came holds nothing up once the page is hidden or disabled.
    const std::pair<const char*, std::function<void()>> lost[] = {
        {"hidden", [&] { p.page.hide(); p.page.show(); }},
        {"disabled", [&] { p.page.setEnabled(false); p.page.setEnabled(true); }}};
    size_t sent = 3;
    for (const auto& [how, lose] : lost) {
        p.page.sliderPressed();
        lose();
        QTest::keyClick(Slider(p.page, 2), Qt::Key_Right);
        EXPECT_EQ(p.sent().size(), ++sent) << how;
    }
}

TEST(PicturePage, DefaultResetsTheChannelAndNothingGoesForAChannelBeyondTheTables)
{
    PicturePage p(FourChannels());
    p.page.SetChannel(1);
    QTest::mouseClick(Button(p.page, "set_default"), Qt::LeftButton);
    EXPECT_EQ(Shown(p.page), std::vector<int>(5, 8));
    QTest::mouseClick(Button(p.page, "set_default"), Qt::LeftButton);
    const Set reset{1, cgi::PictureControlSet::DEFAULT, 0};
    EXPECT_EQ(p.sent(), (std::vector<Set>{reset, reset}));

    p.page.SetChannel(16);
    EXPECT_EQ(Shown(p.page), std::vector<int>(5, 8));
    QTest::mouseClick(Button(p.page, "set_default"), Qt::LeftButton);
    QTest::keyClick(Slider(p.page, 0), Qt::Key_Right);
    EXPECT_EQ(p.sent().size(), 2u);
    EXPECT_EQ(p.page.picture().contrast_size(), 16);
}

TEST(PicturePage, EachNewDvrEntryIsReadOnceAndShowsDefaultsAtOnce)
{
    PicturePage p(FourChannels());
    EXPECT_EQ(Shown(p.page)[0], 1);
    DVR entry = Entry(*p.sim, false);
    p.page.SetConnectedDVR(entry, 3);  // the same entry: no new read
    entry.set_protocol_type(0);
    p.page.SetConnectedDVR(entry, 3);
    QTest::qWait(100);
    EXPECT_EQ(Reads(*p.sim), 1);

    // A new password: shown as defaults at once, read again (and refused here).
    entry.set_password("other");
    p.page.SetConnectedDVR(entry, 3);
    EXPECT_EQ(Shown(p.page), std::vector<int>(5, 8));
    QSignalSpy read(p.page.reader(), &CReadDVRData::completed);
    EXPECT_TRUE(read.wait(10000));
    EXPECT_EQ(Reads(*p.sim), 2);
    EXPECT_EQ(Shown(p.page), std::vector<int>(5, 8));

    // Old protocol: nothing read, defaults for its channels; a damaged count is capped.
    const std::pair<int, int> counts[] = {{4, 4}, {1000000, 16}, {-3, 0}};
    for (const auto& [chnum, size] : counts) {
        DVR old = Entry(*p.sim, true);
        old.set_chnum(chnum);
        p.page.SetConnectedDVR(old, 3);
        EXPECT_EQ(p.page.picture().vsharpness_size(), size);
    }
    QTest::qWait(100);
    EXPECT_EQ(Reads(*p.sim), 2);
    EXPECT_TRUE(p.sent().empty());
}
