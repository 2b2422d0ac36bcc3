#include <gtest/gtest.h>

#include "sys_conf/types/account_types.h"
#include "sys_conf/types/camera_types.h"
#include "table_check.h"

TEST(AccountTables, WaitTimeRowsHoldTheirValuesInOrder)
{
    EXPECT_EQ(Labels(config::WaitTime_Index2String),
              (Strings{"30 s", "1 min", "3 min", "5 min", "10 min"}));
    for (int i = 0; i < 5; ++i) {
        const config::Account_Logoff_WaitTime t = config::WaitTime_Index2Type(i);
        EXPECT_EQ(t, i);
        EXPECT_EQ(config::WaitTime_Type2Index(t), i);
    }
    EXPECT_EQ(config::WaitTime_Index2Type(4), config::Account_Logoff::WAIT_TIME_10MIN);
    for (int bad : BadIndexes()) {
        EXPECT_STREQ(config::WaitTime_Index2String(bad), "");
        EXPECT_EQ(config::WaitTime_Index2Type(bad), config::Account_Logoff::WAIT_TIME_30SEC);
    }
    for (auto bad : BadValues<config::Account_Logoff_WaitTime>())
        EXPECT_EQ(config::WaitTime_Type2Index(bad), 0);
}

TEST(AccountTables, NetworkTimeoutRowsHoldTheirValuesInOrder)
{
    for (int i = 0; i < 6; ++i) {
        const config::Account_NetworkTimeout t = config::NetworkTimeout_Index2Type(i);
        EXPECT_EQ(t, i);
        EXPECT_EQ(config::NetworkTimeout_Type2Index(t), i);
    }
    EXPECT_EQ(config::NetworkTimeout_Index2Type(5), config::Account::NETWORK_TIMEOUT_1HOUR);
    EXPECT_EQ(config::NetworkTimeout_Index2Type(6), config::Account::NETWORK_TIMEOUT_OFF);
    for (int bad : BadIndexes())
        EXPECT_EQ(config::NetworkTimeout_Index2Type(bad), config::Account::NETWORK_TIMEOUT_OFF);
    for (auto bad : BadValues<config::Account_NetworkTimeout>())
        EXPECT_EQ(config::NetworkTimeout_Type2Index(bad), 0);
}

TEST(CameraTables, PtzBaudRateAndModelRows)
{
    EXPECT_EQ(Labels(config::BaudRate_Index2String),
              (Strings{"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"}));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(config::BaudRate_Index2Type(i), i);
    // The default baud rate stands on the row labelled with it.
    EXPECT_STREQ(config::BaudRate_Index2String(config::Camera_Ptz::BAUDRATE_9600), "9600");
    EXPECT_EQ(config::BaudRate_Index2Type(7), config::Camera_Ptz::BAUDRATE_115200);

    EXPECT_EQ(Labels(config::PtzDev_Index2String), (Strings{"----", "PELCO_D"}));
    EXPECT_EQ(config::PtzDev_Index2Type(0), config::Camera_Ptz::MODEL_NONE);
    EXPECT_EQ(config::PtzDev_Index2Type(1), config::Camera_Ptz::MODEL_PELCO_D);

    for (int bad : BadIndexes()) {
        EXPECT_STREQ(config::BaudRate_Index2String(bad), "");
        EXPECT_EQ(config::BaudRate_Index2Type(bad), config::Camera_Ptz::BAUDRATE_1200);
        EXPECT_STREQ(config::PtzDev_Index2String(bad), "");
        EXPECT_EQ(config::PtzDev_Index2Type(bad), config::Camera_Ptz::MODEL_NONE);
    }
}

TEST(CameraTables, SharpnessRowsRoundTrip)
{
    EXPECT_EQ(Labels(config::Sharpness_Index2String), (Strings{"SOFT", "NORMAL", "HARD"}));
    const config::Camera_Sharpness order[] = {config::Camera::SHARPNESS_SOFT,
                                              config::Camera::SHARPNESS_NORMAL,
                                              config::Camera::SHARPNESS_HARD};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(config::Sharpness_Index2Type(i), order[i]);
        EXPECT_EQ(config::Sharpness_Type2Index(order[i]), i);
    }
    for (int bad : BadIndexes()) {
        EXPECT_STREQ(config::Sharpness_Index2String(bad), "");
        EXPECT_EQ(config::Sharpness_Index2Type(bad), config::Camera::SHARPNESS_SOFT);
    }
    for (auto bad : BadValues<config::Camera_Sharpness>())
        EXPECT_EQ(config::Sharpness_Type2Index(bad), 0);
}

namespace {

struct SpotCase {
    bool hdSdi;
    int channels;
    Strings labels;
    std::vector<config::Camera_Spot_Mode> modes;
};

const config::Camera_Spot_Mode kSingle = config::Camera_Spot::MODE_SINGLE;
const config::Camera_Spot_Mode kQuad = config::Camera_Spot::MODE_QUAD;
const config::Camera_Spot_Mode kNona = config::Camera_Spot::MODE_NONA;
const config::Camera_Spot_Mode k16 = config::Camera_Spot::MODE_16SPLIT;
const config::Camera_Spot_Mode kSeq = config::Camera_Spot::MODE_SEQUENCE;
const config::Camera_Spot_Mode kOff = config::Camera_Spot::MODE_OFF;

const Strings kHdSdiLabels = {"Single", "Sequence", "Off"};
const std::vector<config::Camera_Spot_Mode> kHdSdiModes = {kSingle, kSeq, kOff};

}  // namespace

TEST(CameraTables, SpotModesDependOnChannelCountAndModelType)
{
    const std::vector<SpotCase> cases = {
        {false, 4, {"Single", "Quad", "Sequence", "Off"}, {kSingle, kQuad, kSeq, kOff}},
        {false, 8, {"Single", "Quad", "9 Split", "Sequence", "Off"}, {kSingle, kQuad, kNona, kSeq, kOff}},
        {false, 16, {"Single", "Quad", "9 Split", "16 Split", "Sequence", "Off"},
         {kSingle, kQuad, kNona, k16, kSeq, kOff}},
        {true, 4, kHdSdiLabels, kHdSdiModes},
        {true, 8, kHdSdiLabels, kHdSdiModes},
        {true, 16, kHdSdiLabels, kHdSdiModes},
    };
    for (const SpotCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "hdsdi " << c.hdSdi << ", " << c.channels << " channels");
        const int count = config::SpotMode_Count(c.hdSdi, c.channels);
        ASSERT_EQ(count, static_cast<int>(c.labels.size()));
        EXPECT_EQ(Labels([&](int i) { return config::SpotMode_Index2String(c.hdSdi, c.channels, i); }),
                  c.labels);
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(config::SpotMode_Index2Type(c.hdSdi, c.channels, i), c.modes[i]);
            EXPECT_EQ(config::SpotMode_Type2Index(c.hdSdi, c.channels, c.modes[i]), i);
        }
        for (int bad : BadIndexes()) {
            EXPECT_STREQ(config::SpotMode_Index2String(c.hdSdi, c.channels, bad), "");
            EXPECT_EQ(config::SpotMode_Index2Type(c.hdSdi, c.channels, bad), kSingle);
        }
    }
    // Sequence and Off stand on other rows than their values once split modes are missing.
    EXPECT_EQ(config::SpotMode_Type2Index(false, 4, kSeq), 2);
    EXPECT_EQ(config::SpotMode_Type2Index(true, 16, kOff), 2);
}

TEST(CameraTables, SpotModesATableDoesNotOfferFallToTheFirstRow)
{
    EXPECT_EQ(config::SpotMode_Type2Index(true, 16, kQuad), 0);
    EXPECT_EQ(config::SpotMode_Type2Index(false, 8, k16), 0);
    EXPECT_EQ(config::SpotMode_Type2Index(false, 4, kNona), 0);
    for (auto bad : BadValues<config::Camera_Spot_Mode>())
        EXPECT_EQ(config::SpotMode_Type2Index(false, 16, bad), 0);

    // A channel count no model has gets the smallest table.
    for (int channels : {0, -4, 5, 12, 32}) {
        EXPECT_EQ(config::SpotMode_Count(false, channels), 4) << channels;
        EXPECT_STREQ(config::SpotMode_Index2String(false, channels, 3), "Off");
        EXPECT_STREQ(config::SpotMode_Index2String(false, channels, 4), "");
        EXPECT_EQ(config::SpotMode_Count(true, channels), 3) << channels;
    }
}
