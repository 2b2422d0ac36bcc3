#pragma once

#include <QList>
#include <QStringList>

#include "dvr_types/dvr_types.h"
#include "record_def.pb.h"

// The stream vocabulary of the Record and Network pages: quality labels, the selectable
// frame rates of each video standard and the default rate of a channel. The configuration
// stores real frames per second; the pages show indexes into FPSNtsc or FPSPal. A video type
// of 0 is NTSC, any other PAL.
class DefStream {
public:
    // Indexed by config::Quality; shown untranslated.
    static const QStringList Quality;
    // Indexed by the frame-rate combo index; both rise strictly.
    static const QList<int> FPSNtsc;
    static const QList<int> FPSPal;

    // The rate of combo index 0..10.
    static int FPS_IDX2REAL(const config::VideoType& type, int index);
    // The index of the largest selectable rate not above fps; 0 when none is.
    static int FPS_REAL2IDX(const config::VideoType& type, int fps);
    // The default rate for a channel count (4, 8 or 16, else 0), resolution 0..3 and
    // stream (main or sub; automatic gives 0).
    static int FPS_GetDefAll(int channels, const config::VideoType& type,
                             const config::Resolution& resolution, const KCodecType& nCodecID);
};
