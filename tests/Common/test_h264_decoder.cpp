#include <gtest/gtest.h>

#include <vector>

#include "Common/H264Decoder.h"
#include "support/TestMedia.h"

using testmedia::Clip;
using testmedia::Codec;

TEST(H264Decoder, ConvertsOnlyIntoARealBufferThatFits)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    CH264Decoder h264;
    h264.Init(2);
    ASSERT_TRUE(h264.SetupCodec(1, 352, 240, AV_CODEC_ID_H264));
    const auto& key = clip.units[0].data;
    EXPECT_EQ(h264.useSwscaleLibrary(1, AV_PIX_FMT_RGB24, nullptr, 0), 0u);  // nothing yet
    ASSERT_EQ(h264.DecodeFrame(1, key.data(), key.size()), size_t(352) * 240 * 3);
    EXPECT_EQ(h264.GetPictureSize(1).width, 352);
    EXPECT_EQ(h264.GetPictureSize(1).height, 240);

    EXPECT_EQ(h264.useSwscaleLibrary(1, AV_PIX_FMT_RGB24, nullptr, 1 << 20), 0u);
    std::vector<unsigned char> small(352 * 240 * 3 - 1, 0x5A);
    EXPECT_EQ(h264.useSwscaleLibrary(1, AV_PIX_FMT_RGB24, small.data(), small.size()), 0u);
    EXPECT_EQ(std::count(small.begin(), small.end(), 0x5A), long(small.size()));

    std::vector<unsigned char> out(352 * 240 * 4);
    EXPECT_EQ(h264.useSwscaleLibrary(1, AV_PIX_FMT_RGB24, out.data(), out.size()),
              size_t(352) * 240 * 3);
    EXPECT_EQ(h264.useSwscaleLibrary(1, AV_PIX_FMT_BGRA, out.data(), out.size()),
              size_t(352) * 240 * 4);
}

TEST(H264Decoder, AClosedSlotDecodesNothing)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    const auto& key = clip.units[0].data;
    CH264Decoder h264;
    h264.Init(1);
    EXPECT_EQ(h264.DecodeFrame(0, key.data(), key.size()), 0u);  // never set up
    EXPECT_FALSE(h264.SetupCodec(0, 352, 240, AV_CODEC_ID_NONE));
    EXPECT_FALSE(h264.IsOpen(0));
    EXPECT_EQ(h264.DecodeFrame(0, key.data(), key.size()), 0u);
    ASSERT_TRUE(h264.SetupCodec(0, 352, 240, AV_CODEC_ID_H264));
    EXPECT_GT(h264.DecodeFrame(0, key.data(), key.size()), 0u);
    h264.CloseCodec(0);
    EXPECT_EQ(h264.GetPictureSize(0).width, 0);
    EXPECT_EQ(h264.DecodeFrame(0, key.data(), key.size()), 0u);
}
