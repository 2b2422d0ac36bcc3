#include <gtest/gtest.h>

#include <vector>

#include "Common/Frame.h"

namespace {

using Bytes = std::vector<unsigned char>;

void PutLE(Bytes& b, size_t at, uint32_t v, int width)
{
    for (int i = 0; i < width; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
}

void PutBE(Bytes& b, size_t at, uint32_t v, int width)
{
    for (int i = 0; i < width; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<unsigned char>(v >> (8 * (width - 1 - i)));
}

struct CFields {
    uint8_t type = 0;
    uint8_t channel = 0;
    uint8_t reason = 0;
    uint32_t size = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    uint32_t sec = 0;
    uint32_t usec = 0;
};

// Unread bytes hold a pattern so that a field read at the wrong place shows.
Bytes CHeader(const CFields& f, size_t total = 36)
{
    Bytes b(total, 0xA5);
    b[0] = f.type;
    b[1] = f.channel;
    b[2] = f.reason;
    PutLE(b, 4, f.size, 4);
    PutLE(b, 8, f.width, 2);
    PutLE(b, 10, f.height, 2);
    PutLE(b, 12, f.sec, 4);
    PutLE(b, 16, f.usec, 4);
    return b;
}

CFrame ReadC(const Bytes& b)
{
    CFrame f;
    f.SetData(b.data(), static_cast<int>(b.size()));
    return f;
}

struct UFields {
    uint32_t headerLength = 80;
    uint32_t total = 0;
    uint8_t info = 0;
    uint8_t status = 0;
    uint16_t videoLoss = 0;
    uint8_t model = 6;
    uint32_t typeSize = 0;
    uint32_t sec = 0;
    uint32_t usec = 0;
    uint32_t channelWord = 0;
    uint32_t frameSize = 0;
};

Bytes UHeader(const UFields& f, size_t total = 80)
{
    Bytes b(total, 0x5A);
    b[0] = 'U';
    b[1] = 'M';
    PutBE(b, 2, f.headerLength, 4);
    PutBE(b, 8, f.total, 4);
    b[12] = f.info;
    b[13] = f.status;
    PutBE(b, 14, f.videoLoss, 2);
    b[16] = f.model;
    PutBE(b, 17, f.typeSize, 4);
    PutBE(b, 37, f.sec, 4);
    PutBE(b, 41, f.usec, 4);
    PutBE(b, 53, f.channelWord, 4);
    PutBE(b, 57, f.frameSize, 4);
    return b;
}

CUFrame ReadU(const Bytes& b)
{
    CUFrame f;
    f.SetData(b.data(), static_cast<int>(b.size()));
    return f;
}

}  // namespace

TEST(CFrameHeader, FieldsAreLittleEndian)
{
    CFields in;
    in.type = 0xFD;  // bits 2-7 are not part of the type
    in.channel = 16;
    in.reason = 0xFE;
    in.size = 0x01020304;
    in.width = 704;
    in.height = 480;
    in.sec = 1234567;
    in.usec = 890123;
    const CFrame f = ReadC(CHeader(in));
    EXPECT_EQ(f.GetType(), FRAME_DELTA);
    EXPECT_EQ(f.GetChannel(), 16);
    EXPECT_TRUE(f.IsValid());
    EXPECT_EQ(f.GetRecReason(), RECORD_REASON_2);
    EXPECT_EQ(f.GetSize(), 0x01020304u);
    EXPECT_EQ(f.GetRawDataSize(), 0x01020304u);
    EXPECT_EQ(f.GetDataOffset(), 36u);
    EXPECT_EQ(f.GetResolution().width, 704);
    EXPECT_EQ(f.GetResolution().height, 480);
    EXPECT_EQ(f.GetTime(), KTimeVal(1234567, 890123));
    EXPECT_EQ(f.GetPTS(), 567890);
}

TEST(CFrameHeader, AudioValidityAndShortBuffers)
{
    CFields in;
    in.type = 0x03;
    EXPECT_EQ(ReadC(CHeader(in)).GetDataOffset(), 40u);
    in.type = 0x07;
    EXPECT_EQ(ReadC(CHeader(in)).GetType(), FRAME_AUDIO);
    EXPECT_EQ(ReadC(CHeader(in)).GetDataOffset(), 40u);
    in.type = 0x02;
    EXPECT_EQ(ReadC(CHeader(in)).GetDataOffset(), 36u);

    in.channel = 17;
    EXPECT_FALSE(ReadC(CHeader(in)).IsValid());
    in.channel = 255;
    EXPECT_FALSE(ReadC(CHeader(in)).IsValid());

    // 35 bytes leave a new object all zero, and a filled one as it was.
    in.channel = 200;
    in.size = 99;
    Bytes shortBuf = CHeader(in);
    shortBuf.resize(35);
    CFrame f = ReadC(shortBuf);
    EXPECT_EQ(f.GetChannel(), 0);
    EXPECT_EQ(f.GetType(), FRAME_KEY);
    EXPECT_EQ(f.GetSize(), 0u);
    EXPECT_TRUE(f.IsValid());
    in.channel = 5;
    const Bytes full = CHeader(in);
    f.SetData(full.data(), 36);
    f.SetData(shortBuf.data(), 35);
    EXPECT_EQ(f.GetChannel(), 5);
    EXPECT_EQ(f.GetSize(), 99u);
}

TEST(CFrameHeader, TimesPast2038AndSignedPts)
{
    CFields in;
    in.sec = 0x80000000u;  // January 2038 plus one second
    in.usec = 250000;
    CFrame f = ReadC(CHeader(in));
    EXPECT_EQ(f.GetTime().sec, int64_t(2147483648LL));
    EXPECT_EQ(f.GetTime().usec, 250000);
    // The presentation time works on the signed value: -2147483648 % 1000 = -648.
    EXPECT_EQ(f.GetPTS(), -648000 + 250);

    in.sec = 0xFFFFFFFFu;
    in.usec = 500000;
    f = ReadC(CHeader(in));
    EXPECT_EQ(f.GetTime().sec, int64_t(4294967295LL));
    EXPECT_EQ(f.GetPTS(), -1000 + 500);

    in.sec = 999;
    in.usec = 0xFFFFFFFFu;  // -1 us
    f = ReadC(CHeader(in));
    EXPECT_EQ(f.GetPTS(), 999000);
    EXPECT_EQ(f.GetTime().usec, -1);
}

TEST(CUFrameHeader, FieldsAreBigEndianAndUnaligned)
{
    UFields in;
    in.total = 0x00001000;
    in.info = 0x38;  // motion, sensor, recording; resolution code 0
    in.status = (5 << 3) | 0x06;  // playback code 5, reason 2, bit 2 not part of either
    in.videoLoss = 0x8001;
    in.model = 21;
    in.typeSize = 0xFF4ABCDEu;  // code 1 (delta) in bits 22-23, size 0xABCDE
    in.sec = 0x87654321u;
    in.usec = 123456;
    in.channelWord = 0xFFFFFF0Bu;
    in.frameSize = 0x00000F00;
    const CUFrame f = ReadU(UHeader(in));
    ASSERT_TRUE(f.IsValid());
    EXPECT_EQ(f.GetInfo(), 0x38);
    EXPECT_EQ(f.GetRecReason(), RECORD_REASON_2);
    EXPECT_EQ(f.GetPbMode(), PB_FORWARD_16X);
    EXPECT_EQ(f.GetVideoLoss(), 0x8001);
    EXPECT_EQ(f.GetModel(), 21);
    EXPECT_TRUE(f.IsValidModel());
    EXPECT_EQ(f.GetType(), FRAME_DELTA);
    EXPECT_EQ(f.GetRawDataSize(), 0xABCDEu);
    EXPECT_EQ(f.GetChannel(), 11);
    EXPECT_EQ(f.GetSize(), 0xF00u);
    EXPECT_EQ(f.GetDataOffset(), 80u + 0x1000u - 0xF00u);
    EXPECT_EQ(f.GetTime(), KTimeVal(int64_t(0x87654321LL), 123456));
    EXPECT_EQ(f.GetPTS(), -814877);  // as signed: -2023406815 s

    // 00 C0 00 10: an audio frame of 16 bytes.
    Bytes b = UHeader(UFields());
    b[17] = 0x00;
    b[18] = 0xC0;
    b[19] = 0x00;
    b[20] = 0x10;
    const CUFrame audio = ReadU(b);
    EXPECT_EQ(audio.GetType(), FRAME_AUDIO);
    EXPECT_EQ(audio.GetRawDataSize(), 16u);
}

TEST(CUFrameHeader, ValidityAndModels)
{
    EXPECT_TRUE(ReadU(UHeader(UFields())).IsValid());
    UFields in;
    in.headerLength = 81;
    EXPECT_FALSE(ReadU(UHeader(in)).IsValid());
    in.headerLength = 80u << 8;  // 80 read in the wrong byte order
    EXPECT_FALSE(ReadU(UHeader(in)).IsValid());
    Bytes b = UHeader(UFields());
    b[1] = 'N';
    EXPECT_FALSE(ReadU(b).IsValid());
    // A short buffer leaves the zeroed header: not valid.
    b = UHeader(UFields());
    b.resize(79);
    EXPECT_FALSE(ReadU(b).IsValid());
    // Copies carry the whole header.
    CUFrame copy;
    copy = ReadU(UHeader(UFields()));
    EXPECT_TRUE(copy.IsValid());

    EXPECT_FALSE(CUFrame::IsValidModel(5));
    EXPECT_TRUE(CUFrame::IsValidModel(6));
    EXPECT_TRUE(CUFrame::IsValidModel(21));
    EXPECT_FALSE(CUFrame::IsValidModel(22));
    EXPECT_FALSE(CUFrame::IsValidModel(-6));
    in = UFields();
    in.model = 22;
    EXPECT_FALSE(ReadU(UHeader(in)).IsValidModel());
    in.model = 6;
    EXPECT_TRUE(ReadU(UHeader(in)).IsValidModel());
}

TEST(CUFrameHeader, ResolutionFrameTypeAndPlaybackTables)
{
    const FrameSize sizes[8] = {{704, 240}, {352, 240}, {704, 480}, {704, 576},
                                {704, 288}, {352, 288}, {704, 576}, {704, 576}};
    for (int code = 0; code < 8; ++code) {
        UFields in;
        // Bits 0, 3, 4, 5 and 7 do not take part.
        in.info = static_cast<uint8_t>(((code & 3) << 1) | ((code >> 2) << 6) | 0xB9);
        const FrameSize s = ReadU(UHeader(in)).GetResolution();
        EXPECT_EQ(s.width, sizes[code].width) << code;
        EXPECT_EQ(s.height, sizes[code].height) << code;
    }
    UFields in;
    in.info = 0x40;
    EXPECT_EQ(ReadU(UHeader(in)).GetResolution().height, 288);
    in.info = 0x42;
    EXPECT_EQ(ReadU(UHeader(in)).GetResolution().width, 352);

    const FrameType types[4] = {FRAME_KEY, FRAME_DELTA, FRAME_KEY, FRAME_AUDIO};
    for (uint32_t code = 0; code < 4; ++code) {
        UFields t;
        t.typeSize = (code << 22) | 0xFF3FFFFFu;  // every other bit set
        const CUFrame f = ReadU(UHeader(t));
        EXPECT_EQ(f.GetType(), types[code]) << code;
        EXPECT_EQ(f.GetRawDataSize(), 0xFFFFFu);
    }

    const PbMode modes[32] = {
        PB_STOP, PB_FORWARD_1X, PB_FORWARD_2X, PB_FORWARD_4X, PB_FORWARD_8X, PB_FORWARD_16X,
        PB_FORWARD_32X, PB_FORWARD_64X, PB_FORWARD_128X, PB_FORWARD_256X,
        PB_STOP, PB_STOP, PB_STOP, PB_STEP_FORWARD, PB_SLOW_1_2, PB_SLOW_1_4, PB_STOP,
        PB_REVERSE_1X, PB_REVERSE_2X, PB_REVERSE_4X, PB_REVERSE_8X, PB_REVERSE_16X,
        PB_REVERSE_32X, PB_REVERSE_64X, PB_REVERSE_128X, PB_REVERSE_256X,
        PB_STOP, PB_STOP, PB_STOP, PB_STEP_BACKWARD, PB_STOP, PB_STOP};
    for (int code = 0; code < 32; ++code) {
        UFields p;
        p.status = static_cast<uint8_t>((code << 3) | 0x07);
        const CUFrame f = ReadU(UHeader(p));
        EXPECT_EQ(f.GetPbMode(), modes[code]) << code;
        EXPECT_EQ(f.GetRecReason(), RECORD_REASON_3);
    }
}

TEST(FrameFit, CurrentProtocolHeader)
{
    CFields in;
    in.size = 100;
    const CFrame video = ReadC(CHeader(in));
    EXPECT_TRUE(video.FitsIn(136));
    EXPECT_TRUE(video.FitsIn(1000));
    EXPECT_FALSE(video.FitsIn(135));  // data runs past the payload
    EXPECT_FALSE(video.FitsIn(20));   // header itself does not fit

    in.type = 3;
    const CFrame audio = ReadC(CHeader(in));
    EXPECT_TRUE(audio.FitsIn(140));
    EXPECT_FALSE(audio.FitsIn(139));
    in.size = 0;
    EXPECT_TRUE(ReadC(CHeader(in)).FitsIn(40));
    EXPECT_FALSE(ReadC(CHeader(in)).FitsIn(39));

    // Sizes whose sum with the offset wraps in 32 bits.
    for (uint32_t huge : {0xFFFFFFFFu, 0xFFFFFFDCu, 0xFFFFFFE0u}) {
        in.type = 0;
        in.size = huge;
        EXPECT_FALSE(ReadC(CHeader(in)).FitsIn(36)) << huge;
        EXPECT_FALSE(ReadC(CHeader(in)).FitsIn(4096)) << huge;
    }
    // Sizes are compared in 64 bits on both sides.
    in.size = 0xFFFFFFFFu;
    EXPECT_TRUE(ReadC(CHeader(in)).FitsIn(size_t(36) + 0xFFFFFFFFu));
    EXPECT_FALSE(ReadC(CHeader(in)).FitsIn(size_t(35) + 0xFFFFFFFFu));
    in.size = 100;
    EXPECT_TRUE(ReadC(CHeader(in)).FitsIn((size_t(1) << 32) + 100));
}

TEST(FrameFit, OldProtocolHeader)
{
    UFields in;
    in.total = 1000;
    in.frameSize = 600;
    in.typeSize = 600;
    const CUFrame f = ReadU(UHeader(in));
    ASSERT_EQ(f.GetDataOffset(), 480u);
    EXPECT_TRUE(f.FitsIn(1080));
    EXPECT_FALSE(f.FitsIn(1079));
    EXPECT_FALSE(f.FitsIn(480));

    // Offset past the payload.
    in.total = 0xFFFFFFFFu;
    in.frameSize = 0;
    in.typeSize = 0;
    EXPECT_EQ(ReadU(UHeader(in)).GetDataOffset(), uint64_t(80) + 0xFFFFFFFFu);
    EXPECT_FALSE(ReadU(UHeader(in)).FitsIn(4096));

    // A frame size larger than the frame: the offset wraps to a huge value.
    in.total = 10;
    in.frameSize = 100;
    EXPECT_FALSE(ReadU(UHeader(in)).FitsIn(size_t(1) << 20));
    // A frame size that would put the data inside the header.
    in.total = 100;
    in.frameSize = 150;
    in.typeSize = 10;
    EXPECT_EQ(ReadU(UHeader(in)).GetDataOffset(), 30u);
    EXPECT_FALSE(ReadU(UHeader(in)).FitsIn(4096));

    // Raw size past the payload, including values that wrap a 32-bit sum.
    in.total = 0xFFFFFFB0u;  // offset 80 + total - frameSize wraps to 0 in 32 bits
    in.frameSize = 0;
    in.typeSize = 0xFFFFF;
    EXPECT_FALSE(ReadU(UHeader(in)).FitsIn(4096));
    in.total = 200;
    in.frameSize = 200;
    in.typeSize = 201;
    EXPECT_FALSE(ReadU(UHeader(in)).FitsIn(280));
    in.typeSize = 200;
    EXPECT_TRUE(ReadU(UHeader(in)).FitsIn(280));
}
