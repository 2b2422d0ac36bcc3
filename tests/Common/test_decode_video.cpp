#include <gtest/gtest.h>

#include <cstring>
#include <vector>

extern "C" {
#include <libavutil/pixfmt.h>
}

#include "Common/DecodeVideo.h"
#include "support/TestMedia.h"
#include "video_reference.h"

using testmedia::Clip;
using testmedia::Codec;

namespace {

FrameSize SizeOf(const Clip& clip) { return FrameSize{clip.width, clip.height}; }

FrameType KindOf(const testmedia::AccessUnit& unit) { return unit.key ? FRAME_KEY : FRAME_DELTA; }

ProtocolType ProtocolOf(const Clip& clip)
{
    return clip.codec == Codec::H264 ? PROTOCOL_CFRAME_H264 : PROTOCOL_CUFRAME_MPEG4;
}

size_t Decode(CDecodeVideo& dv, int slot, const Clip& clip, size_t i,
              ProtocolType type = PROTOCOL_CFRAME_H264)
{
    const auto& unit = clip.units[i];
    return dv.DecodeFrame(type, slot, unit.data.data(), unit.data.size(), SizeOf(clip),
                          KindOf(unit));
}

bool SamePixels(const QImage& image, const std::vector<uint8_t>& expected)
{
    const size_t row = size_t(image.width()) * (image.depth() / 8);
    if (expected.size() != row * size_t(image.height()))
        return false;
    for (int y = 0; y < image.height(); ++y) {
        if (std::memcmp(image.constScanLine(y), expected.data() + row * size_t(y), row) != 0)
            return false;
    }
    return true;
}

std::vector<uint8_t> Pixels(const QImage& image)
{
    const size_t row = size_t(image.width()) * (image.depth() / 8);
    std::vector<uint8_t> out;
    for (int y = 0; y < image.height(); ++y)
        out.insert(out.end(), image.constScanLine(y), image.constScanLine(y) + row);
    return out;
}

class DecodeVideoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dv.Init(4);
        dv.changeOpenglOption(true);
    }
    CDecodeVideo dv;
};

}  // namespace

TEST_F(DecodeVideoTest, EveryClipDecodesToItsSizeAndFormat)
{
    for (Codec codec : {Codec::H264, Codec::Mpeg4}) {
        for (const char* name : {"d1", "cif"}) {
            const Clip clip = testmedia::LoadClip(codec, name);
            const int slot = codec == Codec::H264 ? 0 : 1;
            // H.264 pictures must equal a plain libavcodec decode byte for byte.
            const auto reference = codec == Codec::H264
                                       ? videotest::DecodeWithLibavcodec(clip, AV_PIX_FMT_RGB24)
                                       : std::vector<videotest::Picture>();
            for (size_t i = 0; i < clip.units.size(); ++i) {
                const size_t n = Decode(dv, slot, clip, i, ProtocolOf(clip));
                const QImage image = dv.GetDecodedImage(slot);
                ASSERT_EQ(image.size(), QSize(clip.width, clip.height)) << name << " " << i;
                EXPECT_EQ(image.constBits(), dv.GetDecodedRGB(slot));
                if (codec == Codec::H264) {
                    ASSERT_EQ(n, size_t(clip.width) * clip.height * 3) << name << " " << i;
                    EXPECT_EQ(image.format(), QImage::Format_RGB888);
                    ASSERT_TRUE(SamePixels(image, reference[i])) << name << " " << i;
                } else {
                    ASSERT_EQ(n, size_t(clip.width) * clip.height * 4) << name << " " << i;
                    EXPECT_EQ(image.format(), QImage::Format_RGB32);
                }
            }
        }
    }
}

TEST_F(DecodeVideoTest, Mpeg4PicturesAreBgraInMemory)
{
    // xvidcore against libavcodec's own MPEG-4 decoder: close but not identical; swapped
    // colour channels would be far off on the test pattern's colour bars.
    const Clip clip = testmedia::LoadClip(Codec::Mpeg4, "cif");
    const auto reference = videotest::DecodeWithLibavcodec(clip, AV_PIX_FMT_BGRA);
    ASSERT_EQ(reference.size(), clip.units.size());
    for (size_t i = 0; i < clip.units.size(); ++i) {
        ASSERT_GT(Decode(dv, 0, clip, i, PROTOCOL_CUFRAME_MPEG4), 0u);
        const QImage image = dv.GetDecodedImage(0);
        EXPECT_GT(videotest::PsnrBgra(image.constBits(), reference[i].data(), clip.width,
                                      clip.height),
                  30.0)
            << i;
    }
}

TEST_F(DecodeVideoTest, NothingIsShownBeforeTheFirstKeyFrame)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    for (size_t i = 1; i < 30; ++i)
        EXPECT_EQ(Decode(dv, 0, clip, i), 0u) << i;
    EXPECT_TRUE(dv.GetDecodedImage(0).isNull());
    EXPECT_EQ(dv.GetDecodedRGB(0), nullptr);
    EXPECT_GT(Decode(dv, 0, clip, 30), 0u);
    for (size_t i = 31; i < 60; ++i)
        EXPECT_GT(Decode(dv, 0, clip, i), 0u) << i;
}

TEST_F(DecodeVideoTest, RestartWaitsForTheNextKeyFrameOfThatSlotOnly)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    const auto reference = videotest::DecodeWithLibavcodec(clip, AV_PIX_FMT_RGB24);
    for (size_t i = 0; i < 10; ++i) {
        ASSERT_GT(Decode(dv, 0, clip, i), 0u);
        ASSERT_GT(Decode(dv, 1, clip, i), 0u);
    }
    dv.RestartIPicture(0);
    for (size_t i = 10; i < 30; ++i) {
        EXPECT_EQ(Decode(dv, 0, clip, i), 0u) << i;
        EXPECT_GT(Decode(dv, 1, clip, i), 0u) << i;
    }
    for (size_t i = 30; i < 60; ++i) {
        ASSERT_GT(Decode(dv, 0, clip, i), 0u) << i;
        EXPECT_TRUE(SamePixels(dv.GetDecodedImage(0), reference[i])) << i;
    }

    dv.AllRestart();
    EXPECT_EQ(Decode(dv, 0, clip, 31), 0u);
    EXPECT_EQ(Decode(dv, 1, clip, 31), 0u);
    EXPECT_GT(Decode(dv, 1, clip, 0), 0u);
}

TEST_F(DecodeVideoTest, FramesThatCannotFitAreRefusedAndDoNotCountAsKeyFrames)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    const auto& key = clip.units[0].data;

    // A header announcing more than the largest picture.
    EXPECT_EQ(dv.DecodeFrame(PROTOCOL_CFRAME_H264, 0, key.data(), key.size(),
                             FrameSize{4096, 4096}, FRAME_KEY),
              0u);
    EXPECT_EQ(dv.DecodeFrame(PROTOCOL_CUFRAME_MPEG4, 0, key.data(), key.size(),
                             FrameSize{1921, 1080}, FRAME_KEY),
              0u);
    EXPECT_EQ(dv.DecodeFrame(PROTOCOL_CFRAME_H264, 0, key.data(), key.size(),
                             FrameSize{-352, 240}, FRAME_KEY),
              0u);

    // One byte over the largest payload; exactly the largest is taken.
    std::vector<uint8_t> big(key);
    big.resize(CDecodeVideo::MAX_PAYLOAD + 1, 0);
    EXPECT_EQ(dv.DecodeFrame(PROTOCOL_CFRAME_H264, 0, big.data(), big.size(), SizeOf(clip),
                             FRAME_KEY),
              0u);
    // None of those counted as the slot's first key frame.
    EXPECT_EQ(Decode(dv, 0, clip, 1), 0u);

    big.resize(CDecodeVideo::MAX_PAYLOAD);
    EXPECT_GT(dv.DecodeFrame(PROTOCOL_CFRAME_H264, 0, big.data(), big.size(), SizeOf(clip),
                             FRAME_KEY),
              0u);
    EXPECT_GT(Decode(dv, 0, clip, 1), 0u);

    // Audio never makes a picture, not even after a key frame.
    EXPECT_EQ(dv.DecodeFrame(PROTOCOL_CFRAME_H264, 0, clip.units[2].data.data(),
                             clip.units[2].data.size(), SizeOf(clip), FRAME_AUDIO),
              0u);
}

TEST_F(DecodeVideoTest, H264PictureTakesTheDecodedSizeNotTheHeaderSize)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "d1");
    const auto& key = clip.units[0].data;
    ASSERT_EQ(dv.DecodeFrame(PROTOCOL_CFRAME_H264, 0, key.data(), key.size(),
                             FrameSize{352, 240}, FRAME_KEY),
              size_t(704) * 480 * 3);
    const QImage image = dv.GetDecodedImage(0);
    EXPECT_EQ(image.width(), 704);
    EXPECT_EQ(image.height(), 480);
}

TEST_F(DecodeVideoTest, PicturesStillHeldAreNeverOverwritten)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    const auto reference = videotest::DecodeWithLibavcodec(clip, AV_PIX_FMT_RGB24);

    ASSERT_GT(Decode(dv, 0, clip, 0), 0u);
    const QImage held = dv.GetDecodedImage(0);
    const std::vector<uint8_t> snapshot = Pixels(held);
    for (size_t i = 1; i < 20; ++i)
        ASSERT_GT(Decode(dv, 0, clip, i), 0u);
    EXPECT_EQ(Pixels(held), snapshot);
    EXPECT_NE(dv.GetDecodedRGB(0), held.constBits());

    // Hold every picture of the slot: decoding goes on but shows nothing new.
    std::vector<QImage> shown{held};
    for (size_t i = 20; shown.size() < size_t(CDecodeVideo::PICTURES_PER_SLOT); ++i) {
        ASSERT_GT(Decode(dv, 0, clip, i), 0u);
        shown.push_back(dv.GetDecodedImage(0));
    }
    const size_t next = 20 + shown.size() - 1;
    for (size_t i = next; i < next + 5; ++i)
        EXPECT_EQ(Decode(dv, 0, clip, i), 0u) << i;
    EXPECT_EQ(Pixels(shown[0]), snapshot);

    // Once the display lets go, pictures come back and they are right: the frames decoded
    // without a free picture still fed the decoder.
    shown.clear();
    ASSERT_GT(Decode(dv, 0, clip, next + 5), 0u);
    EXPECT_TRUE(SamePixels(dv.GetDecodedImage(0), reference[next + 5]));
}

TEST_F(DecodeVideoTest, OldProtocolH264KeyFramesGetParameterSetsInFront)
{
    std::vector<unsigned char> frame(100, 0xAB);
    std::vector<unsigned char> out(SEQH_MAX_LENGTH + frame.size());
    ASSERT_EQ(MakeDecodeFrame(frame.data(), frame.size(), 352, 288, out.data()), 121u);
    const unsigned char sps352x288[] = {0x00, 0x00, 0x00, 0x01, 0x67, 0x42, 0x00,
                                        0x1E, 0x9A, 0x74, 0x0B, 0x04, 0xB2};
    EXPECT_EQ(std::memcmp(out.data(), sps352x288, sizeof sps352x288), 0);
    EXPECT_EQ(out[21], 0xAB);

    ASSERT_EQ(MakeDecodeFrame(frame.data(), frame.size(), 704, 480, out.data()), 122u);
    EXPECT_EQ(out[11], 0x81);
    EXPECT_EQ(out[12], 0xEC);
    EXPECT_EQ(out[22], 0xAB);

    ASSERT_EQ(MakeDecodeFrame(frame.data(), frame.size(), 640, 480, out.data()), 100u);
    EXPECT_EQ(out[0], 0xAB);

    // The clip's own parameter sets follow the fixed ones and win; delta frames go as they are.
    const Clip clip = testmedia::LoadClip(Codec::H264, "d1");
    const auto reference = videotest::DecodeWithLibavcodec(clip, AV_PIX_FMT_RGB24);
    for (size_t i = 0; i < 5; ++i) {
        ASSERT_GT(Decode(dv, 2, clip, i, PROTOCOL_CUFRAME_H264), 0u);
        EXPECT_TRUE(SamePixels(dv.GetDecodedImage(2), reference[i])) << i;
    }
}

TEST_F(DecodeVideoTest, OutputFormatFollowsTheOptions)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    const auto rgb = videotest::DecodeWithLibavcodec(clip, AV_PIX_FMT_RGB24);
    const auto bgr = videotest::DecodeWithLibavcodec(clip, AV_PIX_FMT_BGR24);

    dv.SetPixelFormat(AV_PIX_FMT_BGR24);
    ASSERT_GT(Decode(dv, 0, clip, 0), 0u);
    EXPECT_EQ(dv.GetDecodedImage(0).format(), QImage::Format_BGR888);
    EXPECT_TRUE(SamePixels(dv.GetDecodedImage(0), bgr[0]));

    // A layout no picture can be shown in is not taken, and the slot goes on decoding.
    dv.SetPixelFormat(AV_PIX_FMT_YUYV422);
    ASSERT_GT(Decode(dv, 0, clip, 1), 0u);
    EXPECT_EQ(dv.GetDecodedImage(0).format(), QImage::Format_BGR888);
    EXPECT_TRUE(SamePixels(dv.GetDecodedImage(0), bgr[1]));

    // Either rendering mode gives RGB24 from the next key frame on.
    dv.changeOpenglOption(false);
    ASSERT_GT(Decode(dv, 0, clip, 30), 0u);
    EXPECT_EQ(dv.GetDecodedImage(0).format(), QImage::Format_RGB888);
    EXPECT_TRUE(SamePixels(dv.GetDecodedImage(0), rgb[30]));
}

TEST(DecodeVideoFront, UninitialisedOrOutOfRangeSlotsDecodeNothing)
{
    const Clip clip = testmedia::LoadClip(Codec::H264, "cif");
    CDecodeVideo dv;
    EXPECT_FALSE(dv.IsInit());
    EXPECT_EQ(Decode(dv, 0, clip, 0), 0u);
    dv.Init(2);
    dv.Init(8);  // already initialised: keeps two slots
    EXPECT_EQ(dv.GetSlotCount(), 2);
    EXPECT_EQ(Decode(dv, 2, clip, 0), 0u);
    EXPECT_EQ(Decode(dv, -1, clip, 0), 0u);
    dv.changeOpenglOption(true);
    EXPECT_GT(Decode(dv, 1, clip, 0), 0u);

    // A picture outlives the front that made it.
    const QImage kept = dv.GetDecodedImage(1);
    dv.Deinit();
    EXPECT_FALSE(dv.IsInit());
    EXPECT_TRUE(dv.GetDecodedImage(1).isNull());
    EXPECT_TRUE(SamePixels(kept, videotest::DecodeWithLibavcodec(clip, AV_PIX_FMT_RGB24)[0]));
}
