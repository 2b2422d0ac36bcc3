#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <cstdint>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
}

#include "Common/DecodeAudio.h"
#include "Common/G723Coder.h"
#include "support/TestMedia.h"

namespace {

constexpr short kUntouched = 0x1234;

// FFmpeg's decoder for the same coding, as an independent reference.
std::vector<int16_t> ReferenceDecode(AVCodecID id, int bitsPerCodedSample, const std::vector<uint8_t>& data,
                                     size_t packetSize)
{
    std::vector<int16_t> samples;
    const AVCodec* codec = avcodec_find_decoder(id);
    if (!codec)
        return samples;
    AVCodecContext* ctx = avcodec_alloc_context3(codec);
    ctx->sample_rate = 8000;
    av_channel_layout_default(&ctx->ch_layout, 1);
    ctx->bits_per_coded_sample = bitsPerCodedSample;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    if (avcodec_open2(ctx, codec, nullptr) == 0) {
        for (size_t pos = 0; pos < data.size(); pos += packetSize) {
            const size_t len = std::min(packetSize, data.size() - pos);
            av_new_packet(packet, static_cast<int>(len));
            std::copy_n(data.data() + pos, len, packet->data);
            avcodec_send_packet(ctx, packet);
            av_packet_unref(packet);
            while (avcodec_receive_frame(ctx, frame) == 0) {
                const auto* s = reinterpret_cast<const int16_t*>(frame->data[0]);
                samples.insert(samples.end(), s, s + frame->nb_samples);
            }
        }
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&ctx);
    return samples;
}

// Whole frames of an encoded clip through one decoder, one after the other.
std::vector<int16_t> DecodeClip(CDecodeAudio& decoder, bool oldProtocol, const std::vector<uint8_t>& clip)
{
    const int in = CDecodeAudio::getEncodedSize(oldProtocol);
    const int out = CDecodeAudio::getDecodedSize(oldProtocol);
    std::vector<int16_t> samples;
    std::vector<short> buffer(out);
    for (size_t pos = 0; pos + in <= clip.size(); pos += in) {
        EXPECT_EQ(decoder.DecodeFrame(oldProtocol, clip.data() + pos, in, buffer.data(), out), out);
        samples.insert(samples.end(), buffer.begin(), buffer.end());
    }
    return samples;
}

// Signal to difference ratio of b against a, in dB.
double SnrDb(const std::vector<int16_t>& a, const std::vector<int16_t>& b)
{
    double signal = 0, noise = 0;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        signal += double(a[i]) * a[i];
        noise += double(a[i] - b[i]) * (a[i] - b[i]);
    }
    return noise == 0 ? 1000.0 : 10.0 * std::log10(signal / noise);
}

int SignChanges(const std::vector<int16_t>& s)
{
    int changes = 0;
    for (size_t i = 1; i < s.size(); ++i)
        changes += (s[i - 1] < 0) != (s[i] < 0);
    return changes;
}

}  // namespace

TEST(AlawDecoding, ExtremeCodesAndEveryCodeAgainstReference)
{
    EXPECT_EQ(alaw2linear(0xD5), 8);
    EXPECT_EQ(alaw2linear(0x55), -8);
    EXPECT_EQ(alaw2linear(0xAA), 32256);
    EXPECT_EQ(alaw2linear(0x2A), -32256);
    EXPECT_EQ(alaw2linear(0x1D5), 8) << "only the low byte is a code";

    std::vector<uint8_t> all(256);
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<uint8_t>(i);
    const std::vector<int16_t> reference = ReferenceDecode(AV_CODEC_ID_PCM_ALAW, 8, all, all.size());
    ASSERT_EQ(reference.size(), 256u);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(alaw2linear(i), reference[i]) << "code " << i;
}

TEST(AlawDecoding, FramesOfConstantCodes)
{
    CDecodeAudio decoder;
    std::vector<unsigned char> frame(320, 0xD5);
    std::vector<short> out(320, kUntouched);
    ASSERT_EQ(decoder.DecodeFrame(false, frame.data(), 320, out.data(), 320), 320);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](short s) { return s == 8; }));
    std::fill(frame.begin(), frame.end(), 0x55);
    ASSERT_EQ(decoder.DecodeFrame(false, frame.data(), 320, out.data(), 320), 320);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](short s) { return s == -8; }));
}

TEST(AlawDecoding, ToneClipIsA440HzSine)
{
    const std::vector<uint8_t> clip = testmedia::AlawTone();
    ASSERT_EQ(clip.size(), 16000u);
    CDecodeAudio decoder;
    const std::vector<int16_t> samples = DecodeClip(decoder, false, clip);
    ASSERT_EQ(samples.size(), 16000u);
    EXPECT_EQ(samples, ReferenceDecode(AV_CODEC_ID_PCM_ALAW, 8, clip, 320));
    // 2 s of 440 Hz cross zero about 1760 times.
    EXPECT_NEAR(SignChanges(samples), 1760, 4);
}

TEST(G723Decoding, TracksReferenceDecoderAcrossFrames)
{
    const std::vector<uint8_t> clip = testmedia::G726Tone();
    ASSERT_EQ(clip.size(), 6000u);
    const std::vector<int16_t> reference = ReferenceDecode(AV_CODEC_ID_ADPCM_G726LE, 3, clip, 1200);
    ASSERT_EQ(reference.size(), 16000u);

    CDecodeAudio decoder;
    const std::vector<int16_t> samples = DecodeClip(decoder, true, clip);
    ASSERT_EQ(samples.size(), 16000u);

    // FFmpeg mixes the fast and slow scale factors with the slow one's fraction included,
    // where the standard truncates; the two agree sample for sample until that rounding
    // differs and then stay close. A wrong table entry, shift or state update makes them
    // part for good (measured: at most 42% identical, under 25 dB).
    const size_t identical = std::inner_product(samples.begin(), samples.end(), reference.begin(), size_t{0},
                                                std::plus<>(), std::equal_to<>());
    EXPECT_GE(identical, samples.size() * 55 / 100);
    EXPECT_GT(SnrDb(reference, samples), 25.0);
    EXPECT_TRUE(std::equal(samples.begin(), samples.begin() + 12, reference.begin()))
        << "the opening samples, before the scale factors mix, agree exactly";

    // The same tone through A-law is a close copy of the source signal.
    CDecodeAudio alaw;
    const std::vector<int16_t> source = DecodeClip(alaw, false, testmedia::AlawTone());
    EXPECT_GT(SnrDb(source, samples), 22.0);
    EXPECT_NEAR(SignChanges(samples), 1760, 8);
}

TEST(G723Decoding, StateRunsOnFromFrameToFrame)
{
    const std::vector<uint8_t> clip = testmedia::G726Tone();
    ASSERT_GE(clip.size(), 2400u);
    std::vector<short> first(3200), second(3200), fresh(3200);

    CDecodeAudio running;
    ASSERT_EQ(running.DecodeFrame(true, clip.data(), 1200, first.data(), 3200), 3200);
    ASSERT_EQ(running.DecodeFrame(true, clip.data(), 1200, second.data(), 3200), 3200);
    EXPECT_NE(first, second) << "the same frame twice in a row sounds different";

    CDecodeAudio other;
    ASSERT_EQ(other.DecodeFrame(true, clip.data(), 1200, fresh.data(), 3200), 3200);
    EXPECT_EQ(first, fresh) << "two new decoders agree";
    // A-law frames in between leave the ADPCM state alone.
    std::vector<unsigned char> alaw(320, 0xAA);
    std::vector<short> alawOut(320);
    ASSERT_EQ(other.DecodeFrame(false, alaw.data(), 320, alawOut.data(), 320), 320);
    ASSERT_EQ(other.DecodeFrame(true, clip.data(), 1200, fresh.data(), 3200), 3200);
    EXPECT_EQ(second, fresh);
}

TEST(G723Decoding, SizeRefusalsWriteNothing)
{
    CDecodeAudio decoder;
    std::vector<unsigned char> in(1201, 0x5A);
    std::vector<short> out(3201, kUntouched);
    const auto untouched = [&] {
        return std::all_of(out.begin(), out.end(), [](short s) { return s == kUntouched; });
    };
    EXPECT_EQ(decoder.DecodeFrame(true, in.data(), 1199, out.data(), 3200), -1);
    EXPECT_EQ(decoder.DecodeFrame(true, in.data(), 1201, out.data(), 3200), -1);
    EXPECT_EQ(decoder.DecodeFrame(true, in.data(), 320, out.data(), 320), -1);
    EXPECT_EQ(decoder.DecodeFrame(true, in.data(), 1200, out.data(), 3199), -1);
    EXPECT_EQ(decoder.DecodeFrame(true, in.data(), 1200, out.data(), 3201), -1);
    EXPECT_EQ(decoder.DecodeFrame(false, in.data(), 1200, out.data(), 3200), -1);
    EXPECT_EQ(decoder.DecodeFrame(false, in.data(), 320, out.data(), 319), -1);
    EXPECT_EQ(decoder.DecodeFrame(false, nullptr, 320, out.data(), 320), -1);
    EXPECT_EQ(decoder.DecodeFrame(true, in.data(), 1200, nullptr, 3200), -1);
    EXPECT_TRUE(untouched());

    CG723Coder coder;
    EXPECT_EQ(coder.Decode(in.data(), 1200, nullptr, 0), 3200) << "a null output only counts";
    EXPECT_EQ(coder.Decode(in.data(), 1200, out.data(), 3199), -1);
    EXPECT_EQ(coder.Decode(in.data(), -3, out.data(), 3200), -1);
    EXPECT_EQ(coder.Decode(nullptr, 3, out.data(), 3200), -1);
    EXPECT_TRUE(untouched());

    // None of the refused calls moved the decoder state.
    CG723Coder fresh;
    std::vector<short> a(3200), b(3200);
    ASSERT_EQ(coder.Decode(in.data(), 1200, a.data(), 3200), 3200);
    ASSERT_EQ(fresh.Decode(in.data(), 1200, b.data(), 3200), 3200);
    EXPECT_EQ(a, b);
}

TEST(G723Decoding, TrailingBytesGiveTheCodesThatFit)
{
    const std::vector<uint8_t> clip = testmedia::G726Tone();
    // 4 bytes: 8 codes from the first three, 2 more from the fourth.
    std::vector<unsigned char> four(clip.begin() + 600, clip.begin() + 604);
    std::vector<unsigned char> six(four);
    six.resize(6, 0);
    std::vector<short> shortRun(16, kUntouched), longRun(16, kUntouched);
    CG723Coder a, b;
    ASSERT_EQ(a.Decode(four.data(), 4, shortRun.data(), 16), 10);
    ASSERT_EQ(b.Decode(six.data(), 6, longRun.data(), 16), 16);
    EXPECT_TRUE(std::equal(shortRun.begin(), shortRun.begin() + 10, longRun.begin()));
    EXPECT_EQ(shortRun[10], kUntouched);

    // 5 bytes: 13 codes, the last one using two bits of the fifth byte.
    std::vector<unsigned char> five(six.begin(), six.begin() + 5);
    std::vector<short> five_out(16, kUntouched);
    CG723Coder c;
    ASSERT_EQ(c.Decode(five.data(), 5, five_out.data(), 16), 13);
    EXPECT_TRUE(std::equal(five_out.begin(), five_out.begin() + 13, longRun.begin()));
}

TEST(G723Decoding, LoudReconstructionSaturates)
{
    // The largest positive code over and over drives the reconstruction up past 14 bits.
    CDecodeAudio decoder;
    std::vector<unsigned char> in(1200);
    for (size_t i = 0; i < in.size(); i += 3) {
        // eight codes of 3 (binary 011), least significant bit first
        in[i] = 0xDB;
        in[i + 1] = 0xB6;
        in[i + 2] = 0x6D;
    }
    std::vector<short> out(3200);
    ASSERT_EQ(decoder.DecodeFrame(true, in.data(), 1200, out.data(), 3200), 3200);
    EXPECT_TRUE(std::is_sorted(out.begin(), out.begin() + 20)) << "a rising signal never wraps negative";
    EXPECT_EQ(out[19], 32767);
}
