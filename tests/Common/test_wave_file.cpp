// The alarm's sound file: 16-bit PCM read whole, anything else refused with what is wrong.
#include <gtest/gtest.h>

#include <QtEndian>

#include "Common/WaveFile.h"

namespace {

QByteArray U32(quint32 v)
{
    QByteArray b(4, 0);
    qToLittleEndian(v, b.data());
    return b;
}
QByteArray U16(quint16 v)
{
    QByteArray b(2, 0);
    qToLittleEndian(v, b.data());
    return b;
}
QByteArray Chunk(const char* id, const QByteArray& body)
{
    QByteArray c = QByteArray(id, 4) + U32(quint32(body.size())) + body;
    if (body.size() % 2)
        c.append('\0');
    return c;
}
QByteArray Format(quint16 codec, quint16 channels, quint32 rate, quint16 bits)
{
    const quint16 align = quint16(channels * bits / 8);
    return Chunk("fmt ", U16(codec) + U16(channels) + U32(rate) + U32(rate * align) + U16(align) + U16(bits));
}
QByteArray Riff(const QByteArray& chunks) { return "RIFF" + U32(quint32(4 + chunks.size())) + "WAVE" + chunks; }

QString Error(const QByteArray& file)
{
    WaveSound sound;
    QString error;
    EXPECT_FALSE(ReadWave(file, &sound, &error));
    return error;
}

}  // namespace

TEST(WaveFile, SixteenBitPcmIsReadWithItsRateChannelsAndWholeFrames)
{
    const QByteArray samples("\x01\x02\x03\x04\x05\x06\x07", 7);
    WaveSound sound;
    QString error;
    ASSERT_TRUE(ReadWave(Riff(Chunk("LIST", "odd") + Format(1, 2, 16000, 16) + Chunk("data", samples)), &sound, &error))
        << qPrintable(error);
    EXPECT_EQ(sound.format.sampleRate(), 16000);
    EXPECT_EQ(sound.format.channelCount(), 2);
    EXPECT_EQ(sound.format.sampleFormat(), QAudioFormat::Int16);
    EXPECT_EQ(sound.frames, samples.left(4));
}

TEST(WaveFile, EveryFileThatIsNotWholeSixteenBitPcmIsRefusedWithWhatIsWrong)
{
    const QByteArray data = Chunk("data", QByteArray(8, 1));
    const struct { QByteArray file; const char* error; } cases[] = {
        {"", "not a RIFF/WAVE file"},
        {"RIFF\0\0\0\0AVI ", "not a RIFF/WAVE file"},
        {Riff(Format(3, 1, 8000, 32) + data), "not PCM"},
        {Riff(Format(1, 1, 8000, 8) + data), "not 16-bit samples"},
        {Riff(Format(1, 0, 8000, 16) + data), "no usable channel count or sample rate"},
        {Riff(Format(1, 1, 10, 16) + data), "no usable channel count or sample rate"},
        {Riff(Chunk("fmt ", "short") + data), "the format chunk is too short"},
        {Riff(data + Format(1, 1, 8000, 16)), "samples before their format"},
        {Riff(Format(1, 1, 8000, 16)), "no samples"},
        {Riff(Format(1, 1, 8000, 16) + Chunk("data", "")), "no samples"},
        {Riff(Format(1, 1, 8000, 16) + "data" + U32(0xFFFFFFF0u) + "ab"), "a chunk runs past the end of the file"},
        {Riff(Chunk("junk", "x")), "no format"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Error(c.file).toStdString(), c.error) << c.file.toHex().toStdString();
}
