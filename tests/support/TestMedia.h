#pragma once

// Video and audio clips that the build generates with ffmpeg (see tests/CMakeLists.txt), cut
// the way a DVR sends them: one access unit per video frame, fixed-size audio frames.

#include <cstdint>
#include <string>
#include <vector>

namespace testmedia {

enum class Codec { H264, Mpeg4 };

struct AccessUnit {
    std::vector<uint8_t> data;
    bool key = false;
};

struct Clip {
    Codec codec = Codec::H264;
    int width = 0;
    int height = 0;
    int fps = 30;
    std::vector<AccessUnit> units;
};

// Folder holding the generated clips (the build's "media" folder unless ZAVO_MEDIA_DIR is set).
std::string MediaDir();

std::vector<uint8_t> ReadFile(const std::string& path);

// Annex B H.264: a new unit starts at an AUD/SPS/PPS/SEI or a first slice once the current
// unit holds a slice. Key = the unit holds an IDR slice.
std::vector<AccessUnit> SplitH264(const uint8_t* data, size_t size);

// MPEG-4 part 2: cut before each VOP that follows a VOP; headers stay with the first VOP.
// Key = I-VOP.
std::vector<AccessUnit> SplitMpeg4(const uint8_t* data, size_t size);

// MPEG-4 units as DVRs send them: from the VOP on, without the stream headers.
std::vector<AccessUnit> WithoutMpeg4Headers(std::vector<AccessUnit> units);

// The standard clips: "d1" is 704x480, "cif" 352x240, both 30 fps, a key frame every 30 frames.
Clip LoadClip(Codec codec, const std::string& size);

// 2 s of a 440 Hz tone at 8000 Hz: G.711 A-law (1 byte a sample) and G.726 at 24 kbit/s with
// the codes packed least significant bit first.
std::vector<uint8_t> AlawTone();
std::vector<uint8_t> G726Tone();

}  // namespace testmedia
