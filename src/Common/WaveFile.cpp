#include "Common/WaveFile.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

quint32 U32(const char* p) { return qFromLittleEndian<quint32>(p); }
quint16 U16(const char* p) { return qFromLittleEndian<quint16>(p); }

}  // namespace

bool ReadWave(const QByteArray& file, WaveSound* sound, QString* error)
{
    const auto fail = [error](const char* text) {
        *error = QString::fromLatin1(text);
        return false;
    };
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return fail("not a RIFF/WAVE file");
    bool haveFormat = false;
    int channels = 0, rate = 0;
    qsizetype at = 12;
    // Chunks: a 4-byte id, a 4-byte size, the data padded to an even size.
    while (file.size() - at >= 8) {
        const char* chunk = file.constData() + at;
        const quint32 size = U32(chunk + 4);
        const qsizetype body = at + 8;
        if (size > static_cast<quint64>(file.size() - body))
            return fail("a chunk runs past the end of the file");
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16)
                return fail("the format chunk is too short");
            const char* f = file.constData() + body;
            if (U16(f) != 1)
                return fail("not PCM");
            channels = U16(f + 2);
            rate = static_cast<int>(std::min<quint32>(U32(f + 4), 1000000));
            if (U16(f + 14) != 16)
                return fail("not 16-bit samples");
            if (channels < 1 || channels > 8 || rate < 1000)
                return fail("no usable channel count or sample rate");
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat)
                return fail("samples before their format");
            sound->format.setSampleFormat(QAudioFormat::Int16);
            sound->format.setChannelCount(channels);
            sound->format.setSampleRate(rate);
            const qsizetype frame = 2 * channels;
            sound->frames = file.mid(body, size - size % frame);
            if (sound->frames.isEmpty())
                return fail("no samples");
            return true;
        }
        at = body + size + (size & 1);
    }
    return fail(haveFormat ? "no samples" : "no format");
}
