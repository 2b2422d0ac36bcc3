#include "PlaybackFile.h"

#include <iterator>

namespace {

// Indexed by the mode value; the gaps are modes that do not play.
const double SPEED_TABLE[] = {
    1, 2, 4, 8, 16, 32, 64, 128, 256,            // 0-8 forward
    0, 0, 0, 0, 0, 0, 0,                         // 9-15
    -1, -2, -4, -8, -16, -32, -64, -128, -256,   // 16-24 reverse
    0, 0, 0, 0, 0, 0, 0,                         // 25-31
    0,                                           // 32 stop
    0.25, 0.5,                                   // 33-34 slow
};
static_assert(std::size(SPEED_TABLE) == 35, "one entry per mode up to the slow modes");

}  // namespace

QString CPlaybackFile::StatusText(PbMode mode)
{
    return QStringLiteral("Playback( ") + QString::fromLatin1(PbMode_Mode2String(mode)) + QStringLiteral(" )");
}

double CPlaybackFile::PlayMode2Speed(PbMode mode)
{
    const int index = static_cast<int>(mode);
    if (index < 0 || index >= static_cast<int>(std::size(SPEED_TABLE)))
        return 0;
    return SPEED_TABLE[index];
}
