#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "sys_conf/types/event_types.h"
#include "table_check.h"

TEST(EventTables, PopDownRowsLabelsValuesAndSeconds)
{
    EXPECT_EQ(Labels(config::PopDownType_Index2String), (Strings{"CONT", "5 s", "10 s", "30 s"}));
    const config::Event_PopDownType order[] = {config::Event::POP_DOWN_CONT, config::Event::POP_DOWN_5SEC,
                                               config::Event::POP_DOWN_10SEC, config::Event::POP_DOWN_30SEC};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(config::PopDownType_Index2Type(i), order[i]);

    EXPECT_EQ(config::PopDownType_Type2Value(config::Event::POP_DOWN_CONT),
              std::numeric_limits<int32_t>::max());
    EXPECT_EQ(config::PopDownType_Type2Value(config::Event::POP_DOWN_5SEC), 5);
    EXPECT_EQ(config::PopDownType_Type2Value(config::Event::POP_DOWN_10SEC), 10);
    EXPECT_EQ(config::PopDownType_Type2Value(config::Event::POP_DOWN_30SEC), 30);

    for (int bad : BadIndexes()) {
        EXPECT_STREQ(config::PopDownType_Index2String(bad), "");
        EXPECT_EQ(config::PopDownType_Index2Type(bad), config::Event::POP_DOWN_CONT);
    }
    // An unknown pop-down never closes the pop-up early.
    for (auto bad : BadValues<config::Event_PopDownType>())
        EXPECT_EQ(config::PopDownType_Type2Value(bad), std::numeric_limits<int32_t>::max());
}

TEST(EventTables, TimeLabelsOfPostAlarmRecordingAndRelay)
{
    EXPECT_EQ(Labels(config::PostAlarmRecordTime_Index2String),
              (Strings{"NONE", "10 s", "20 s", "30 s", "40 s", "50 s", "60 s"}));
    // Row i is the stored value i.
    EXPECT_STREQ(config::PostAlarmRecordTime_Index2String(config::Event_PostRecord::TIME_60SEC), "60 s");
    EXPECT_EQ(Labels(config::RelayKeepTime_Index2String), (Strings{"NONE", "5 s", "10 s", "30 s"}));
    EXPECT_STREQ(config::RelayKeepTime_Index2String(config::Event_Relay::KEEP_30SEC), "30 s");
    EXPECT_EQ(Labels(config::SensorType_Index2String), (Strings{"NORMAL OPEN", "NORMAL CLOSE"}));
    EXPECT_STREQ(config::SensorType_Index2String(config::Event_Sensor::TYPE_NC), "NORMAL CLOSE");

    for (int bad : BadIndexes()) {
        EXPECT_STREQ(config::PostAlarmRecordTime_Index2String(bad), "");
        EXPECT_STREQ(config::RelayKeepTime_Index2String(bad), "");
        EXPECT_STREQ(config::SensorType_Index2String(bad), "");
    }
}

TEST(EventTables, SendPeriodRowsRoundTrip)
{
    EXPECT_EQ(Labels(config::SendPeriod_Index2String),
              (Strings{"NO", "30 min", "1 hour", "2 hours", "5 hours", "12 hours", "24 hours",
                       "2 min after event"}));
    for (int i = 0; i < 8; ++i) {
        const config::Event_Email_SendPeriod p = config::SendPeriod_Index2Type(i);
        EXPECT_EQ(p, i);
        EXPECT_EQ(config::SendPeriod_Type2Index(p), i);
    }
    EXPECT_EQ(config::SendPeriod_Index2Type(7), config::Event_Email::SEND_PERIOD_2MINS_AFTER_EVENT);
    for (int bad : BadIndexes()) {
        EXPECT_STREQ(config::SendPeriod_Index2String(bad), "");
        EXPECT_EQ(config::SendPeriod_Index2Type(bad), config::Event_Email::SEND_PERIOD_NO);
    }
    for (auto bad : BadValues<config::Event_Email_SendPeriod>())
        EXPECT_EQ(config::SendPeriod_Type2Index(bad), 0);
}
