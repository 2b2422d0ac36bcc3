#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QVariant>

#include "conf_fill.h"
#include "sys_conf/conf_metatypes.h"

namespace {

std::string Field(int number, const std::string& payload)
{
    std::string b(1, static_cast<char>(number << 3 | 2));
    b.push_back(static_cast<char>(payload.size()));  // every payload here is below 128 bytes
    return b + payload;
}

}  // namespace

TEST(DvrConfWire, FullConfigurationMatchesTheGoldenBytesBothWays)
{
    const std::string bytes = FullConf16().SerializeAsString();
    const std::string golden = ReadHexFile("dvr_conf_16ch.hex");
    if (golden.empty() || golden != bytes) {
        const auto actual = std::filesystem::temp_directory_path() / "dvr_conf_16ch.actual.hex";
        std::ofstream(actual) << ToHex(bytes);
        FAIL() << "serialization differs from data/dvr_conf_16ch.hex; actual bytes in " << actual;
    }

    config::DvrConf back;
    ASSERT_TRUE(back.ParseFromString(golden));
    EXPECT_EQ(back.SerializeAsString(), golden);
    // Repeated entries come back in order, each with its own values.
    ASSERT_EQ(back.camera().channel_size(), 16);
    EXPECT_EQ(back.camera().channel(3).name(), std::string("\xC1\xA4\xB9\xAE"));
    ASSERT_EQ(back.event().motion_conf().motion(2).zone_size(), 192);
    EXPECT_TRUE(back.event().motion_conf().motion(2).zone(1));
    EXPECT_FALSE(back.event().motion_conf().motion(2).zone(2));
    EXPECT_EQ(back.record().channel(9).record_mode(), config::RECORD_MODE_SCHEDULE4);
    EXPECT_EQ(back.record().schedule(3).record_mode(167), config::RECORD_MODE_SCHEDULE1);
    EXPECT_EQ(back.system().display().vga_only_adjust().saturation(), 12u);
}

TEST(DvrConfWire, FieldsSetToTheirDefaultStayPresent)
{
    config::DvrConf conf;
    conf.mutable_hdd()->mutable_smart()->set_smart(false);
    conf.mutable_dvr_info()->set_ch_num(16);
    conf.mutable_limit()->set_apply_network_tcpip(false);

    config::DvrConf back;
    ASSERT_TRUE(back.ParseFromString(conf.SerializeAsString()));
    EXPECT_TRUE(back.hdd().smart().has_smart());
    EXPECT_FALSE(back.hdd().smart().smart());
    EXPECT_FALSE(back.hdd().has_mode());
    EXPECT_TRUE(back.dvr_info().has_ch_num());
    EXPECT_TRUE(back.limit().has_apply_network_tcpip());
    EXPECT_FALSE(back.has_account());
}

TEST(DvrConfWire, WhatADvrSendsInsideTheCarriedPartsGoesBackByteForByte)
{
    // buyer_info (10) and network (7) > stream (3) > jpeg (1), two remote_dvrs (7 > 4).
    const std::string remote2 = UnknownFields(13);
    const std::string network =
        Field(3, Field(1, UnknownFields(11))) + Field(4, UnknownFields(12)) + Field(4, remote2);
    const std::string bytes = Field(7, network) + Field(10, UnknownFields(14));

    config::DvrConf conf;
    ASSERT_TRUE(conf.ParseFromString(bytes));
    EXPECT_TRUE(conf.network().stream().has_jpeg());
    ASSERT_EQ(conf.network().remote_dvrs_size(), 2);
    EXPECT_EQ(conf.network().remote_dvrs(1).SerializeAsString(), remote2);
    EXPECT_EQ(conf.SerializeAsString(), bytes);

    // An empty carried part stays present; an enum value no menu offers reads as the default
    // and goes back unchanged.
    const std::string odd = Field(6, Field(1, std::string("\x08\x07", 2))) + std::string("\x52\x00", 2);
    ASSERT_TRUE(conf.ParseFromString(odd));
    EXPECT_TRUE(conf.has_buyer_info());
    EXPECT_FALSE(conf.hdd().mode().has_write_mode());
    EXPECT_EQ(conf.hdd().mode().write_mode(), config::Hdd::WRITE_OVERWRITE);
    EXPECT_EQ(conf.SerializeAsString(), odd);
}

TEST(DvrConfWire, AccountUserTravelsInAVariantUnderItsRegisteredName)
{
    config::RegisterMetaTypes();
    EXPECT_EQ(QMetaType::fromName("config::Account_User"), QMetaType::fromType<config::Account_User>());
    const config::Account_User user = FullConf16().account().users(2);
    const QVariant v = QVariant::fromValue(user);
    EXPECT_EQ(v.value<config::Account_User>().SerializeAsString(), user.SerializeAsString());
}
