// Feeds coded video frames of every stream kind through the decoder front, two slots, as the
// stream threads do (input layout in decode_video_input.h).
#include "decode_video_input.h"

namespace {

// Header sizes a DVR sends, plus odd and empty ones; none above D1, so that one input
// stays within milliseconds and megabytes.
const FrameSize SIZES[16] = {{352, 240}, {352, 288}, {704, 240}, {704, 288}, {704, 480},
                             {704, 576}, {176, 120}, {176, 144}, {0, 0},     {16, 16},
                             {2, 2},     {350, 242}, {704, 0},   {-352, 240}, {720, 576},
                             {1, 704}};

}  // namespace

ZAVO_DECODE_VIDEO_TARGET(SIZES)
