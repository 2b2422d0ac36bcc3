#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <type_traits>
#include <vector>

#include "Common/Frame.h"

namespace {
struct Field {
    size_t offset;
    uint32_t value;
    int width;
};

// A header of the given fields over a fill pattern, so a field read at the wrong place shows.
template <typename Frame>
Frame Read(std::initializer_list<Field> fields, size_t size = Frame::HEADER_SIZE)
{
    constexpr bool bigEndian = std::is_same<Frame, CUFrame>::value;
    std::vector<unsigned char> b(size, bigEndian ? 0x5A : 0xA5);
    const unsigned char valid[] = {'U', 'M', 0, 0, 0, 80};  // code and header length
    if (bigEndian)
        std::copy_n(valid, std::min(size, sizeof valid), b.begin());
    for (const Field& f : fields)
        for (int i = 0; i < f.width && f.offset + i < size; ++i)
            b[f.offset + i] = static_cast<unsigned char>(f.value >> (8 * (bigEndian ? f.width - 1 - i : i)));
    Frame frame;
    frame.SetData(b.data(), static_cast<int>(b.size()));
    return frame;
}
}  // namespace

TEST(CFrameHeader, LittleEndianFieldsValidityAndShortBuffers)
{
    // Type bits 2-7 and reason bits 2-7 are not part of the fields.
    const CFrame f = Read<CFrame>({{0, 0xFD, 1}, {1, 16, 1}, {2, 0xFE, 1}, {4, 0x01020304, 4},
                                   {8, 704, 2}, {10, 480, 2}, {12, 1234567, 4}, {16, 890123, 4}});
    EXPECT_TRUE(f.GetType() == FRAME_DELTA && f.GetChannel() == 16 && f.GetRecReason() == RECORD_REASON_2);
    EXPECT_TRUE(f.GetRawDataSize() == 0x01020304u && f.GetDataOffset() == 36u);
    EXPECT_EQ(f.GetResolution().width * 1000 + f.GetResolution().height, 704480);
    EXPECT_TRUE(f.GetTime() == KTimeVal(1234567, 890123) && f.GetPTS() == 567890);
    EXPECT_TRUE(f.IsValid() && !Read<CFrame>({{1, 17, 1}}).IsValid());
    // Audio frames (type 3) carry four more header bytes.
    const CFrame audio = Read<CFrame>({{0, 7, 1}});
    EXPECT_TRUE(audio.GetType() == FRAME_AUDIO && audio.GetDataOffset() == 40u);
    // Seconds past 2038 stay in the future; the presentation time works on the signed value.
    const CFrame late = Read<CFrame>({{12, 0x80000000u, 4}, {16, 250000, 4}});
    EXPECT_TRUE(late.GetTime().sec == int64_t(2147483648LL) && late.GetPTS() == -648000 + 250);
    // A short buffer leaves a header as it was.
    EXPECT_EQ(Read<CFrame>({{1, 5, 1}}, 35).GetChannel(), 0);
}

TEST(CUFrameHeader, BigEndianUnalignedFieldsValidityAndCodeTables)
{
    const CUFrame f = Read<CUFrame>({
        {8, 0x1000, 4},               // frame total
        {12, 0x38, 1},                // motion, sensor, recording; resolution code 0
        {13, (5 << 3) | 0x06, 1},     // playback code 5, reason 2, bit 2 not part of either
        {14, 0x8001, 2},              // video loss
        {16, 21, 1},                  // model
        {17, 0xFF4ABCDEu, 4},         // code 1 (delta) in bits 22-23, size 0xABCDE
        {37, 0x87654321u, 4}, {41, 123456, 4}, {53, 0xFFFFFF0Bu, 4}, {57, 0xF00, 4}});
    ASSERT_TRUE(f.IsValid() && Read<CUFrame>({}).IsValid());
    EXPECT_TRUE(f.GetInfo() == 0x38 && f.GetRecReason() == RECORD_REASON_2 && f.GetPbMode() == PB_FORWARD_16X);
    EXPECT_TRUE(f.GetVideoLoss() == 0x8001 && f.GetModel() == 21);
    EXPECT_TRUE(f.GetType() == FRAME_DELTA && f.GetRawDataSize() == 0xABCDEu && f.GetChannel() == 11);
    EXPECT_TRUE(f.GetSize() == 0xF00u && f.GetDataOffset() == 80u + 0x1000u - 0xF00u);
    EXPECT_EQ(f.GetTime(), KTimeVal(int64_t(0x87654321LL), 123456));
    EXPECT_EQ(f.GetPTS(), -814877);  // as signed: -2023406815 s
    // Header length 81, 80 in the wrong byte order, "UN", a short buffer.
    for (const CUFrame& bad : {Read<CUFrame>({{2, 81, 4}}), Read<CUFrame>({{2, 80u << 8, 4}}),
                               Read<CUFrame>({{1, 'N', 1}}), Read<CUFrame>({}, 79)})
        EXPECT_FALSE(bad.IsValid());
    for (int model : {5, 6, 21, 22})
        EXPECT_EQ(Read<CUFrame>({{16, uint32_t(model), 1}}).IsValidModel(), model >= 6 && model <= 21) << model;
    // The resolution code in bits 1, 2 and 6, the frame type in bits 22-23; every other bit set.
    const FrameSize sizes[8] = {{704, 240}, {352, 240}, {704, 480}, {704, 576},
                                {704, 288}, {352, 288}, {704, 576}, {704, 576}};
    const FrameType types[4] = {FRAME_KEY, FRAME_DELTA, FRAME_KEY, FRAME_AUDIO};
    for (uint32_t code = 0; code < 8; ++code) {
        const CUFrame f = Read<CUFrame>({{12, ((code & 3) << 1) | ((code >> 2) << 6) | 0xB9, 1},
                                         {17, ((code & 3) << 22) | 0xFF3FFFFFu, 4}});
        EXPECT_EQ(f.GetResolution().width * 1000 + f.GetResolution().height,
                  sizes[code].width * 1000 + sizes[code].height) << code;
        EXPECT_TRUE(f.GetType() == types[code & 3] && f.GetRawDataSize() == 0xFFFFFu) << code;
    }
}

TEST(FrameFit, DataMustLieInsideThePayload)
{
    const struct { uint32_t type, size; size_t payload; bool fits; } cCases[] = {
        {0, 100, 136, true}, {0, 100, 135, false}, {3, 100, 140, true}, {3, 100, 139, false}, {3, 0, 39, false},
        // Sums that wrap in 32 bits; sizes compared in 64 bits on both sides.
        {0, 0xFFFFFFDCu, 36, false}, {0, 0xFFFFFFE0u, 4096, false},
        {0, 0xFFFFFFFFu, size_t(36) + 0xFFFFFFFFu, true}, {0, 0xFFFFFFFFu, size_t(35) + 0xFFFFFFFFu, false},
    };
    for (const auto& c : cCases)
        EXPECT_EQ(Read<CFrame>({{0, c.type, 1}, {4, c.size, 4}}).FitsIn(c.payload), c.fits)
            << c.type << " " << c.size << " in " << c.payload;
    const struct { uint32_t total, frameSize, rawSize; size_t payload; bool fits; } uCases[] = {
        {1000, 600, 600, 1080, true}, {1000, 600, 600, 1079, false},
        {0xFFFFFFFFu, 0, 0, 4096, false},        // offset past the payload
        {10, 100, 0, size_t(1) << 20, false},    // frame size larger than the frame
        {100, 150, 10, 4096, false},             // data inside the header
        {0xFFFFFFB0u, 0, 0xFFFFF, 4096, false},  // 80 + total wraps to 0 in 32 bits
        {200, 200, 201, 280, false}, {200, 200, 200, 280, true},
    };
    for (const auto& c : uCases)
        EXPECT_EQ(Read<CUFrame>({{8, c.total, 4}, {17, c.rawSize, 4}, {57, c.frameSize, 4}}).FitsIn(c.payload),
                  c.fits) << c.total << " " << c.frameSize << " " << c.rawSize;
}

TEST(FrameFacts, TheRecordReasonOfEitherHeaderIsRead)
{
    for (const int reason : {0, 1, 2, 3}) {
        std::vector<unsigned char> current(CFrame::HEADER_SIZE, 0), old(CUFrame::HEADER_SIZE, 0);
        current[2] = static_cast<unsigned char>(0xFC | reason);  // bits 2-7 are not the reason
        const unsigned char valid[] = {'U', 'M', 0, 0, 0, 80};
        std::copy(std::begin(valid), std::end(valid), old.begin());
        old[13] = static_cast<unsigned char>((9 << 3) | 0x04 | reason);
        FrameFacts c, o;
        ASSERT_TRUE(ReadFrameHeader(false, current.data(), current.size(), &c) &&
                    ReadFrameHeader(true, old.data(), old.size(), &o)) << reason;
        EXPECT_EQ(c.reason, reason) << reason;
        EXPECT_EQ(o.reason, reason) << reason;
    }
}

TEST(FrameCoding, EveryModelByteOfAnOldFrameNamesItsCoding)
{
    // The MPEG-4 DVRs of the old protocol; every other byte, known model or not, sends H.264.
    const std::array<bool, 256> mpeg4 = [] {
        std::array<bool, 256> t{};
        for (int model : {6, 7, 8, 9, 10, 11})
            t[size_t(model)] = true;
        return t;
    }();
    std::vector<unsigned char> b(CUFrame::HEADER_SIZE, 0);
    const unsigned char valid[] = {'U', 'M', 0, 0, 0, 80};
    std::copy(std::begin(valid), std::end(valid), b.begin());
    for (int model = 0; model < 256; ++model) {
        b[16] = static_cast<unsigned char>(model);
        FrameFacts f;
        ASSERT_TRUE(ReadFrameHeader(true, b.data(), b.size(), &f)) << model;
        EXPECT_EQ(f.protocolType, mpeg4[size_t(model)] ? PROTOCOL_CUFRAME_MPEG4 : PROTOCOL_CUFRAME_H264) << model;
    }
}

TEST(FrameCoding, ACurrentFrameIsH264WhateverItsBytes)
{
    std::vector<unsigned char> b(CFrame::HEADER_SIZE, 0x08);  // the old header's model byte would say MPEG-4
    FrameFacts f;
    ASSERT_TRUE(ReadFrameHeader(false, b.data(), b.size(), &f));
    EXPECT_EQ(f.protocolType, PROTOCOL_CFRAME_H264);
}
