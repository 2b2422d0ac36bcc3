#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include <xvid.h>

#include "Common/DecodeVideo.h"
#include "libav_reference.h"
#include "support/TestMedia.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

using testmedia::AccessUnit;
using testmedia::Clip;
using testmedia::Codec;

namespace {
using Picture = std::vector<uint8_t>;
const FrameSize kCif{352, 240};
// An independent decode: one picture per unit that produced one, rows without padding.
std::vector<Picture> DecodeWithLibavcodec(const Clip& clip, AVPixelFormat fmt)
{
    std::vector<Picture> out;
    SwsContext* sws = nullptr;
    EachLibavcodecPicture(clip, [&](const AVFrame* frame) {
        const auto from = static_cast<AVPixelFormat>(frame->format);
        sws = sws_getCachedContext(sws, frame->width, frame->height, from, frame->width, frame->height, fmt,
                                   SWS_FAST_BILINEAR, nullptr, nullptr, nullptr);
        Picture p(av_image_get_buffer_size(fmt, frame->width, frame->height, 1));
        uint8_t* planes[4];
        int strides[4];
        av_image_fill_arrays(planes, strides, p.data(), fmt, frame->width, frame->height, 1);
        sws_scale(sws, frame->data, frame->linesize, 0, frame->height, planes, strides);
        out.push_back(std::move(p));
    });
    sws_freeContext(sws);
    return out;
}

// Re-encoded with the fixed VOL header's parameters.
std::vector<AccessUnit> DvrStyleMpeg4(const Clip& clip, bool interlaced)
{
    xvid_gbl_init_t init{};
    init.version = XVID_VERSION;
    xvid_global(nullptr, XVID_GBL_INIT, &init, nullptr);
    xvid_enc_create_t create{};
    create.version = XVID_VERSION;
    create.width = clip.width;
    create.height = clip.height;
    create.fincr = 1001;
    create.fbase = 30000;
    xvid_encore(nullptr, XVID_ENC_CREATE, &create, nullptr);
    std::vector<Picture> yuv = DecodeWithLibavcodec(clip, AV_PIX_FMT_YUV420P);
    std::vector<uint8_t> bits(1 << 20);
    std::vector<AccessUnit> out;
    for (size_t i = 0; i < yuv.size(); ++i) {
        xvid_enc_frame_t frame{};
        frame.version = XVID_VERSION;
        frame.vol_flags = XVID_VOL_MPEGQUANT | (interlaced ? XVID_VOL_INTERLACING : 0);
        frame.vop_flags = XVID_VOP_HALFPEL | XVID_VOP_INTER4V;
        frame.input.csp = XVID_CSP_I420;
        frame.input.plane[0] = yuv[i].data();
        frame.input.stride[0] = clip.width;
        frame.type = clip.units[i].key ? XVID_TYPE_IVOP : XVID_TYPE_PVOP;
        frame.quant = 4;
        frame.bitstream = bits.data();
        frame.length = static_cast<int>(bits.size());
        const int n = xvid_encore(create.handle, XVID_ENC_ENCODE, &frame, nullptr);
        if (n > 0)
            out.push_back({Picture(bits.begin(), bits.begin() + n), (frame.out_flags & XVID_KEYFRAME) != 0});
    }
    xvid_encore(create.handle, XVID_ENC_DESTROY, nullptr, nullptr);
    return out;
}

size_t Decode(CDecodeVideo& dv, int slot, const AccessUnit& unit, FrameSize size,
              ProtocolType type = PROTOCOL_CFRAME_H264)
{
    return dv.DecodeFrame(type, slot, unit.data.data(), unit.data.size(), size, unit.key ? FRAME_KEY : FRAME_DELTA);
}

// The test pictures' rows need no padding.
Picture Pixels(const QImage& image) { return Picture(image.constBits(), image.constBits() + image.sizeInBytes()); }

class DecodeVideoTest : public ::testing::Test {
protected:
    void SetUp() override { dv.Init(4); dv.changeOpenglOption(true); }
    size_t DecodeCif(int slot, size_t i) { return Decode(dv, slot, cif.units[i], kCif); }
    CDecodeVideo dv;
    const Clip cif = testmedia::LoadClip(Codec::H264, "cif");
    const std::vector<Picture> cifRgb = DecodeWithLibavcodec(cif, AV_PIX_FMT_RGB24);
};
}  // namespace

TEST_F(DecodeVideoTest, EveryClipDecodesToItsSizeAndFormatInBothProtocols)
{
    // Old-protocol key frames get fixed parameter sets in front; the clip's own follow and win.
    std::vector<unsigned char> frame(100, 0xAB), out(SEQH_MAX_LENGTH + frame.size());
    ASSERT_EQ(MakeDecodeFrame(frame.data(), frame.size(), 352, 288, out.data()), 121u);
    const unsigned char sps352x288[] = {0x00, 0x00, 0x00, 0x01, 0x67, 0x42, 0x00, 0x1E, 0x9A, 0x74, 0x0B, 0x04, 0xB2};
    EXPECT_EQ(std::memcmp(out.data(), sps352x288, sizeof sps352x288), 0);
    for (Codec codec : {Codec::H264, Codec::Mpeg4}) {
        for (const char* name : {"d1", "cif"}) {
            const Clip clip = testmedia::LoadClip(codec, name);
            const bool h264 = codec == Codec::H264;
            // xvidcore and libavcodec's MPEG-4 decoder differ slightly; swapped colour
            // channels would still be far off on the colour bars.
            const auto reference = DecodeWithLibavcodec(clip, h264 ? AV_PIX_FMT_RGB24 : AV_PIX_FMT_BGRA);
            ASSERT_EQ(reference.size(), clip.units.size());
            const FrameSize size{clip.width, clip.height};
            for (size_t i = 0; i < clip.units.size(); ++i) {
                SCOPED_TRACE(testing::Message() << name << " " << i);
                const size_t n = Decode(dv, h264 ? 0 : 1, clip.units[i], size, h264 ? PROTOCOL_CFRAME_H264 : PROTOCOL_CUFRAME_MPEG4);
                const QImage image = dv.GetDecodedImage(h264 ? 0 : 1);
                ASSERT_EQ(n, size_t(clip.width) * clip.height * (h264 ? 3 : 4));
                ASSERT_EQ(image.size(), QSize(clip.width, clip.height));
                EXPECT_EQ(image.format(), h264 ? QImage::Format_RGB888 : QImage::Format_RGB32);
                const Picture got = Pixels(image);
                long diff = 0;
                for (size_t b = 0; b < got.size(); ++b)
                    diff += (h264 || b % 4 != 3) ? std::abs(got[b] - reference[i][b]) : 0;
                EXPECT_LE(diff, h264 ? 0 : long(got.size()) * 2);  // H.264 byte for byte
                if (h264) {
                    ASSERT_GT(Decode(dv, 2, clip.units[i], size, PROTOCOL_CUFRAME_H264), 0u);
                    EXPECT_EQ(Pixels(dv.GetDecodedImage(2)), reference[i]);
                }
            }
        }
    }
}

TEST_F(DecodeVideoTest, FramesThatCannotFitAreRefusedAndHeldPicturesNeverOverwritten)
{
    const AccessUnit& key = cif.units[0];
    EXPECT_EQ(Decode(dv, 0, key, FrameSize{4096, 4096}) + Decode(dv, 0, key, FrameSize{-352, 240}), 0u);
    EXPECT_EQ(Decode(dv, 0, key, FrameSize{1921, 1080}, PROTOCOL_CUFRAME_MPEG4), 0u);
    EXPECT_EQ(DecodeCif(4, 0) + DecodeCif(-1, 0), 0u);
    AccessUnit big = key;  // one byte over the largest payload
    big.data.resize(CDecodeVideo::MAX_PAYLOAD + 1, 0);
    EXPECT_EQ(Decode(dv, 0, big, kCif), 0u);
    EXPECT_EQ(DecodeCif(0, 1), 0u);  // none of those was the slot's first key frame
    // The picture takes the decoded size, not the header's.
    const Clip d1 = testmedia::LoadClip(Codec::H264, "d1");
    ASSERT_EQ(Decode(dv, 3, d1.units[0], kCif), size_t(704) * 480 * 3);
    EXPECT_EQ(dv.GetDecodedImage(3).size(), QSize(704, 480));
    // Pictures the display holds are not written; the frames decoded meanwhile still feed
    // the decoder, and pictures outlive the front.
    std::vector<QImage> shown;
    size_t i = 0;
    for (; shown.size() < size_t(CDecodeVideo::PICTURES_PER_SLOT); ++i) {
        ASSERT_GT(DecodeCif(0, i), 0u);
        shown.push_back(dv.GetDecodedImage(0));
    }
    for (const size_t end = i + 5; i < end; ++i)
        EXPECT_EQ(DecodeCif(0, i), 0u) << i;
    for (size_t k = 0; k < shown.size(); ++k)
        EXPECT_EQ(Pixels(shown[k]), cifRgb[k]) << k;
    shown.erase(shown.begin() + 1, shown.end());
    ASSERT_GT(DecodeCif(0, i), 0u);
    EXPECT_EQ(Pixels(dv.GetDecodedImage(0)), cifRgb[i]);
    dv.AllRestart();  // the next delta frame waits for a key frame again
    EXPECT_EQ(DecodeCif(0, i + 1), 0u);
    dv.Deinit();
    EXPECT_TRUE(dv.GetDecodedImage(0).isNull());
    EXPECT_EQ(Pixels(shown[0]), cifRgb[0]);
}

TEST_F(DecodeVideoTest, SizesInsideTheStreamThatCannotBeShownAreRefusedBeforeTheirPicturesAreMade)
{
    // A baseline SPS for 16000 x 16000, its PPS and an IDR slice: decoded, gigabytes.
    const AccessUnit huge{{0x00, 0x00, 0x00, 0x01, 0x67, 0x42, 0xC0, 0x1E, 0xDA, 0x00, 0x3E, 0x80, 0x07, 0xD1, 0x90, 0x00,
                           0x00, 0x00, 0x01, 0x68, 0xCE, 0x3C, 0x80, 0x00, 0x00, 0x00, 0x01, 0x65, 0x88, 0x84, 0xA4, 0x01},
                          true};
    // A VOL for 8176 x 8176 in front of the first VOP of the CIF clip.
    const Clip m4v = testmedia::LoadClip(Codec::Mpeg4, "cif");
    AccessUnit bigVol{std::vector<uint8_t>(CXvidCodec::HEADER_SIZE), true};
    CXvidCodec::MakeMP4SeqHdr(8176, 8176, false, bigVol.data.data());
    const std::vector<uint8_t> vop = testmedia::WithoutMpeg4Headers(m4v.units)[0].data;
    bigVol.data.insert(bigVol.data.end(), vop.begin(), vop.end());
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    EXPECT_EQ(Decode(dv, 0, huge, kCif) + Decode(dv, 1, bigVol, kCif, PROTOCOL_CUFRAME_MPEG4), 0u);
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 256 * 1024);
    // The slots go on with the streams' own sizes.
    ASSERT_GT(DecodeCif(0, 0), 0u);
    EXPECT_EQ(Pixels(dv.GetDecodedImage(0)), cifRgb[0]);
    EXPECT_EQ(Decode(dv, 1, m4v.units[0], kCif, PROTOCOL_CUFRAME_MPEG4), size_t(352) * 240 * 4);
}

TEST(XvidDecoding, FixedHeaderPatchedForTheSizeDecodesStreamsWithoutVol)
{
    // The stream's own header on one slot, the fixed one on the other: the same pictures.
    // A frame header claiming another size than the stream is never written.
    for (const char* name : {"cif", "d1"}) {
        const Clip clip = testmedia::LoadClip(Codec::Mpeg4, name);
        const auto encoded = DvrStyleMpeg4(clip, clip.height >= 480);
        const auto dvr = testmedia::WithoutMpeg4Headers(encoded);
        CDecodeVideo dv;
        dv.Init(3);
        const ProtocolType m4 = PROTOCOL_CUFRAME_MPEG4;
        for (size_t i = 0; i < dvr.size(); ++i) {
            const FrameSize size{clip.width, clip.height}, other{clip.width / 2, clip.height / 2};
            ASSERT_GT(Decode(dv, 0, encoded[i], size, m4) * Decode(dv, 1, dvr[i], size, m4), 0u) << name << i;
            ASSERT_EQ(Pixels(dv.GetDecodedImage(1)), Pixels(dv.GetDecodedImage(0))) << name << " " << i;
            EXPECT_EQ(Decode(dv, 2, clip.units[i], other, m4), 0u) << name << " " << i;
        }
    }
}

TEST(XvidDecoding, ProgressiveD1BehindTheInterlacedFixedHeaderIsReadOnlyInsideItsFrames)
{
    // Misread behind the wrong header, its frames make xvidcore count bytes far past them.
    const Clip clip = testmedia::LoadClip(Codec::Mpeg4, "d1");
    const auto dvr = testmedia::WithoutMpeg4Headers(DvrStyleMpeg4(clip, false));
    CDecodeVideo dv;
    dv.Init(1);
    const FrameSize d1{clip.width, clip.height};
    for (const AccessUnit& unit : dvr)
        Decode(dv, 0, unit, d1, PROTOCOL_CUFRAME_MPEG4);
    // The slot still decodes a stream that matches its header.
    const auto matching = testmedia::WithoutMpeg4Headers(DvrStyleMpeg4(clip, true));
    dv.RestartIPicture(0);
    EXPECT_EQ(Decode(dv, 0, matching[0], d1, PROTOCOL_CUFRAME_MPEG4), size_t(d1.width) * d1.height * 4);
}
