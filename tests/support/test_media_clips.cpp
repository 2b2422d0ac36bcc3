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

TEST(TestClips, AudioTonesHaveWholeFrames)
{
    EXPECT_EQ(testmedia::AlawTone().size(), 16000u);  // 50 frames of 320 bytes
    EXPECT_EQ(testmedia::G726Tone().size(), 6000u);   // 5 frames of 1200 bytes
}
