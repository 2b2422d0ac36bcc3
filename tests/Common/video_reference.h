#pragma once

// Independent decodes for comparing the decoder front against: plain libavcodec + libswscale,
// and plain xvidcore. Also turns a clip into a stream the way old-protocol DVRs send MPEG-4:
// no VOL header, the fixed header's time base and quantiser type.

#include <cstdint>
#include <vector>

#include "support/TestMedia.h"

namespace videotest {

using Picture = std::vector<uint8_t>;

// One converted picture per access unit that produced one, in order. H.264 and MPEG-4 both
// go through libavcodec; format is an AVPixelFormat.
std::vector<Picture> DecodeWithLibavcodec(const testmedia::Clip& clip, int format);

// Plain xvidcore to 32-bit BGRA, each unit decoded as it is (VOL headers included).
std::vector<Picture> DecodeWithXvid(const std::vector<testmedia::AccessUnit>& units, int width,
                                    int height);

// Re-encodes an MPEG-4 clip with the stream parameters of the fixed VOL header (time base
// 30000, MPEG quantiser, interlaced from 480 lines). The encoder's own VOS/VOL headers stay
// in; WithoutHeaders removes them as a DVR would.
std::vector<testmedia::AccessUnit> DvrStyleMpeg4(const testmedia::Clip& clip);
std::vector<testmedia::AccessUnit> WithoutHeaders(std::vector<testmedia::AccessUnit> units);

// Peak signal-to-noise ratio over the colour bytes of two BGRA pictures (alpha ignored).
double PsnrBgra(const uint8_t* a, const uint8_t* b, int width, int height);

}  // namespace videotest
