#include <gtest/gtest.h>

#include "sys_conf/types/hdd_types.h"
#include "sys_conf/types/network_types.h"
#include "sys_conf/types/system_types.h"
#include "table_check.h"

TEST(HddTables, WriteModeAndCheckIntervalRows)
{
    EXPECT_EQ(config::HddWriteMode_Index2Type(0), config::Hdd::WRITE_ONCE);
    EXPECT_EQ(config::HddWriteMode_Index2Type(1), config::Hdd::WRITE_OVERWRITE);
    EXPECT_EQ(config::HddWriteMode_Type2Index(config::Hdd::WRITE_ONCE), 0);
    EXPECT_EQ(config::HddWriteMode_Type2Index(config::Hdd::WRITE_OVERWRITE), 1);

    EXPECT_EQ(Labels(config::SmartCheckInterval_Index2String),
              (Strings{"6 hours", "12 hours", "24 hours"}));
    for (int i = 0; i < 3; ++i) {
        const config::Hdd_Smart_CheckInterval v = config::SmartCheckInterval_Index2Type(i);
        EXPECT_EQ(v, i);
        EXPECT_EQ(config::SmartCheckInterval_Type2Index(v), i);
    }

    for (int bad : BadIndexes()) {
        EXPECT_EQ(config::HddWriteMode_Index2Type(bad), config::Hdd::WRITE_ONCE);
        EXPECT_STREQ(config::SmartCheckInterval_Index2String(bad), "");
        EXPECT_EQ(config::SmartCheckInterval_Index2Type(bad), config::Hdd_Smart::INTERVAL_6HOURS);
    }
    for (auto bad : BadValues<config::Hdd_WriteMode>())
        EXPECT_EQ(config::HddWriteMode_Type2Index(bad), 0);
    for (auto bad : BadValues<config::Hdd_Smart_CheckInterval>())
        EXPECT_EQ(config::SmartCheckInterval_Type2Index(bad), 0);
}

TEST(NetworkTables, TypeComboOrderDiffersFromValueOrder)
{
    EXPECT_EQ(Labels(config::NetworkType_Index2String), (Strings{"Auto UPnP", "Static", "DHCP", "PPPoE"}));
    EXPECT_EQ(config::NetworkType_Index2Type(0), config::Network::TYPE_AUTO_UPNP);
    EXPECT_EQ(config::NetworkType_Index2Type(1), config::Network::TYPE_STATIC);
    EXPECT_EQ(config::NetworkType_Index2Type(2), config::Network::TYPE_DHCP);
    EXPECT_EQ(config::NetworkType_Index2Type(3), config::Network::TYPE_PPPOE);
    // Stored 0 shows "Static", 1 "DHCP", 2 "Auto UPnP", 3 "PPPoE".
    EXPECT_EQ(config::NetworkType_Type2Index(config::Network::TYPE_STATIC), 1);
    EXPECT_EQ(config::NetworkType_Type2Index(config::Network::TYPE_DHCP), 2);
    EXPECT_EQ(config::NetworkType_Type2Index(config::Network::TYPE_AUTO_UPNP), 0);
    EXPECT_EQ(config::NetworkType_Type2Index(config::Network::TYPE_PPPOE), 3);

    for (int bad : BadIndexes()) {
        EXPECT_STREQ(config::NetworkType_Index2String(bad), "");
        EXPECT_EQ(config::NetworkType_Index2Type(bad), config::Network::TYPE_AUTO_UPNP);
    }
    for (auto bad : BadValues<config::Network_Type>())
        EXPECT_EQ(config::NetworkType_Type2Index(bad), 0);
}

TEST(NetworkTables, BandwidthRowsRoundTrip)
{
    EXPECT_EQ(Labels(config::BandWidthLimitation_Index2String),
              (Strings{"OFF", "100 kbps", "200 kbps", "300 kbps", "500 kbps", "1000 kbps", "2000 kbps",
                       "3000 kbps", "5000 kbps", "10000 kbps"}));
    for (int i = 0; i < 10; ++i) {
        const config::Network_BandWidthLimitation v = config::BandWidthLimitation_Index2Type(i);
        EXPECT_EQ(v, i);
        EXPECT_EQ(config::BandWidthLimitation_Type2Index(v), i);
    }
    EXPECT_EQ(config::BandWidthLimitation_Index2Type(5), config::Network::BWL_1000kbps);
    for (int bad : BadIndexes()) {
        EXPECT_STREQ(config::BandWidthLimitation_Index2String(bad), "");
        EXPECT_EQ(config::BandWidthLimitation_Index2Type(bad), config::Network::BWL_OFF);
    }
    for (auto bad : BadValues<config::Network_BandWidthLimitation>())
        EXPECT_EQ(config::BandWidthLimitation_Type2Index(bad), 0);
}

TEST(SystemTables, FormatAndVgaLabelsStandOnTheirValues)
{
    EXPECT_EQ(Labels(config::DateFormat_Index2String), (Strings{"YYYY/MM/DD", "DD/MM/YYYY", "MM/DD/YYYY"}));
    EXPECT_STREQ(config::DateFormat_Index2String(config::System_TimeDate::DATE_FORMAT_MMDDYYYY),
                 "MM/DD/YYYY");
    EXPECT_EQ(Labels(config::TimeFormat_Index2String), (Strings{"24", "12 AM/PM"}));
    EXPECT_STREQ(config::TimeFormat_Index2String(config::System_TimeDate::TIME_FORMAT_12), "12 AM/PM");
    EXPECT_EQ(Labels(config::VgaMode_Index2String),
              (Strings{"1024x768", "1280x720", "1280x1024", "1440x900", "1920x1080"}));
    EXPECT_STREQ(config::VgaMode_Index2String(config::System_Display::VGA_1440x900), "1440x900");
    for (int bad : BadIndexes()) {
        EXPECT_STREQ(config::DateFormat_Index2String(bad), "");
        EXPECT_STREQ(config::TimeFormat_Index2String(bad), "");
        EXPECT_STREQ(config::VgaMode_Index2String(bad), "");
    }
}
