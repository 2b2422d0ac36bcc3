// The decoder front with pictures above D1, as megapixel cameras send them: HD and Full HD
// headers and streams, and sizes next to them (input layout in decode_video_input.h).
#include "decode_video_input.h"

namespace {

const FrameSize SIZES[16] = {{1280, 720}, {1920, 1080}, {1920, 1088}, {1280, 960},
                             {1280, 1024}, {2048, 1536}, {2560, 1440}, {704, 480},
                             {1280, 0},   {0, 1080},    {1281, 721},  {-1920, 1080},
                             {1920, 1},   {4096, 2160}, {960, 1080},  {1920, 720}};

}  // namespace

ZAVO_DECODE_VIDEO_TARGET(SIZES)
