#include "TestMedia.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace testmedia {

std::string MediaDir()
{
    if (const char* dir = std::getenv("ZAVO_MEDIA_DIR"); dir && *dir)
        return dir;
    return ZAVO_TEST_MEDIA_DIR;
}

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::vector<uint8_t> bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        throw std::runtime_error("cannot open test media " + path);
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.insert(bytes.end(), buf, buf + n);
    std::fclose(f);
    return bytes;
}

namespace {

// Positions of the 00 00 01 start codes (the byte after them) in data.
std::vector<size_t> StartCodes(const uint8_t* data, size_t size)
{
    std::vector<size_t> pos;
    for (size_t i = 0; i + 3 <= size; ++i) {
        if (data[i] == 0 && data[i + 1] == 0 && data[i + 2] == 1) {
            pos.push_back(i + 3);
            i += 2;
        }
    }
    return pos;
}

// Start of the NAL whose payload begins at p: include a leading zero of a 4-byte start code.
size_t NalStart(const uint8_t* data, size_t p)
{
    size_t s = p - 3;
    if (s > 0 && data[s - 1] == 0)
        --s;
    return s;
}

}  // namespace

std::vector<AccessUnit> SplitH264(const uint8_t* data, size_t size)
{
    std::vector<AccessUnit> units;
    const std::vector<size_t> nals = StartCodes(data, size);
    size_t unitStart = nals.empty() ? size : NalStart(data, nals[0]);
    bool hasSlice = false;
    bool key = false;
    for (size_t i = 0; i < nals.size(); ++i) {
        const size_t p = nals[i];
        if (p >= size)
            break;
        const int type = data[p] & 0x1f;
        const bool slice = type >= 1 && type <= 5;
        const bool firstSlice = slice && p + 1 < size && (data[p + 1] & 0x80);
        const bool starter = type == 9 || type == 7 || type == 8 || type == 6 || firstSlice;
        if (hasSlice && starter) {
            const size_t s = NalStart(data, p);
            units.push_back({std::vector<uint8_t>(data + unitStart, data + s), key});
            unitStart = s;
            hasSlice = false;
            key = false;
        }
        if (slice)
            hasSlice = true;
        if (type == 5)
            key = true;
    }
    if (hasSlice)
        units.push_back({std::vector<uint8_t>(data + unitStart, data + size), key});
    return units;
}

std::vector<AccessUnit> SplitMpeg4(const uint8_t* data, size_t size)
{
    std::vector<AccessUnit> units;
    const std::vector<size_t> codes = StartCodes(data, size);
    size_t unitStart = 0;
    bool hasVop = false;
    bool key = false;
    for (size_t p : codes) {
        if (p >= size)
            continue;
        const uint8_t code = data[p];
        // Sequence, object, layer and group headers repeated before a later key frame open
        // that frame's unit, as they do the first one's.
        const bool header = code == 0xB0 || code == 0xB3 || code == 0xB5 || code <= 0x2F;
        if (code != 0xB6 && !header)
            continue;
        if (hasVop) {
            const size_t s = p - 3;
            units.push_back({std::vector<uint8_t>(data + unitStart, data + s), key});
            unitStart = s;
            hasVop = false;
        }
        if (code == 0xB6) {
            hasVop = true;
            // vop_coding_type: the two bits after the start code, 0 = I-VOP.
            key = p + 1 < size && (data[p + 1] >> 6) == 0;
        }
    }
    if (hasVop)
        units.push_back({std::vector<uint8_t>(data + unitStart, data + size), key});
    return units;
}

std::vector<AccessUnit> WithoutMpeg4Headers(std::vector<AccessUnit> units)
{
    const uint8_t vop[] = {0, 0, 1, 0xB6};
    for (AccessUnit& u : units)
        u.data.erase(u.data.begin(), std::search(u.data.begin(), u.data.end(), vop, vop + 4));
    return units;
}

Clip LoadClip(Codec codec, const std::string& size)
{
    Clip clip;
    clip.codec = codec;
    if (size == "d1") {
        clip.width = 704;
        clip.height = 480;
    } else if (size == "cif") {
        clip.width = 352;
        clip.height = 240;
    } else if (size == "720p") {
        clip.width = 1280;
        clip.height = 720;
    } else if (size == "1080p") {
        clip.width = 1920;
        clip.height = 1080;
    } else {
        throw std::runtime_error("unknown clip size " + size);
    }
    const std::string name = codec == Codec::H264 ? "h264_" + size + ".264" : "mpeg4_" + size + ".m4v";
    const std::vector<uint8_t> bytes = ReadFile(MediaDir() + "/" + name);
    clip.units = codec == Codec::H264 ? SplitH264(bytes.data(), bytes.size())
                                      : SplitMpeg4(bytes.data(), bytes.size());
    return clip;
}

std::vector<uint8_t> AlawTone() { return ReadFile(MediaDir() + "/tone.alaw"); }

std::vector<uint8_t> G726Tone() { return ReadFile(MediaDir() + "/tone_24k.g726"); }

}  // namespace testmedia
