#pragma once

// Independent decodes to compare the decoder front against, and MPEG-4 streams cut the way
// old-protocol DVRs send them.

#include <cstdint>
#include <vector>

#include "Common/Frame.h"
#include "support/TestMedia.h"

namespace videotest {

using Picture = std::vector<uint8_t>;

// One picture per access unit that produced one, rows without padding; format is an AVPixelFormat.
std::vector<Picture> DecodeWithLibavcodec(const testmedia::Clip& clip, int format);

// Re-encoded with the fixed VOL header's parameters, encoder headers still in; WithoutHeaders
// removes them as a DVR would.
std::vector<testmedia::AccessUnit> DvrStyleMpeg4(const testmedia::Clip& clip);
std::vector<testmedia::AccessUnit> WithoutHeaders(std::vector<testmedia::AccessUnit> units);

// PSNR over the colour bytes of two BGRA pictures.
double PsnrBgra(const uint8_t* a, const uint8_t* b, int width, int height);

}  // namespace videotest
