// Pictures a slot makes at the size its cell shows them: one conversion and scaling pass on
// the decoding thread, and a pool that keeps only the pictures in flight.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "Common/DecodeVideo.h"
#include "libav_reference.h"
#include "support/TestMedia.h"

extern "C" {
#include <libswscale/swscale.h>
}

using testmedia::AccessUnit;
using testmedia::Clip;
using testmedia::Codec;

namespace {

const QSize kCell(90, 65);

size_t Decode(CDecodeVideo& dv, int slot, const Clip& clip, size_t i)
{
    const AccessUnit& unit = clip.units[i];
    const ProtocolType type = clip.codec == Codec::H264 ? PROTOCOL_CFRAME_H264 : PROTOCOL_CUFRAME_MPEG4;
    return dv.DecodeFrame(type, slot, unit.data.data(), unit.data.size(), FrameSize{clip.width, clip.height},
                          unit.key ? FRAME_KEY : FRAME_DELTA);
}

// Each picture of the clip decoded by libavcodec and scaled by libswscale on its own, as
// 32-bit pixels in QImage::Format_RGB32 order.
std::vector<QImage> ScaledWithLibraries(const Clip& clip, const QSize& size, int flags)
{
    std::vector<QImage> out;
    SwsContext* sws = nullptr;
    EachLibavcodecPicture(clip, [&](const AVFrame* frame) {
        sws = sws_getCachedContext(sws, frame->width, frame->height, AVPixelFormat(frame->format), size.width(),
                                   size.height(), AV_PIX_FMT_BGRA, flags, nullptr, nullptr, nullptr);
        QImage image(size, QImage::Format_RGB32);
        uint8_t* planes[4] = {image.bits()};
        int strides[4] = {int(image.bytesPerLine())};
        sws_scale(sws, frame->data, frame->linesize, 0, frame->height, planes, strides);
        out.push_back(image);
    });
    sws_freeContext(sws);
    return out;
}

// Sum of the differences of the colour bytes (the fourth byte of each pixel left out).
long Difference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    long diff = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* p = a.constScanLine(y);
        const uchar* q = b.constScanLine(y);
        for (int x = 0; x < a.width() * 4; ++x)
            diff += x % 4 == 3 ? 0 : std::abs(p[x] - q[x]);
    }
    return diff;
}

class ScaledSlots : public ::testing::Test {
protected:
    void SetUp() override
    {
        dv.Init(4);
        dv.SetPixelFormat(AV_PIX_FMT_BGRA);
    }
    // Each frame of the clip decoded into the slot, against the libraries' picture at the
    // slot's size; -1 for a picture of another size or format, or none.
    std::vector<long> DifferencesFromLibraries(int slot, const Clip& clip)
    {
        const std::vector<QImage> reference = ScaledWithLibraries(clip, kCell, SWS_BILINEAR);
        std::vector<long> diffs;
        for (size_t i = 0; i < clip.units.size() && i < reference.size(); ++i) {
            const bool made = Decode(dv, slot, clip, i) > 0;
            const QImage image = dv.GetDecodedImage(slot);
            diffs.push_back(made && image.format() == QImage::Format_RGB32 ? Difference(image, reference[i]) : -1);
        }
        return diffs;
    }
    CDecodeVideo dv;
    const Clip cif = testmedia::LoadClip(Codec::H264, "cif");
};

}  // namespace

TEST_F(ScaledSlots, H264PicturesComeAtTheCellsSizeAsOnePassOfTheLibrariesMakesThem)
{
    dv.SetOutputSize(0, kCell);
    const std::vector<long> diffs = DifferencesFromLibraries(0, cif);
    ASSERT_EQ(diffs.size(), cif.units.size());
    for (size_t i = 0; i < diffs.size(); ++i)
        EXPECT_EQ(diffs[i], 0) << i;
}

TEST_F(ScaledSlots, Mpeg4PicturesComeAtTheCellsSizeCloseToLibavcodecs)
{
    const Clip m4v = testmedia::LoadClip(Codec::Mpeg4, "cif");
    dv.SetOutputSize(1, kCell);
    const std::vector<long> diffs = DifferencesFromLibraries(1, m4v);
    ASSERT_EQ(diffs.size(), m4v.units.size());
    // xvidcore and libavcodec's MPEG-4 decoder differ slightly; a picture from the wrong
    // planes or with swapped colours would be far off on the colour bars.
    for (size_t i = 0; i < diffs.size(); ++i) {
        EXPECT_GE(diffs[i], 0) << i;
        EXPECT_LE(diffs[i], long(kCell.width()) * kCell.height() * 3 * 2) << i;
    }
}

TEST_F(ScaledSlots, ANewCellSizeTakesEffectAtTheNextFrame)
{
    dv.SetOutputSize(0, kCell);
    ASSERT_GT(Decode(dv, 0, cif, 0), 0u);
    dv.SetOutputSize(0, QSize(176, 120));
    ASSERT_GT(Decode(dv, 0, cif, 1), 0u);
    EXPECT_EQ(dv.GetDecodedImage(0).size(), QSize(176, 120));
}

TEST_F(ScaledSlots, AnEmptySizeKeepsTheStreamsOwnSize)
{
    dv.SetOutputSize(0, kCell);
    dv.SetOutputSize(0, QSize());
    ASSERT_GT(Decode(dv, 0, cif, 0), 0u);
    EXPECT_EQ(dv.GetDecodedImage(0).size(), QSize(cif.width, cif.height));
}

TEST_F(ScaledSlots, ASizeBeyondTheLargestPictureKeepsTheStreamsOwnSize)
{
    dv.SetOutputSize(0, QSize(4000, 3000));
    ASSERT_GT(Decode(dv, 0, cif, 0), 0u);
    EXPECT_EQ(dv.GetDecodedImage(0).size(), QSize(cif.width, cif.height));
}

TEST_F(ScaledSlots, SizesOfSlotsAreTheirOwn)
{
    dv.SetOutputSize(0, kCell);
    ASSERT_GT(Decode(dv, 0, cif, 0), 0u);
    ASSERT_GT(Decode(dv, 1, cif, 0), 0u);
    EXPECT_EQ(dv.GetDecodedImage(1).size(), QSize(cif.width, cif.height));
}

TEST_F(ScaledSlots, RowsOfScaledPicturesStartOnWholeBlocks)
{
    dv.SetOutputSize(0, kCell);
    ASSERT_GT(Decode(dv, 0, cif, 0), 0u);
    EXPECT_EQ(dv.GetDecodedImage(0).bytesPerLine() % 64, 0);
}

TEST_F(ScaledSlots, ThePoolShrinksToThePicturesInFlightOnceTheDisplayLetsGo)
{
    dv.SetOutputSize(0, kCell);
    // The display falls behind: every picture is still held.
    std::vector<QImage> held;
    size_t i = 0;
    for (; held.size() < size_t(CDecodeVideo::PICTURES_PER_SLOT); ++i) {
        ASSERT_GT(Decode(dv, 0, cif, i), 0u);
        held.push_back(dv.GetDecodedImage(0));
    }
    ASSERT_EQ(dv.GetPoolSize(0), CDecodeVideo::PICTURES_PER_SLOT);
    // It catches up and shows the newest picture only.
    held.clear();
    ASSERT_GT(Decode(dv, 0, cif, i++), 0u);
    const QImage shown = dv.GetDecodedImage(0);
    ASSERT_GT(Decode(dv, 0, cif, i), 0u);
    // The one shown and the new one, which took the free picture kept for it.
    EXPECT_EQ(dv.GetPoolSize(0), 2);
}

TEST_F(ScaledSlots, PicturesTheDisplayHoldsAreNotWrittenWhenTheSizeChanges)
{
    dv.SetOutputSize(0, kCell);
    ASSERT_GT(Decode(dv, 0, cif, 0), 0u);
    const QImage shown = dv.GetDecodedImage(0);
    const QImage copy = shown.copy();
    dv.SetOutputSize(0, QSize());
    ASSERT_GT(Decode(dv, 0, cif, 1), 0u);
    EXPECT_EQ(shown, copy);
    EXPECT_EQ(dv.GetDecodedImage(0).size(), QSize(cif.width, cif.height));
}
