#include <gtest/gtest.h>

#include <QVariant>

#include "ProtoBuf/ListMetaTypes.h"

static std::string Bytes(std::initializer_list<int> b) { return std::string(b.begin(), b.end()); }

TEST(DvrRecord, DefaultsAndStableFieldNumbers)
{
    DVR dvr;
    ASSERT_TRUE(dvr.ParseFromString(std::string()));
    EXPECT_EQ(dvr.port(), 80);
    EXPECT_EQ(dvr.chnum(), 16);
    EXPECT_EQ(dvr.bit_ch(), 65535u);
    EXPECT_FALSE(dvr.old_protocol());
    EXPECT_EQ(dvr.protocol_type(), 0);
    EXPECT_TRUE(dvr.name().empty());
    EXPECT_TRUE(dvr.SerializeAsString().empty());
    EXPECT_EQ(dvr.GetTypeName(), "DVR");
    dvr.set_port(80);  // an explicit default is written
    EXPECT_EQ(dvr.SerializeAsString(), Bytes({0x18, 80}));

    dvr.set_name("a");
    dvr.set_address("b");
    dvr.set_port(8080);
    dvr.set_id("c");
    dvr.set_password("d");
    dvr.set_chnum(4);
    dvr.set_bit_ch(5);
    dvr.add_chname("e");
    dvr.set_old_protocol(true);
    dvr.set_protocol_type(2);
    EXPECT_EQ(dvr.SerializeAsString(), Bytes({0x0a, 1, 'a', 0x12, 1, 'b', 0x18, 0x90, 0x3f, 0x22, 1, 'c', 0x2a, 1, 'd',
                                              0x30, 4, 0x38, 5, 0x42, 1, 'e', 0x48, 1, 0x50, 2}));
}

TEST(ListRecords, AutoConnectDefaultAndAbsentEMapDvrIsNotWritten)
{
    EXPECT_EQ(Group().auto_connect(), -1);
    EXPECT_EQ(DVRList().auto_connect(), -1);

    EMapItems item;
    item.set_channel(3);
    EXPECT_FALSE(item.has_dvr());
    EXPECT_EQ(item.dvr().port(), 80);
    EXPECT_EQ(item.SerializeAsString(), Bytes({0x20, 3}));
    item.mutable_dvr();
    EXPECT_EQ(item.SerializeAsString(), Bytes({0x0a, 0, 0x20, 3}));
    EMapGroupList groups;
    EMap* map = groups.add_emap_list()->add_emap();
    map->set_name("Floor 1");
    *map->add_items() = item;
    EMapGroupList back;
    ASSERT_TRUE(back.ParseFromString(groups.SerializeAsString()));
    EXPECT_TRUE(back.emap_list(0).emap(0).items(0).has_dvr());
    EXPECT_EQ(back.GetTypeName(), "EMapGroupList");
}

TEST(ModelInfoRecord, OutOfRangeEnumValuesAreDropped)
{
    config::ModelInfo info;
    EXPECT_EQ(info.channels(), 16u);
    EXPECT_EQ(info.videotype(), config::VideoType_NTSC);
    EXPECT_EQ(info.model(), config::ModelType_AHD);
    ASSERT_TRUE(info.ParseFromString(Bytes({0x18, 7, 0x10, 1})));
    EXPECT_FALSE(info.has_model());
    EXPECT_EQ(info.model(), config::ModelType_AHD);
    EXPECT_EQ(info.videotype(), config::VideoType_PAL);
    EXPECT_FALSE(config::ModelType_IsValid(4) || config::VideoType_IsValid(2));
    EXPECT_EQ(info.GetTypeName(), "config.ModelInfo");
}

TEST(ListMetaTypes, DvrAndGroupTravelInVariants)
{
    RegisterListMetaTypes();
    for (const char* name : {"DVR", "Group", "EMap", "EMapList"})
        EXPECT_TRUE(QMetaType::fromName(name).isValid()) << name;
    DVR dvr;
    dvr.set_name("x");
    dvr.set_chnum(8);
    EXPECT_EQ(QVariant::fromValue(dvr).value<DVR>().SerializeAsString(), dvr.SerializeAsString());
}
