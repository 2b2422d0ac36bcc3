#include <gtest/gtest.h>

#include <QMetaType>
#include <QVariant>

#include "conf_fill.h"
#include "sys_conf/conf_metatypes.h"

namespace {

std::string Field(int number, const std::string& payload)
{
    std::string b;
    b.push_back(static_cast<char>(number << 3 | 2));
    b.push_back(static_cast<char>(payload.size()));  // every payload here is below 128 bytes
    return b + payload;
}

}  // namespace

TEST(CarriedParts, WhatADvrSendsInsideThemGoesBackByteForByte)
{
    // buyer_info (10), network (7) > stream (3) > jpeg (1), and two remote_dvrs (7 > 4).
    const std::string jpeg = UnknownFields(11);
    const std::string remote1 = UnknownFields(12);
    const std::string remote2 = UnknownFields(13);
    const std::string network =
        Field(3, Field(1, jpeg)) + Field(4, remote1) + Field(4, remote2);
    const std::string bytes = Field(7, network) + Field(10, UnknownFields(14));

    config::DvrConf conf;
    ASSERT_TRUE(conf.ParseFromString(bytes));
    EXPECT_TRUE(conf.has_buyer_info());
    EXPECT_TRUE(conf.network().stream().has_jpeg());
    ASSERT_EQ(conf.network().remote_dvrs_size(), 2);
    EXPECT_EQ(conf.network().remote_dvrs(1).SerializeAsString(), remote2);
    EXPECT_EQ(conf.SerializeAsString(), bytes);

    // The pages hold their part by value and the container assembles a new configuration
    // from the copies.
    config::Network page(conf.network());
    config::Network later;
    later.CopyFrom(page);
    config::DvrConf assembled;
    *assembled.mutable_network() = later;
    *assembled.mutable_buyer_info() = conf.buyer_info();
    EXPECT_EQ(assembled.SerializeAsString(), bytes);
}

TEST(CarriedParts, EmptyPartsStayPresentAndEmpty)
{
    const std::string bytes = std::string("\x52\x00", 2);  // buyer_info with no content
    config::DvrConf conf;
    ASSERT_TRUE(conf.ParseFromString(bytes));
    EXPECT_TRUE(conf.has_buyer_info());
    EXPECT_EQ(conf.SerializeAsString(), bytes);
}

TEST(CarriedParts, AnUnknownEnumValueReadsAsTheDefaultAndIsSentBack)
{
    // hdd (6) > mode (1) > write_mode (1) = 7, which no DVR menu offers.
    const std::string bytes = Field(6, Field(1, std::string("\x08\x07", 2)));
    config::DvrConf conf;
    ASSERT_TRUE(conf.ParseFromString(bytes));
    EXPECT_FALSE(conf.hdd().mode().has_write_mode());
    EXPECT_EQ(conf.hdd().mode().write_mode(), config::Hdd::WRITE_OVERWRITE);
    EXPECT_EQ(conf.SerializeAsString(), bytes);
}

TEST(AccountUserMetaType, TravelsInAVariantUnderItsRegisteredName)
{
    config::RegisterMetaTypes();
    const QMetaType type = QMetaType::fromName("config::Account_User");
    ASSERT_TRUE(type.isValid());
    EXPECT_EQ(type, QMetaType::fromType<config::Account_User>());

    const config::Account_User user = FullConf16().account().users(2);
    const QVariant v = QVariant::fromValue(user);
    ASSERT_TRUE(v.canConvert<config::Account_User>());
    EXPECT_EQ(v.value<config::Account_User>().SerializeAsString(), user.SerializeAsString());
    EXPECT_EQ(v.value<config::Account_User>().name(), "user2");
}
