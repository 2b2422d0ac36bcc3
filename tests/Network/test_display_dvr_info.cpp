#include <gtest/gtest.h>

#include <QVariant>

#include "Network/DisplayDvrInfo.h"

TEST(DisplayDvrInfo, NewRecordAllowsEveryChannelAndIsStopped)
{
    const DISPLAY_DVR_INFO info;
    EXPECT_EQ(info.pbMode, uint32_t(PB_STOP));
    EXPECT_EQ(info.authorityMask, 0xFFFFu);
    EXPECT_EQ(info.displayMode, 0u);
    EXPECT_EQ(info.channelMask, 0u);
    EXPECT_EQ(info.recordMask | info.motionMask | info.sensorMask | info.videoLossMask, 0u);
    EXPECT_TRUE(info.status.isEmpty());
    EXPECT_FALSE(info.oldProtocol);
}

TEST(DisplayDvrInfo, CopiesAreIndependentAndTravelInVariants)
{
    RegisterDisplayDvrInfoMetaType();
    EXPECT_TRUE(QMetaType::fromName("DISPLAY_DVR_INFO").isValid());

    DISPLAY_DVR_INFO stream;
    stream.channelNames[15] = QStringLiteral("CAM16");
    stream.motionMask = 1ull << 40;
    const QVariant sent = QVariant::fromValue(stream);
    stream.channelNames[15] = QStringLiteral("changed");
    stream.motionMask = 0;
    const DISPLAY_DVR_INFO copy = sent.value<DISPLAY_DVR_INFO>();
    EXPECT_EQ(copy.channelNames[15], QStringLiteral("CAM16"));
    EXPECT_EQ(copy.motionMask, 1ull << 40);
}
