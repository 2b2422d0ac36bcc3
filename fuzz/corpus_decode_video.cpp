// Writes the starting corpus of fuzz_decode_video into the folder given as argv[1]: frames
// of the CIF and interlaced D1 clips that the build generates with ffmpeg, in the target's
// records (setup byte, then control byte, cell byte, 2-byte length and frame per record),
// at the streams' own size and scaled to the wall's cells.
#include "corpus_video.h"

using namespace videocorpus;

int main(int argc, char** argv)
{
    const auto h264 = testmedia::LoadClip(Codec::H264, "cif").units;
    const auto mpeg4 = testmedia::LoadClip(Codec::Mpeg4, "cif").units;
    const auto bare = WithoutParameterSets(h264);
    const auto dvr = testmedia::WithoutMpeg4Headers(mpeg4);
    const auto fields = LoadUnits(Codec::H264, "h264_d1_interlaced.264");
    const auto fields4 = testmedia::WithoutMpeg4Headers(LoadUnits(Codec::Mpeg4, "mpeg4_d1_interlaced.m4v"));
    const std::string h264Key = Record(KEY, h264[0].data);
    // The wall's output: 32-bit pictures at the cell's size, the layout changing between frames.
    const char wall = CFRAME_H264 | BGRA_OUTPUT;
    return corpus::WriteSeeds(
        argc, argv,
        {char(CFRAME_H264) + Stream(h264, 4),
         char(CFRAME_H264 | BGRA_OUTPUT) + Stream(h264, 3, HOLD) + Record(KEY | SLOT_1, h264[0].data),
         char(CUFRAME_H264) + Stream(bare, 3),
         char(CUFRAME_H264) + Stream(h264, 2) + Record(KEY | SIZE_D1 | RESTART, bare[0].data),
         char(CUFRAME_MPEG4) + Stream(dvr, 4),
         char(CUFRAME_MPEG4) + Stream(mpeg4, 2, HOLD) + Record(KEY | SIZE_D1 | SLOT_1, dvr[0].data),
         char(CFRAME_H264) + h264Key + Record(RESTART, h264[1].data) + h264Key,
         wall + Stream(h264, 3, 0, CELL_16) + Record(0, h264[3].data, CELL_64) + Record(0, h264[4].data, CELL_1),
         wall + Stream(h264, 5, HOLD, CELL_9) + Record(KEY | SLOT_1, h264[0].data, CELL_CIF),
         char(CFRAME_H264 | GRAY_OUTPUT) + Stream(h264, 3, 0, CELL_4) + Record(0, h264[3].data, CELL_TOO_LARGE),
         char(CUFRAME_H264 | OPENGL) + Stream(bare, 3, 0, CELL_TINY),
         char(CUFRAME_MPEG4) + Stream(dvr, 3, 0, CELL_16) + Record(0, dvr[3].data, OWN_SIZE) + Record(0, dvr[4].data, CELL_36),
         char(CUFRAME_MPEG4) + Stream(dvr, 5, HOLD, CELL_4),
         char(CFRAME_H264 | BGRA_OUTPUT | DEINTERLACED) + Stream(fields, 3) + Record(0, fields[3].data, CELL_9 | SWITCH_DEINTERLACING),
         char(CUFRAME_H264 | DEINTERLACED) + Stream(fields, 3, SIZE_D1, CELL_16),
         char(CUFRAME_MPEG4 | DEINTERLACED) + Stream(fields4, 3, SIZE_D1) + Record(SIZE_D1, fields4[3].data, CELL_4),
         char(CUFRAME_MPEG4) + Stream(fields4, 4, SIZE_D1 | HOLD, CELL_64)});
}
