#include <cmath>

#include <gtest/gtest.h>

#include "Playback/PlaybackFile.h"

TEST(PlayMode2Speed, PlayingModesMatchTheirSpeedStep)
{
    int playing = 0;
    for (int v = 0; v <= 52; ++v) {
        if (!PbMode_IsValid(v))
            continue;
        const PbMode mode = static_cast<PbMode>(v);
        if (!PbMode_IsForwardMode(mode) && !PbMode_IsReverseMode(mode))
            continue;
        ++playing;
        const double expected = std::ldexp(1.0, PbMode_Mode2Speed(mode));
        EXPECT_EQ(CPlaybackFile::PlayMode2Speed(mode), PbMode_IsReverseMode(mode) ? -expected : expected)
            << "mode " << v;
    }
    EXPECT_EQ(playing, 18);
    EXPECT_EQ(CPlaybackFile::PlayMode2Speed(PB_FORWARD_256X), 256.0);
    EXPECT_EQ(CPlaybackFile::PlayMode2Speed(PB_REVERSE_1X), -1.0);
}

TEST(PlayMode2Speed, SlowModesAndEverythingElse)
{
    EXPECT_EQ(CPlaybackFile::PlayMode2Speed(PB_SLOW_1_4), 0.25);
    EXPECT_EQ(CPlaybackFile::PlayMode2Speed(PB_SLOW_1_2), 0.5);
    EXPECT_EQ(CPlaybackFile::PlayMode2Speed(PB_STOP), 0.0);
    for (int v : {9, 15, 25, 31, 35, 48, 49, 50, 51, 52, 1000, -1, -35})
        EXPECT_EQ(CPlaybackFile::PlayMode2Speed(static_cast<PbMode>(v)), 0.0) << "mode " << v;
}
