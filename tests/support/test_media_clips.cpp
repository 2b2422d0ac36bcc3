#include <gtest/gtest.h>

#include "support/TestMedia.h"

using testmedia::Codec;

TEST(TestClips, CutIntoOneUnitPerFrameWithKeysEveryThirty)
{
    for (Codec codec : {Codec::H264, Codec::Mpeg4}) {
        for (const char* size : {"d1", "cif"}) {
            const testmedia::Clip clip = testmedia::LoadClip(codec, size);
            ASSERT_EQ(clip.units.size(), 60u) << size;
            for (size_t i = 0; i < clip.units.size(); ++i) {
                EXPECT_EQ(clip.units[i].key, i % 30 == 0) << size << " frame " << i;
                EXPECT_GT(clip.units[i].data.size(), 8u);
            }
        }
    }
}

TEST(TestClips, H264UnitsStartWithAStartCode)
{
    const testmedia::Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    for (const auto& u : clip.units) {
        const auto& d = u.data;
        const bool three = d[0] == 0 && d[1] == 0 && d[2] == 1;
        const bool four = d[0] == 0 && d[1] == 0 && d[2] == 0 && d[3] == 1;
        EXPECT_TRUE(three || four);
    }
}

TEST(TestClips, Mpeg4KeyUnitsCarryTheirOwnHeaders)
{
    const testmedia::Clip clip = testmedia::LoadClip(Codec::Mpeg4, "cif");
    for (const auto& u : clip.units) {
        const auto& d = u.data;
        ASSERT_GE(d.size(), 4u);
        ASSERT_TRUE(d[0] == 0 && d[1] == 0 && d[2] == 1);
        // A key unit may open with headers; any other unit opens with its VOP.
        if (!u.key)
            EXPECT_EQ(d[3], 0xB6);
        // No unit ends with the headers of the next one.
        for (size_t i = 0; i + 3 < d.size(); ++i) {
            if (d[i] == 0 && d[i + 1] == 0 && d[i + 2] == 1 && d[i + 3] == 0xB6) {
                for (size_t j = i + 4; j + 3 < d.size(); ++j)
                    ASSERT_FALSE(d[j] == 0 && d[j + 1] == 0 && d[j + 2] == 1) << "start code after the VOP";
                break;
            }
        }
    }
}

TEST(TestClips, AudioTonesHaveWholeFrames)
{
    EXPECT_EQ(testmedia::AlawTone().size(), 16000u);  // 50 frames of 320 bytes
    EXPECT_EQ(testmedia::G726Tone().size(), 6000u);   // 5 frames of 1200 bytes
}
