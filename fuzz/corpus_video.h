#pragma once

// Records of the video decoder targets' input (decode_video_input.h), cut from the clips
// that the build generates with ffmpeg.

#include <algorithm>

#include "corpus_util.h"
#include "support/TestMedia.h"

namespace videocorpus {

using testmedia::AccessUnit;
using testmedia::Codec;

enum Setup : char {
    CFRAME_H264 = 0,
    CUFRAME_H264 = 1,
    CUFRAME_MPEG4 = 2,
    BGRA_OUTPUT = 3 << 2,
    GRAY_OUTPUT = 4 << 2,
    OPENGL = 0x20,
    DEINTERLACED = 0x40,
};
enum Control : uint8_t { KEY = 1, SLOT_1 = 2, SIZE_D1 = 4 << 2, HOLD = 0x40, RESTART = 0x80 };
// Indexes of the cell sizes in decode_video_input.h; SWITCH_DEINTERLACING goes with any.
enum Cell : uint8_t {
    OWN_SIZE = 0,
    CELL_1 = 1,
    CELL_4 = 2,
    CELL_9 = 3,
    CELL_16 = 4,
    CELL_36 = 5,
    CELL_64 = 6,
    CELL_CIF = 7,
    CELL_D1 = 8,
    CELL_720P = 9,
    CELL_TINY = 10,
    CELL_TOO_LARGE = 13,
    SWITCH_DEINTERLACING = 0x10,
};

inline std::string Record(uint8_t control, const std::vector<uint8_t>& frame, uint8_t cell = OWN_SIZE)
{
    std::string r(4, '\0');
    r[0] = static_cast<char>(control);
    r[1] = static_cast<char>(cell);
    corpus::Put(r, 2, static_cast<uint32_t>(frame.size()), 2, false);
    return r + std::string(frame.begin(), frame.end());
}

// The first n units of a clip on one slot, each kept by the display when hold is set, shown
// in a cell of the given size.
inline std::string Stream(const std::vector<AccessUnit>& units, size_t n, uint8_t extra = 0,
                          uint8_t cell = OWN_SIZE)
{
    std::string s;
    for (size_t i = 0; i < std::min(n, units.size()); ++i)
        s += Record((units[i].key ? KEY : 0) | extra, units[i].data, cell);
    return s;
}

// The units of a clip file the build made beside the standard ones.
inline std::vector<AccessUnit> LoadUnits(Codec codec, const std::string& name)
{
    const std::vector<uint8_t> bytes = testmedia::ReadFile(testmedia::MediaDir() + "/" + name);
    return codec == Codec::H264 ? testmedia::SplitH264(bytes.data(), bytes.size())
                                : testmedia::SplitMpeg4(bytes.data(), bytes.size());
}

// The units as a current-protocol DVR sends them: key frames without parameter sets, which
// the decoder puts back for the header's size.
inline std::vector<AccessUnit> WithoutParameterSets(std::vector<AccessUnit> units)
{
    for (AccessUnit& u : units) {
        const std::vector<uint8_t>& d = u.data;
        std::vector<size_t> starts;  // of each 00 00 01
        for (size_t i = 0; i + 3 < d.size(); ++i) {
            if (d[i] == 0 && d[i + 1] == 0 && d[i + 2] == 1)
                starts.push_back(i);
        }
        std::vector<uint8_t> kept;
        for (size_t k = 0; k < starts.size(); ++k) {
            const size_t end = k + 1 < starts.size() ? starts[k + 1] : d.size();
            const int type = d[starts[k] + 3] & 0x1F;
            if (type != 7 && type != 8)
                kept.insert(kept.end(), d.begin() + long(starts[k]), d.begin() + long(end));
        }
        u.data = kept;
    }
    return units;
}
}  // namespace videocorpus
