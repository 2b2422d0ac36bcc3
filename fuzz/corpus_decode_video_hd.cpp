// Writes the starting corpus of fuzz_decode_video_hd into the folder given as argv[1]: frames
// of the HD and Full HD clips that the build generates with ffmpeg, under their own header
// sizes and under others, at their own size and scaled to the wall's cells.
#include "corpus_video.h"

using namespace videocorpus;

namespace {

// Indexes of fuzz_decode_video_hd's size table.
enum Size : uint8_t { HD = 0 << 2, FULL_HD = 1 << 2, FULL_HD_1088 = 2 << 2, D1 = 7 << 2 };

}  // namespace

int main(int argc, char** argv)
{
    const auto hd = testmedia::LoadClip(Codec::H264, "720p").units;
    const auto fullHd = testmedia::LoadClip(Codec::H264, "1080p").units;
    const auto hd4 = testmedia::LoadClip(Codec::Mpeg4, "720p").units;
    const auto fullHd4 = testmedia::LoadClip(Codec::Mpeg4, "1080p").units;
    return corpus::WriteSeeds(
        argc, argv,
        {char(CFRAME_H264) + Stream(hd, 3, HD),
         char(CFRAME_H264 | BGRA_OUTPUT) + Stream(fullHd, 3, FULL_HD | HOLD),
         char(CUFRAME_H264) + Stream(WithoutParameterSets(fullHd), 2, FULL_HD_1088),
         char(CFRAME_H264) + Stream(hd, 2, HD) + Record(KEY | FULL_HD | RESTART | SLOT_1, fullHd[0].data),
         char(CUFRAME_MPEG4) + Stream(testmedia::WithoutMpeg4Headers(hd4), 3, HD),
         char(CUFRAME_MPEG4 | BGRA_OUTPUT) + Stream(fullHd4, 3, FULL_HD | HOLD),
         char(CUFRAME_MPEG4) + Stream(fullHd4, 2, D1) + Record(KEY | HD | SLOT_1, hd4[0].data),
         char(CFRAME_H264 | BGRA_OUTPUT) + Stream(fullHd, 2, FULL_HD, CELL_4) + Record(FULL_HD, fullHd[2].data, CELL_64),
         char(CFRAME_H264 | BGRA_OUTPUT) + Stream(hd, 3, HD | HOLD, CELL_720P),
         char(CUFRAME_MPEG4) + Stream(testmedia::WithoutMpeg4Headers(hd4), 2, HD, CELL_16)
             + Record(HD, testmedia::WithoutMpeg4Headers(hd4)[2].data, CELL_1),
         char(CUFRAME_MPEG4 | DEINTERLACED) + Stream(fullHd4, 3, FULL_HD | HOLD, CELL_9)});
}
