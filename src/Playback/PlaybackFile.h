#pragma once

// Local playback of PC recording files.

#include "dvr_types/dvr_types.h"

class CPlaybackFile {
public:
    // Speed factor of a playback mode: negative backwards, 0 for every mode that does not
    // play (stop, pause, step, unknown).
    static double PlayMode2Speed(PbMode mode);
};
