#pragma once

// Independent decodes to compare the decoder front against (plain libavcodec + libswscale),
// and MPEG-4 streams cut the way old-protocol DVRs send them.

#include <cstdint>
#include <vector>

#include "Common/Frame.h"
#include "support/TestMedia.h"

namespace videotest {

using Picture = std::vector<uint8_t>;

// One picture per access unit that produced one, rows without padding; format is an
// AVPixelFormat.
std::vector<Picture> DecodeWithLibavcodec(const testmedia::Clip& clip, int format);

// The picture size plain xvidcore reads from a VOL header; {0, 0} when it finds none.
FrameSize ReadVolSize(const unsigned char* header, int size);

// Re-encodes an MPEG-4 clip with the stream parameters of the fixed VOL header (time base
// 30000, MPEG quantiser, interlaced from 480 lines). The encoder's own VOS/VOL headers stay
// in; WithoutHeaders removes them as a DVR would.
std::vector<testmedia::AccessUnit> DvrStyleMpeg4(const testmedia::Clip& clip);
std::vector<testmedia::AccessUnit> WithoutHeaders(std::vector<testmedia::AccessUnit> units);

// Peak signal-to-noise ratio over the colour bytes of two BGRA pictures (alpha ignored).
double PsnrBgra(const uint8_t* a, const uint8_t* b, int width, int height);

}  // namespace videotest
