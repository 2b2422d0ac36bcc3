#include <gtest/gtest.h>

#include "Display/DisplayInfo.h"

TEST(DisplayInfoRecord, ClearRestoresAnEmptyAuthorisedCell)
{
    CDisplayInfo info;
    info.image = QImage(4, 4, QImage::Format_RGB888);
    info.channel = 3;
    info.screen = 40;
    info.authorised = false;
    info.failed = true;
    info.title = QStringLiteral("x");
    info.frameBytes = 99;
    info.clear();
    EXPECT_TRUE(info.image.isNull());
    EXPECT_EQ(info.channel, -1);
    EXPECT_EQ(info.screen, -1);
    EXPECT_TRUE(info.authorised);
    EXPECT_FALSE(info.failed);
    EXPECT_TRUE(info.title.isEmpty());
    EXPECT_EQ(info.frameBytes, 0u);
}

TEST(DisplayInfoRecord, OnlyThreeRenderingModes)
{
    EXPECT_TRUE(OpenGLMode_IsValid(OPENGL_MODE_OFF));
    EXPECT_FALSE(OpenGLMode_IsValid(3));
    EXPECT_FALSE(OpenGLMode_IsValid(-1));
}
