#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include <xvid.h>

#include "Common/DecodeVideo.h"
#include "Common/XvidCodec.h"
#include "support/TestMedia.h"
#include "video_reference.h"

using testmedia::AccessUnit;
using testmedia::Clip;
using testmedia::Codec;

namespace {

size_t DecodeUnit(CDecodeVideo& dv, int slot, const AccessUnit& unit, FrameSize size)
{
    return dv.DecodeFrame(PROTOCOL_CUFRAME_MPEG4, slot, unit.data.data(), unit.data.size(), size,
                          unit.key ? FRAME_KEY : FRAME_DELTA);
}

bool SameAs(const QImage& image, const videotest::Picture& expected)
{
    const size_t bytes = size_t(image.width()) * 4 * size_t(image.height());
    return image.bytesPerLine() == image.width() * 4 && expected.size() == bytes &&
           std::memcmp(image.constBits(), expected.data(), bytes) == 0;
}

// What a plain xvidcore decoder makes of a header: {width, height} of a VOL, else {0, 0}.
FrameSize ReadVol(const unsigned char* header)
{
    xvid_gbl_init_t init;
    std::memset(&init, 0, sizeof init);
    init.version = XVID_VERSION;
    xvid_global(nullptr, XVID_GBL_INIT, &init, nullptr);
    xvid_dec_create_t create;
    std::memset(&create, 0, sizeof create);
    create.version = XVID_VERSION;
    xvid_decore(nullptr, XVID_DEC_CREATE, &create, nullptr);

    unsigned char padded[CXvidCodec::HEADER_SIZE + 64] = {};
    std::memcpy(padded, header, CXvidCodec::HEADER_SIZE);
    xvid_dec_frame_t frame;
    std::memset(&frame, 0, sizeof frame);
    frame.version = XVID_VERSION;
    frame.bitstream = padded;
    frame.length = CXvidCodec::HEADER_SIZE;
    frame.output.csp = XVID_CSP_NULL;
    xvid_dec_stats_t stats;
    std::memset(&stats, 0, sizeof stats);
    stats.version = XVID_VERSION;
    xvid_decore(create.handle, XVID_DEC_DECODE, &frame, &stats);
    xvid_decore(create.handle, XVID_DEC_DESTROY, nullptr, nullptr);
    if (stats.type != XVID_TYPE_VOL)
        return FrameSize();
    return FrameSize{stats.data.vol.width, stats.data.vol.height};
}

}  // namespace

TEST(XvidHeader, PatchedWithThePictureSize)
{
    struct Case {
        int width, height;
        bool interlaced;
        unsigned char bytes[5];
    };
    const Case cases[] = {
        {704, 240, false, {0x0A, 0x2C, 0x08, 0x3C, 0x28}},  // the template's own bytes
        {704, 480, true, {0x0A, 0x2C, 0x08, 0x78, 0x38}},
        {352, 288, false, {0x0A, 0x16, 0x08, 0x48, 0x28}},
        {704, 576, true, {0x0A, 0x2C, 0x08, 0x90, 0x38}},
    };
    for (const Case& c : cases) {
        unsigned char header[CXvidCodec::HEADER_SIZE];
        CXvidCodec::MakeMP4SeqHdr(c.width, c.height, c.interlaced, header);
        EXPECT_EQ(std::memcmp(header + 23, c.bytes, 5), 0) << c.width << "x" << c.height;
        const unsigned char start[] = {0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x20};
        EXPECT_EQ(std::memcmp(header, start, sizeof start), 0);
        EXPECT_EQ(header[29], 0x1F);

        const FrameSize read = ReadVol(header);
        EXPECT_EQ(read.width, c.width);
        EXPECT_EQ(read.height, c.height);
    }
}

TEST(XvidDecoding, StreamsWithoutVolDecodeThroughTheFixedHeader)
{
    for (const char* name : {"cif", "d1"}) {
        const Clip clip = testmedia::LoadClip(Codec::Mpeg4, name);
        const auto encoded = videotest::DvrStyleMpeg4(clip);
        ASSERT_EQ(encoded.size(), clip.units.size());
        const auto reference = videotest::DecodeWithXvid(encoded, clip.width, clip.height);
        ASSERT_EQ(reference.size(), encoded.size());
        const auto dvr = videotest::WithoutHeaders(encoded);
        ASSERT_LT(dvr[0].data.size(), encoded[0].data.size());

        CDecodeVideo dv;
        dv.Init(2);
        for (size_t i = 0; i < dvr.size(); ++i) {
            ASSERT_EQ(DecodeUnit(dv, 1, dvr[i], FrameSize{clip.width, clip.height}),
                      size_t(clip.width) * clip.height * 4)
                << name << " " << i;
            ASSERT_TRUE(SameAs(dv.GetDecodedImage(1), reference[i])) << name << " " << i;
        }
    }
}

TEST(XvidDecoding, APictureOfAnotherSizeThanTheStreamIsNeverWritten)
{
    // The clip's own VOL says 704 x 480; the frame headers claim 352 x 240.
    const Clip clip = testmedia::LoadClip(Codec::Mpeg4, "d1");
    CDecodeVideo dv;
    dv.Init(1);
    for (size_t i = 0; i < 10; ++i)
        EXPECT_EQ(DecodeUnit(dv, 0, clip.units[i], FrameSize{352, 240}), 0u) << i;
    EXPECT_TRUE(dv.GetDecodedImage(0).isNull());

    // The slot decoder directly: once its stream is 352 x 240, a frame claiming another
    // size leaves the buffer alone until the slot is told to start over.
    const Clip cif = testmedia::LoadClip(Codec::Mpeg4, "cif");
    const auto dvr = videotest::WithoutHeaders(videotest::DvrStyleMpeg4(cif));
    CXvidCodec xvid;
    xvid.init(1);
    std::vector<unsigned char> out(CXvidCodec::OutputBytes(704, 480), 0xEE);
    EXPECT_EQ(xvid.decodeFrame(0, 352, 240, dvr[0].data.data(), out.data(), dvr[0].data.size()),
              352 * 240 * 4);
    EXPECT_EQ(xvid.GetStreamSize(0).width, 352);
    std::fill(out.begin(), out.end(), 0xEE);
    EXPECT_EQ(xvid.decodeFrame(0, 704, 480, dvr[1].data.data(), out.data(), dvr[1].data.size()),
              0);
    EXPECT_EQ(std::count(out.begin(), out.end(), 0xEE), long(out.size()));

    xvid.reset(0);
    xvid.decodeFrame(0, 704, 480, dvr[30].data.data(), out.data(), dvr[30].data.size());
    EXPECT_EQ(xvid.GetStreamSize(0).width, 704);
    EXPECT_EQ(xvid.GetStreamSize(0).height, 480);
}

TEST(XvidDecoding, AFrameDecodedWithoutOutputKeepsTheStreamGoing)
{
    const Clip clip = testmedia::LoadClip(Codec::Mpeg4, "cif");
    const auto dvr = videotest::WithoutHeaders(videotest::DvrStyleMpeg4(clip));
    const auto reference = videotest::DecodeWithXvid(videotest::DvrStyleMpeg4(clip), 352, 240);
    CXvidCodec xvid;
    xvid.init(2);
    std::vector<unsigned char> out(CXvidCodec::OutputBytes(352, 240));
    EXPECT_EQ(xvid.decodeFrame(1, 352, 240, dvr[0].data.data(), nullptr, dvr[0].data.size()), 0);
    ASSERT_EQ(xvid.decodeFrame(1, 352, 240, dvr[1].data.data(), out.data(), dvr[1].data.size()),
              352 * 240 * 4);
    EXPECT_EQ(std::memcmp(out.data(), reference[1].data(), reference[1].size()), 0);
    // Slot 0 never saw a header or a frame.
    EXPECT_EQ(xvid.GetStreamSize(0).width, 0);
    EXPECT_EQ(xvid.decodeFrame(1, 352, 240, nullptr, out.data(), 10), 0);
}

TEST(XvidDecoding, ASizeChangeOnOneSlotLeavesTheOthersDecoding)
{
    // Clips with their own VOL in every key frame: feeding another slot the fixed header
    // in the middle of a sequence would break its following frames.
    const Clip cif = testmedia::LoadClip(Codec::Mpeg4, "cif");
    const Clip d1 = testmedia::LoadClip(Codec::Mpeg4, "d1");
    const auto reference = videotest::DecodeWithXvid(cif.units, 352, 240);
    CDecodeVideo dv;
    dv.Init(2);
    for (size_t i = 0; i < 5; ++i)
        ASSERT_GT(DecodeUnit(dv, 0, cif.units[i], FrameSize{352, 240}), 0u);
    ASSERT_GT(DecodeUnit(dv, 1, d1.units[0], FrameSize{704, 480}), 0u);
    ASSERT_GT(DecodeUnit(dv, 1, cif.units[0], FrameSize{352, 240}), 0u);
    for (size_t i = 5; i < 30; ++i) {
        ASSERT_GT(DecodeUnit(dv, 0, cif.units[i], FrameSize{352, 240}), 0u);
        EXPECT_TRUE(SameAs(dv.GetDecodedImage(0), reference[i])) << i;
    }
}

TEST(XvidDecoding, ASlotMovesBetweenStreamKinds)
{
    const Clip mpeg4 = testmedia::LoadClip(Codec::Mpeg4, "cif");
    const Clip h264 = testmedia::LoadClip(Codec::H264, "cif");
    const auto reference = videotest::DecodeWithXvid(mpeg4.units, 352, 240);
    const FrameSize cif{352, 240};
    CDecodeVideo dv;
    dv.Init(1);
    for (size_t i = 0; i < 3; ++i)
        ASSERT_GT(DecodeUnit(dv, 0, mpeg4.units[i], cif), 0u);

    // Another DVR in the same cell.
    const auto& key = h264.units[0].data;
    ASSERT_GT(dv.DecodeFrame(PROTOCOL_CFRAME_H264, 0, key.data(), key.size(), cif, FRAME_KEY), 0u);
    EXPECT_EQ(dv.GetDecodedImage(0).format(), QImage::Format_RGB888);

    // And back: a fresh MPEG-4 decoder, fed its header again.
    for (size_t i = 0; i < 5; ++i) {
        ASSERT_GT(DecodeUnit(dv, 0, mpeg4.units[i], cif), 0u) << i;
        EXPECT_TRUE(SameAs(dv.GetDecodedImage(0), reference[i])) << i;
    }
}
