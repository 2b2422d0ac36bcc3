// The Network page: the type and its pages, the shared fields, the stream selector and
// the confirmation box.

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>

#include "DVRSetup/SetupNetwork.h"
#include "setup_test_util.h"

using namespace setuptest;

namespace {

config::Network WithType(config::Network_Type type)
{
    config::Network net;
    net.mutable_tcpip()->set_type(type);
    return net;
}

}  // namespace

TEST(NetworkPage, TypeIndexIsNotTheStoredValueAndGetConfWritesThePageShown)
{
    CSetupNetwork page;
    auto* type = Child<QComboBox>(page, "networkType");
    auto* stack = Child<QStackedWidget>(page, "stackedWidget");
    EXPECT_EQ(Items(type), (QStringList{"Auto UPnP", "Static", "DHCP", "PPPoE"}));
    const std::pair<config::Network_Type, QString> rows[] = {{config::Network::TYPE_STATIC, "Static"},
                                                             {config::Network::TYPE_DHCP, "DHCP"},
                                                             {config::Network::TYPE_AUTO_UPNP, "Auto UPnP"},
                                                             {config::Network::TYPE_PPPOE, "PPPoE"}};
    for (const auto& [stored, shown] : rows) {
        page.SetConf(WithType(stored));
        EXPECT_EQ(type->currentText(), shown);
        EXPECT_EQ(stack->currentIndex(), type->currentIndex());
        EXPECT_EQ(page.GetConf().tcpip().type(), stored);
    }
    // Only the combo switched: the type of the page now shown.
    type->setCurrentIndex(0);
    EXPECT_EQ(stack->currentWidget()->objectName(), "autoUpnpPage");
    EXPECT_EQ(page.GetConf().tcpip().type(), config::Network::TYPE_AUTO_UPNP);
}

TEST(NetworkPage, BandwidthCombosMoveTogetherAndSharedFieldsStayInStep)
{
    CSetupNetwork page;
    const char* const bandwidth[] = {"upnpBWLimitation", "BWLimitation", "dhcpBWLimitation", "pppoeBWLimitation"};
    Child<QComboBox>(page, "dhcpBWLimitation")->setCurrentIndex(5);
    for (const char* name : bandwidth)
        EXPECT_EQ(Child<QComboBox>(page, name)->currentText(), "1000 kbps") << name;
    EXPECT_EQ(page.GetConf().tcpip().bandwidth_limitation(), config::Network::BWL_1000kbps);

    // One port on the static and DHCP pages, one UPnP switch on three pages.
    Child<QSpinBox>(page, "port")->setValue(8080);
    EXPECT_EQ(Child<QSpinBox>(page, "dhcpPort")->value(), 8080);
    Child<QSpinBox>(page, "dhcpPort")->setValue(9090);
    EXPECT_EQ(Child<QSpinBox>(page, "port")->value(), 9090);
    Child<QRadioButton>(page, "pppoeUpnpOn")->click();
    for (const char* group : {"staticUpnpGroup", "dhcpUpnpGroup", "pppoeUpnpGroup"})
        EXPECT_EQ(Child<QButtonGroup>(page, group)->checkedId(), 1) << group;

    // Addresses are stored as typed; the host name takes 19 characters of its set.
    Child<QLineEdit>(page, "ipAddress")->setText("192.168.1");
    Child<QLineEdit>(page, "gateway")->setText("10");
    Child<QLineEdit>(page, "gateway")->clear();
    Child<QLineEdit>(page, "pppoePassword")->setText("secret");
    Child<QSpinBox>(page, "upnpPort")->setValue(7000);
    Child<QRadioButton>(page, "ddnsOn")->click();
    auto* host = Child<QLineEdit>(page, "ddnsHostname");
    QTest::keyClicks(host, "my_dvr-" + QString(20, 'x'));
    EXPECT_EQ(host->text(), "mydvr-" + QString(13, 'x'));
    EXPECT_EQ(Child<QLineEdit>(page, "pppoePassword")->echoMode(), QLineEdit::Password);

    const config::Network_TcpIp got = page.GetConf().tcpip();
    EXPECT_EQ(got.port(), 9090u);
    EXPECT_TRUE(got.upnp());
    EXPECT_EQ(got.static_net().ip_address(), "192.168.1");
    EXPECT_TRUE(got.static_net().has_gateway() && got.static_net().gateway().empty());
    EXPECT_TRUE(got.static_net().ddns_support());
    EXPECT_EQ(got.pppoe_net().password(), "secret");
    EXPECT_EQ(got.auto_upnp_port(), 7000u);
    EXPECT_EQ(page.GetConf().ddns().hostname(), host->text().toStdString());
}

TEST(NetworkPage, StreamSelectorStandsOnAllAndCopiesOnlyWhatWasChosenThere)
{
    CSetupNetwork page;
    page.InitDvrInfo(Info(52, 8, 1));
    auto* channel = Child<QComboBox>(page, "streamChannel");
    auto* quality = Child<QComboBox>(page, "streamQuality");
    auto* fps = Child<QComboBox>(page, "streamFPS");
    EXPECT_EQ(channel->count(), 9);
    EXPECT_EQ(channel->itemText(8), "All");
    EXPECT_EQ(fps->itemText(fps->count() - 1), "25");

    config::Network net;
    for (int c = 0; c < 8; ++c) {
        config::Network_H264* s = net.mutable_stream()->add_h264();
        s->set_resolution(static_cast<config::Resolution>(c % 4));
        for (int r = 0; r < 4; ++r) {
            s->add_qual(static_cast<config::Quality>((c + r) % 4));
            s->add_fps(uint32_t(r + 1));
        }
    }
    net.mutable_stream()->mutable_h264(2)->set_fps(2, 13);  // no PAL rate: shown as 12
    page.SetConf(net);
    EXPECT_EQ(channel->currentText(), "All");
    EXPECT_EQ(quality->currentIndex(), 0);  // channel 0 at its resolution 0
    // Untouched on "All": nothing is copied into the channels.
    EXPECT_EQ(Bytes(page.GetConf().stream()), Bytes(net.stream()));

    channel->setCurrentIndex(2);
    EXPECT_EQ(quality->currentIndex(), (2 + 2) % 4);
    EXPECT_EQ(fps->currentText(), "12");
    quality->setCurrentIndex(1);
    config::Network expected = net;
    expected.mutable_stream()->mutable_h264(2)->set_qual(2, config::QUALITY_MEDIUM);
    EXPECT_EQ(Bytes(page.GetConf().stream()), Bytes(expected.stream()));

    // On "All" the chosen rate reaches every channel at its own resolution.
    channel->setCurrentIndex(8);
    fps->setCurrentIndex(10);
    for (int c = 0; c < 8; ++c) {
        config::Network_H264* s = expected.mutable_stream()->mutable_h264(c);
        s->set_fps(s->resolution(), 25);
    }
    EXPECT_EQ(Bytes(page.GetConf().stream()), Bytes(expected.stream()));
    // Chosen on "All", collected on a single channel: not copied.
    page.SetConf(net);
    channel->setCurrentIndex(8);
    quality->setCurrentIndex(3);
    channel->setCurrentIndex(0);
    EXPECT_EQ(Bytes(page.GetConf().stream()), Bytes(net.stream()));
}

TEST(NetworkPage, DefaultsCarriedFieldsAndTheConfirmationBox)
{
    CSetupNetwork page;
    page.InitDvrInfo(Info(53, 4));
    // 4 channels NTSC: 30 at resolution 0 everywhere, shown on "All".
    EXPECT_EQ(Child<QComboBox>(page, "streamFPS")->currentText(), "30");
    const config::Network defaults = page.GetConf();
    ASSERT_EQ(defaults.stream().h264_size(), 4);
    EXPECT_EQ(defaults.stream().h264(3).fps(0), 30u);
    EXPECT_EQ(defaults.tcpip().type(), config::Network::TYPE_STATIC);

    config::Network carried = WithType(config::Network::TYPE_DHCP);
    ASSERT_TRUE(carried.mutable_stream()->mutable_jpeg()->ParseFromString(std::string("\x08\x05", 2)));
    ASSERT_TRUE(carried.add_remote_dvrs()->ParseFromString("\x0a\x03" "dvr"));
    carried.add_remote_dvrs();
    page.SetConf(carried);
    const config::Network back = page.GetConf();
    EXPECT_EQ(Bytes(back.stream().jpeg()), std::string("\x08\x05", 2));
    ASSERT_EQ(back.remote_dvrs_size(), 2);
    EXPECT_EQ(Bytes(back.remote_dvrs(0)), "\x0a\x03" "dvr");

    auto* apply = Child<QCheckBox>(page, "applyNetworkTCPIP");
    EXPECT_FALSE(page.GetApplyNetworkTCPIP());
    const std::function<void()> resets[] = {[&] { page.InitConf(); }, [&] { page.InitDvrInfo(Info(4, 16)); }};
    for (const auto& reset : resets) {
        page.SetApplyNetworkTCPIP(true);
        EXPECT_TRUE(apply->isChecked());
        reset();
        EXPECT_FALSE(page.GetApplyNetworkTCPIP());
    }
    apply->click();
    EXPECT_TRUE(page.GetApplyNetworkTCPIP());
}
