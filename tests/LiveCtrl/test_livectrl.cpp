// The live control panel and its pages against simulated DVRs; screenshots with ZAVO_SCREENSHOT_DIR.

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>
#include <google/protobuf/io/coded_stream.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QSignalSpy>
#include <QSlider>
#include <QStackedWidget>
#include <QTest>

#include "LiveCtrl/AutoPresetWidget.h"
#include "LiveCtrl/LiveCtrlQuery.h"
#include "LiveCtrl/LiveCtrlWidget.h"
#include "LiveCtrl/PictureWidget.h"
#include "LiveCtrl/PtzfWidget.h"
#include "LiveCtrl/RemotePortWiget.h"
#include "Network/ReadDVRData.h"
#include "Network/SendCommand.h"
#include "sim/SimDvr.h"
#include "support/UiTestSupport.h"

namespace {

using simdvr::CSimDvr;

simdvr::Config Config(bool old, const cgi::PictureControlGet& picture = {})
{
    simdvr::Config c;
    c.oldProtocol = old;
    c.user = QStringLiteral("oper");
    c.password = QStringLiteral("pa55");
    c.pictureControl = picture;
    return c;
}

DVR Entry(const CSimDvr& sim)
{
    DVR dvr;
    dvr.set_address("127.0.0.1");
    dvr.set_port(sim.port());
    dvr.set_id("oper");
    dvr.set_password("pa55");
    dvr.set_chnum(sim.config().channels);
    dvr.set_old_protocol(sim.config().oldProtocol);
    return dvr;
}

// A request as the DVR took it in: old ones as sent, current ones (with the entry's account) as "mode field=value...".
QString Described(const simdvr::Request& r)
{
    if (r.oldProtocol)
        return QString::fromLatin1(r.body);
    EXPECT_TRUE(r.userOk && r.user == "oper" && r.password == "pa55" && r.dataOk) << r.body.constData();
    QString out = QString::number(r.mode);
    google::protobuf::io::CodedInputStream in(reinterpret_cast<const uint8_t*>(r.data.data()), int(r.data.size()));
    for (uint32_t tag = in.ReadTag(); tag != 0; tag = in.ReadTag()) {
        uint64_t value = 0;
        EXPECT_TRUE((tag & 7) == 0 && in.ReadVarint64(&value));
        out += QStringLiteral(" %1=%2").arg(tag >> 3).arg(value);
    }
    return out;
}

// Once the sender is idle: the requests of one kind (commands by default) the DVR took in, in order.
QStringList SentBy(const CSendCommand& sender, const CSimDvr& sim, simdvr::Transport kind = simdvr::Transport::Post)
{
    EXPECT_TRUE(QTest::qWaitFor([&] { return sender.pendingCount() == 0; }, 10000));
    QStringList out;
    for (const simdvr::Request& r : sim.requests())
        if (r.transport == kind)
            out << Described(r);
    return out;
}

template <class W = QPushButton>
W* Child(const QWidget* page, const QString& name) { return page->findChild<W*>(name); }

using Tour = std::tuple<int, int, int>;  // start index, end index, seconds

Tour Stored(int channel)
{
    Tour t;
    CAppSettings().readAutoPreset(channel, std::get<0>(t), std::get<1>(t), std::get<2>(t));
    return t;
}

Tour Shown(const CAutoPresetWidget* page)
{
    return {Child<QComboBox>(page, "StartPreset")->currentIndex(), Child<QComboBox>(page, "EndPreset")->currentIndex(),
            Child<QComboBox>(page, "Interval")->currentText().toInt()};
}

void Choose(const CAutoPresetWidget* page, const Tour& tour)
{
    Child<QComboBox>(page, "StartPreset")->setCurrentIndex(std::get<0>(tour));
    Child<QComboBox>(page, "EndPreset")->setCurrentIndex(std::get<1>(tour));
    Child<QComboBox>(page, "Interval")->setCurrentText(QString::number(std::get<2>(tour)));
}

struct Panel {
    explicit Panel(bool old = false, const cgi::PictureControlGet& picture = {}) : sim(Config(old, picture))
    {
        EXPECT_TRUE(sim.start());
        panel->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    }
    // Enabled on the page for channel 5 of the simulated DVR, reached as client 7.
    void open(int page)
    {
        panel->setConnectedDVR(Entry(sim), 7, true);
        panel->EnableWidget(true);
        click(page);
        panel->setSelectedChannel(5);
    }
    QPushButton* button(int page) { return Child(panel.get(), QStringLiteral("DVRControl%1").arg(page)); }
    void click(int page) { QTest::mouseClick(button(page), Qt::LeftButton); }
    void click(const char* name) { QTest::mouseClick(Child(panel.get(), name), Qt::LeftButton); }
    template <class W>
    QStringList sent(const W* page) { return SentBy(page->commandSender(), sim); }

    uitest::Sandbox sandbox;
    CSimDvr sim;
    std::unique_ptr<CLiveCtrlWidget> panel = std::make_unique<CLiveCtrlWidget>();
    CPtzfWidget* ptz = panel->findChild<CPtzfWidget*>();
    CAutoPresetWidget* tour = panel->findChild<CAutoPresetWidget*>();
    CRemotePortWiget* relay = panel->findChild<CRemotePortWiget*>();
    CPictureWidget* picture = panel->findChild<CPictureWidget*>();
};


// PTZ, current protocol: mode 7, 1 = command, 2 = channel, 3 = speed, 4 = preset.
QString Ptz(int cmd, int channel = 5, int speed = 2, const char* preset = "")
{
    return QStringLiteral("7 1=%1 2=%2 3=%3%4").arg(cmd).arg(channel).arg(speed).arg(preset);
}

QString OldPtz(const QString& req) { return QStringLiteral("MODE=5&CID=7&OP=7&CH=5&LEN=%1&REQ=%2").arg(req.size()).arg(req); }

// Mode 11 with the command alone (on 0, off 1), no port; old: OP 20 without CH.
QString Relay(bool old, bool on, int cid = 7)
{
    return old ? QStringLiteral("MODE=5&CID=%1&OP=20&LEN=3&REQ=0,%2").arg(cid).arg(on) : QStringLiteral("11 1=%1").arg(!on);
}


// The page shown when its button alone is checked, else -1.
int PageShown(Panel& p)
{
    const int page = p.panel->findChild<QStackedWidget*>("stackedWidget")->currentIndex();
    for (int i = 0; i < 4; ++i)
        if (p.button(i)->isChecked() != (i == page))
            return -1;
    return page;
}

// Picture sets, mode 20: 1 = channel, 2 = type (0 default, 1-5 the sliders in order), 3 = value.
QString Set(int channel, int type, int value = 0) { return QStringLiteral("20 1=%1 2=%2 3=%3").arg(channel).arg(type).arg(value); }

// Four channels on a 16-channel DVR, 3 * slider + channel + 1: channel 3's last is out of range.
cgi::PictureControlGet FourChannels()
{
    cgi::PictureControlGet p;
    uint32_t first = 1;
    for (auto* values : {p.mutable_contrast(), p.mutable_brightness(), p.mutable_saturation(), p.mutable_hsharpness(), p.mutable_vsharpness()}) {
        for (uint32_t ch = 0; ch < 4; ++ch)
            values->Add(first + ch);
        first += 3;
    }
    return p;
}

const char* const SLIDERS[] = {"contrast", "brightness", "saturation", "hsharpness", "vsharpness"};

std::vector<int> Sliders(const Panel& p)
{
    std::vector<int> values;
    for (const char* name : SLIDERS)
        values.push_back(Child<QSlider>(p.picture, name)->value());
    return values;
}

void Key(const Panel& p, int slider, Qt::Key key) { QTest::keyClick(Child<QSlider>(p.picture, SLIDERS[slider]), key); }

bool ReadDone(const Panel& p) { return QSignalSpy(p.picture->reader(), &CReadDVRData::completed).wait(10000); }


}  // namespace

TEST(LiveCtrlPages, EveryCommandOnBothProtocols)
{
    // The button, its current command and its old code (-1: none, the button is off).
    const std::tuple<const char*, int, int> moves[] = {
        {"ptzf_up", 8, 6},         {"ptzf_down", 9, 7},       {"ptzf_left", 7, 5},       {"ptzf_right", 6, 4},
        {"ptzf_zoom_in", 0, 0},    {"ptzf_zoom_out", 1, 1},   {"ptzf_focus_far", 2, 2},  {"ptzf_focus_near", 3, 3},
        {"ptzf_iris_open", 4, -1}, {"ptzf_iris_close", 5, -1}};
    for (const bool old : {false, true}) {
        Panel p(old);
        p.open(0);
        Child<QSlider>(p.ptz, "Speed")->setValue(2);
        QStringList expected;
        for (const auto& [button, cmd, code] : moves) {
            EXPECT_EQ(Child(p.ptz, button)->isEnabled(), !old || code >= 0) << button;
            // Each click once the one before is through: a newer move replaces a waiting one.
            SentBy(p.ptz->commandSender(), p.sim);
            p.click(button);
            if (!old || code >= 0)
                expected << (old ? OldPtz(QString::number(code) + "S2") : Ptz(cmd)) << (old ? OldPtz("8") : Ptz(10));
        }
        // Presets go by combo index, on the old protocol by number.
        for (const auto& [button, index] : {std::pair{"Set", 4}, {"Go", 98}}) {
            Child<QComboBox>(p.ptz, "presetNum")->setCurrentIndex(index);
            SentBy(p.ptz->commandSender(), p.sim);
            p.click(button);
        }
        expected << (old ? OldPtz("9S5") : Ptz(11, 5, 2, " 4=4")) << (old ? OldPtz("9G99") : Ptz(12, 5, 2, " 4=98"));
        EXPECT_EQ(p.sent(p.ptz), expected) << old;

        // Tour, mode 8: 1 = start 0 / stop 1, 2 = channel, 3 = start, 4 = one past the end, 5 = seconds.
        p.sim.clearLog();
        p.click(1);
        Choose(p.tour, {2, 7, 30});
        p.click("AutoStart");
        p.click("AutoEnd");
        EXPECT_EQ(p.sent(p.tour), (old ? QStringList{OldPtz("10G3,8,30"), OldPtz("11")}
                                       : QStringList{"8 1=0 2=5 3=2 4=8 5=30", "8 1=1 2=5"}));
        EXPECT_EQ(Stored(5), Tour(0, 0, 0));

        // Relay: "Auto" before any delay was chosen sends on, and off as soon as the events run.
        p.sim.clearLog();
        p.click(2);
        for (const char* button : {"RPOn0", "RPOff0", "RPAuto0"})
            p.click(button);
        EXPECT_EQ(p.relay->autoOffSeconds(), 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !Child(p.relay, "RPAuto0")->isChecked() && !p.relay->autoOffTimer(Entry(p.sim)); }));
        EXPECT_EQ(p.sent(p.relay), (QStringList{Relay(old, true), Relay(old, false), Relay(old, true), Relay(old, false)}));
    }
}

TEST(LiveCtrlPages, AHeldMoveRepeatsEverySecondWithTheSpeedOfThatMomentAndItsStopFollowsIt)
{
    Panel p;
    p.open(0);
    QPushButton* up = Child(p.ptz, "ptzf_up");
    QTest::mousePress(up, Qt::LeftButton);
    EXPECT_TRUE(p.ptz->repeatTimer().isActive() && p.ptz->repeatTimer().interval() == 1000);
    Child<QSlider>(p.ptz, "Speed")->setValue(3);  // sends nothing by itself; the repeats take it
    for (const int count : {1, 2, 3}) {
        EXPECT_EQ(p.sent(p.ptz).size(), count);  // a repeat goes once the one before it is through
        p.ptz->OnTimer();
    }
    QTest::mouseRelease(up, Qt::LeftButton);
    EXPECT_FALSE(p.ptz->repeatTimer().isActive());
    p.ptz->OnTimer();  // nothing held: nothing sent
    EXPECT_EQ(p.sent(p.ptz), (QStringList{Ptz(8, 5, 0), Ptz(8, 5, 3), Ptz(8, 5, 3), Ptz(8, 5, 3), Ptz(10, 5, 3)}));

    // A slow DVR and another screen selected during a press: the stop still follows its move.
    p.sim.clearLog();
    CSimDvr other(Config(false));
    ASSERT_TRUE(other.start());
    simdvr::Misbehaviour slow;
    slow.holdRequests = 1;
    slow.holdMs = 300;
    p.sim.setMisbehaviour(slow);
    QTest::mousePress(up, Qt::LeftButton);
    p.panel->setConnectedDVR(Entry(other), 3, true);
    p.panel->setSelectedChannel(9);
    p.ptz->OnTimer();  // still queued behind the move when the release comes
    QTest::mouseRelease(up, Qt::LeftButton);
    EXPECT_EQ(p.sent(p.ptz), (QStringList{Ptz(8, 5, 3), Ptz(10, 5, 3)}));
    EXPECT_TRUE(SentBy(p.ptz->commandSender(), other).empty());
    QTest::mouseClick(up, Qt::LeftButton);  // the next press goes where the selection is now
    EXPECT_EQ(SentBy(p.ptz->commandSender(), other), (QStringList{Ptz(8, 9, 3), Ptz(10, 9, 3)}));
}

TEST(LiveCtrlPages, TheAutoOffReachesTheDvrSwitchedOnAfterTheDelayOfTheButtonsName)
{
    Panel p;
    p.open(2);
    CSimDvr second(Config(true));
    ASSERT_TRUE(second.start());
    for (const auto& [name, seconds] : {std::pair{"AutoOff3", 30}, {"AutoOff0", 5}, {"AutoOff2", 20}, {"AutoOff1", 10}}) {
        Child(p.relay, name)->setText(QStringLiteral("zehn"));  // translated texts say nothing
        p.click(name);
        EXPECT_EQ(p.relay->autoOffSeconds(), seconds) << name;
    }
    p.click("RPAuto0");
    const QTimer* pending = p.relay->autoOffTimer(Entry(p.sim));
    ASSERT_TRUE(pending);
    EXPECT_TRUE(Child(p.relay, "RPAuto0")->isChecked());
    EXPECT_TRUE(pending->isActive());
    EXPECT_EQ(pending->interval(), 10000);
    p.panel->setConnectedDVR(Entry(second), 9, true);  // another DVR selected meanwhile
    EXPECT_FALSE(Child(p.relay, "RPAuto0")->isChecked());
    const_cast<QTimer*>(pending)->start(0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !p.relay->autoOffTimer(Entry(p.sim)); }));
    EXPECT_EQ(p.sent(p.relay), (QStringList{Relay(false, true), Relay(false, false)}));
    EXPECT_TRUE(SentBy(p.relay->commandSender(), second).empty());
}

// The relay of one DVR switched on with a 10 s auto-off, then another DVR shown on the page.
struct AutoOnThenAnother {
    AutoOnThenAnother()
    {
        p.open(2);
        EXPECT_TRUE(second.start());
        p.click("AutoOff1");
        p.click("RPAuto0");
        p.panel->setConnectedDVR(Entry(second), 9, true);
    }
    Panel p;
    CSimDvr second{Config(true)};
};

TEST(LiveCtrlPages, AClickForAnotherDvrLeavesAPendingAutoOffAlone)
{
    AutoOnThenAnother t;
    t.p.click("RPOff0");
    const QTimer* pending = t.p.relay->autoOffTimer(Entry(t.p.sim));
    ASSERT_TRUE(pending);
    EXPECT_TRUE(pending->isActive());
    const_cast<QTimer*>(pending)->start(0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !t.p.relay->autoOffTimer(Entry(t.p.sim)); }));
    EXPECT_EQ(t.p.sent(t.p.relay), (QStringList{Relay(false, true), Relay(false, false)}));
    EXPECT_EQ(SentBy(t.p.relay->commandSender(), t.second), QStringList{Relay(true, false, 9)});
}

TEST(LiveCtrlPages, TheAutoButtonShowsThePendingAutoOffOfTheDvrShown)
{
    AutoOnThenAnother t;
    EXPECT_FALSE(Child(t.p.relay, "RPAuto0")->isChecked());
    t.p.panel->setConnectedDVR(Entry(t.p.sim), 7, true);
    EXPECT_TRUE(Child(t.p.relay, "RPAuto0")->isChecked());
}

TEST(LiveCtrlPanel, PagesFollowTheButtonsAndTheDvrAndKeepTheirTourAndTheChannelOnlyReachesThePageShown)
{
    Panel p;
    EXPECT_FALSE(p.panel->isEnabled());
    EXPECT_EQ(PageShown(p), 0);
    for (const char* arrow : {"ptzf_up", "ptzf_down", "ptzf_left", "ptzf_right", "ptzf_zoom_in", "ptzf_iris_close"})
        EXPECT_FALSE(Child(p.ptz, arrow)->icon().pixmap(16, 16).isNull()) << arrow;
    p.open(0);  // the picture page reads the DVR the panel was given
    EXPECT_TRUE(ReadDone(p));
    for (int page : {3, 1, 2, 0}) {
        p.click(page);
        EXPECT_EQ(PageShown(p), page);
        uitest::Screenshot(p.panel.get(), "livectrl-" + QStringList{"ptz", "auto-preset", "relay", "picture"}[page]);
    }

    // No relay: its button and page hidden; picture control hidden: back to the first page.
    DVR dvr;
    dvr.set_old_protocol(true);
    p.click(2);
    p.panel->setConnectedDVR(dvr, 7, false);
    EXPECT_TRUE(p.button(2)->isHidden() && p.relay->isHidden());
    EXPECT_EQ(PageShown(p), 0);
    p.click(3);
    p.panel->setVisiblePictureCtrl(false);
    EXPECT_TRUE(p.button(3)->isHidden());
    EXPECT_EQ(PageShown(p), 0);
    p.panel->setConnectedDVR(dvr, 7, true);
    p.panel->setVisiblePictureCtrl(true);
    EXPECT_FALSE(p.button(2)->isHidden() || p.relay->isHidden() || p.button(3)->isHidden());

    // {page clicked, channel selected} (-1: none), then the channels of PTZ, tour, picture.
    const std::pair<std::pair<int, int>, std::vector<int>> steps[] = {
        {{-1, 4}, {4, 4, 5}}, {{2, 6}, {4, 4, 5}}, {{3, -1}, {4, 4, 6}},
        {{-1, 7}, {4, 4, 7}}, {{0, -1}, {7, 7, 7}}, {{1, 9}, {7, 9, 7}}};
    for (const auto& [step, channels] : steps) {
        if (step.first >= 0)
            p.click(step.first);
        if (step.second >= 0)
            p.panel->setSelectedChannel(step.second);
        EXPECT_EQ((std::vector<int>{p.ptz->channel(), p.tour->channel(), p.picture->channel()}), channels) << step.first;
    }

    // Tours are stored per channel on leaving their page or their camera, and at the end.
    CAppSettings().writeAutoPreset(6, 1, 2, 10);
    CAppSettings().writeAutoPreset(8, -1, 150, 7);  // shows the first items
    p.open(1);
    Choose(p.tour, {3, 5, 15});
    p.click(0);
    EXPECT_EQ(Stored(5), Tour(3, 5, 15));
    p.click(1);
    // Another camera selected while the page is shown: the old tour is kept, the new shown.
    Choose(p.tour, {7, 8, 60});
    p.panel->setSelectedChannel(6);
    EXPECT_EQ(Stored(5), Tour(7, 8, 60));
    EXPECT_EQ(Shown(p.tour), Tour(1, 2, 10));
    p.panel->setSelectedChannel(8);
    EXPECT_EQ(Shown(p.tour), Tour(0, 0, 5));
    Choose(p.tour, {11, 1, 30});  // a start after the end goes as chosen
    p.panel.reset();
    EXPECT_EQ(Stored(8), Tour(11, 1, 30));
}

namespace {

int Brightest(const QImage& picture)
{
    int brightest = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            brightest = std::max(brightest, qGray(picture.pixel(x, y)));
    return brightest;
}

}  // namespace

// The arrow is the brightest part of a button; a disabled one must not look ready to press.
TEST(LiveCtrlPanel, ArrowButtonsAreDrawnDimmedWhileThePanelIsDisabled)
{
    uitest::Sandbox sandbox;
    uitest::ProgramStyle style;
    CLiveCtrlWidget panel;
    panel.resize(901, 190);
    panel.EnableWidget(true);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    QList<QPushButton*> arrows;
    for (QPushButton* button : panel.findChild<CPtzfWidget*>()->findChildren<QPushButton*>())
        if (!button->icon().isNull() && button->text().isEmpty())
            arrows << button;
    ASSERT_EQ(arrows.size(), 10);
    QList<int> enabled;
    for (QPushButton* arrow : arrows)
        enabled << Brightest(arrow->grab().toImage());
    uitest::Screenshot(&panel, "livectrl-ptz-enabled");

    panel.EnableWidget(false);
    for (int i = 0; i < arrows.size(); ++i) {
        const int brightest = Brightest(arrows[i]->grab().toImage());
        EXPECT_LT(brightest, enabled[i] * 2 / 3) << arrows[i]->objectName().toStdString();
    }
    uitest::Screenshot(&panel, "livectrl-ptz-disabled");
}

TEST(PicturePage, OnlyAWholeFirstPacketOfPictureValuesIsRead)
{
    const QByteArray good = QByteArray::fromStdString(FourChannels().SerializeAsString());
    using simdvr::MakePacket;
    const std::pair<QByteArray, bool> rows[] = {
        {QByteArray(), false},
        {MakePacket(0, cgi::DATA_DVR_INFO, good, false), false},
        {MakePacket(0, cgi::DATA_PICTURE_CONTROL, "\x0a\xff", false), false},
        {MakePacket(0, cgi::DATA_RESPONSE, "\x01", false) + MakePacket(0, cgi::DATA_PICTURE_CONTROL, good, false), false},
        {MakePacket(0, cgi::DATA_PICTURE_CONTROL, good, true), false},
        {"\x01\x02" + MakePacket(0, cgi::DATA_PICTURE_CONTROL, good, false), true}};
    for (const auto& [reply, ok] : rows) {
        cgi::PictureControlGet p;
        p.add_contrast(99);
        EXPECT_EQ(PictureControl_Parse(reply, &p), ok) << reply.toHex().constData();
        EXPECT_EQ(p.contrast(0), ok ? 1u : 99u);
    }
}

TEST(PicturePage, ValuesReadAreShownButNeverSentBackChangesSendOnceAndEachNewDvrIsRead)
{
    Panel p(false, FourChannels());
    p.open(3);
    ASSERT_TRUE(ReadDone(p));
    EXPECT_EQ(SentBy(p.picture->commandSender(), p.sim, simdvr::Transport::Get), QStringList{"19"});  // no data
    const std::pair<int, std::vector<int>> rows[] = {
        {0, {1, 4, 7, 10, 13}}, {2, {3, 6, 9, 12, 15}}, {3, {4, 7, 10, 13, 15}}, {9, {8, 8, 8, 8, 8}}};
    for (const auto& [channel, shown] : rows) {
        p.panel->setSelectedChannel(channel);
        EXPECT_EQ(Sliders(p), shown) << channel;
    }
    p.panel->setSelectedChannel(3);
    EXPECT_EQ(p.picture->picture().vsharpness(3), 16u);  // shown as 15, kept as read
    EXPECT_TRUE(p.sent(p.picture).empty());
    Key(p, 4, Qt::Key_Left);
    p.panel->setSelectedChannel(1);
    p.click("set_default");
    EXPECT_EQ(Sliders(p), std::vector<int>(5, 8));
    p.click("set_default");
    p.panel->setSelectedChannel(16);  // beyond the tables: nothing goes
    p.click("set_default");
    Key(p, 0, Qt::Key_Right);
    EXPECT_EQ(p.sent(p.picture), (QStringList{Set(3, 5, 14), Set(1, 0), Set(1, 0)}));

    // A drag sends its last value once, keys each step; a lost release ends on hiding or disabling.
    p.sim.clearLog();
    p.panel->setSelectedChannel(9);
    auto* contrast = Child<QSlider>(p.picture, "contrast");
    for (const auto& values : {std::vector<int>{9, 12}, {14, 12}}) {  // the second ends where it started
        contrast->setSliderDown(true);
        for (int v : values)
            contrast->setValue(v);
        contrast->setSliderDown(false);
    }
    Key(p, 1, Qt::Key_Right);
    Key(p, 4, Qt::Key_Left);
    const std::function<void()> lost[] = {[&] { p.picture->hide(); p.picture->show(); },
                                          [&] { p.picture->setEnabled(false); p.picture->setEnabled(true); }};
    for (const auto& lose : lost) {
        p.picture->sliderPressed();
        lose();
        Key(p, 2, Qt::Key_Right);
    }
    EXPECT_EQ(p.sent(p.picture), (QStringList{Set(9, 1, 12), Set(9, 2, 9), Set(9, 5, 7), Set(9, 3, 9), Set(9, 3, 10)}));

    // Each new DVR entry shows defaults at once and is read once.
    p.sim.clearLog();
    p.panel->setSelectedChannel(0);
    DVR entry = Entry(p.sim);
    entry.set_protocol_type(0);
    p.panel->setConnectedDVR(entry, 3, true);  // the same DVR and account: no new read
    EXPECT_EQ(Sliders(p)[0], 1);
    entry.set_password("other");  // shown as defaults at once, read again (and refused here)
    p.panel->setConnectedDVR(entry, 3, true);
    EXPECT_EQ(Sliders(p), std::vector<int>(5, 8));
    EXPECT_TRUE(ReadDone(p) && p.sim.requests().size() == 1u);
    EXPECT_EQ(Sliders(p), std::vector<int>(5, 8));

    // Old protocol: nothing read, defaults for its channels; a damaged count is capped.
    p.sim.clearLog();
    for (const auto& [chnum, size] : {std::pair{4, 4}, {1000000, 16}, {-3, 0}}) {
        entry.set_old_protocol(true);
        entry.set_chnum(chnum);
        p.panel->setConnectedDVR(entry, 3, true);
        EXPECT_EQ(p.picture->picture().vsharpness_size(), size);
    }
    QTest::qWait(100);
    EXPECT_TRUE(p.sim.requests().empty());
}

TEST(LiveCtrlPages, AMoveHeldAtASlowDvrKeepsOneRepeatQueuedAndItsStopFollowsTheCommandInFlight)
{
    Panel p;
    p.open(0);
    simdvr::Misbehaviour slow;
    slow.holdRequests = -1;
    slow.holdMs = 3000;
    p.sim.setMisbehaviour(slow);
    QPushButton* up = Child(p.ptz, "ptzf_up");
    QTest::mousePress(up, Qt::LeftButton);
    for (int second = 0; second < 5; ++second)
        p.ptz->OnTimer();
    EXPECT_EQ(p.ptz->commandSender().pendingCount(), 2);  // the move in flight, one repeat
    QTest::mouseRelease(up, Qt::LeftButton);
    EXPECT_EQ(p.sent(p.ptz), (QStringList{Ptz(8, 5, 0), Ptz(10, 5, 0)}));
}

// The PTZ speed is kept as the operator sets it; the end of the program writes nothing, since
// writing the settings syncs them to disk.
TEST(PtzSpeed, IsKeptAsSoonAsTheOperatorSetsIt)
{
    uitest::Sandbox sandbox;
    CPtzfWidget ptz;
    Child<QSlider>(&ptz, "Speed")->setValue(2);
    EXPECT_EQ(CAppSettings().readSetting("Speed", 0).toInt(), 2);
}

TEST(PtzSpeed, ADraggedSpeedIsKeptWhenTheSliderIsReleased)
{
    uitest::Sandbox sandbox;
    CPtzfWidget ptz;
    QSlider* speed = Child<QSlider>(&ptz, "Speed");
    speed->setSliderDown(true);
    speed->setValue(3);
    speed->setSliderDown(false);
    EXPECT_EQ(CAppSettings().readSetting("Speed", 0).toInt(), 3);
}

TEST(PtzSpeed, AWidgetThatGoesUnchangedWritesNoSettings)
{
    uitest::Sandbox sandbox;
    const QString file = QSettings(CAppSettings::COMPANY_NAME, CAppSettings::APP_NAME).fileName();
    QFile::remove(file);
    { CPtzfWidget ptz; }
    EXPECT_FALSE(QFile::exists(file));
}
