// Writes the starting corpus of fuzz_decode_video into the folder given as argv[1]: frames
// of the CIF clips that the build generates with ffmpeg, in the target's records (setup
// byte, then control byte, 2-byte length and frame per record).
#include "corpus_video.h"

using namespace videocorpus;

int main(int argc, char** argv)
{
    const auto h264 = testmedia::LoadClip(Codec::H264, "cif").units;
    const auto mpeg4 = testmedia::LoadClip(Codec::Mpeg4, "cif").units;
    const auto bare = WithoutParameterSets(h264);
    const auto dvr = testmedia::WithoutMpeg4Headers(mpeg4);
    const std::string h264Key = Record(KEY, h264[0].data);
    return corpus::WriteSeeds(
        argc, argv,
        {char(CFRAME_H264) + Stream(h264, 4),
         char(CFRAME_H264 | BGRA_OUTPUT) + Stream(h264, 3, HOLD) + Record(KEY | SLOT_1, h264[0].data),
         char(CUFRAME_H264) + Stream(bare, 3),
         char(CUFRAME_H264) + Stream(h264, 2) + Record(KEY | SIZE_D1 | RESTART, bare[0].data),
         char(CUFRAME_MPEG4) + Stream(dvr, 4),
         char(CUFRAME_MPEG4) + Stream(mpeg4, 2, HOLD) + Record(KEY | SIZE_D1 | SLOT_1, dvr[0].data),
         char(CFRAME_H264) + h264Key + Record(RESTART, h264[1].data) + h264Key});
}
