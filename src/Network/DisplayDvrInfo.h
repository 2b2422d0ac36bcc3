#pragma once

#include <QMetaType>
#include <QString>

#include <cstdint>

#include "dvr_types/dvr_types.h"

struct DISPLAY_MODE {
    enum ENUM : uint32_t {
        LIVE = 0,
        REMOTE_PLAYBACK = 1,  // also backup streams
        LOCAL_PLAYBACK = 2,   // PC recording files
    };
};

// What the display needs to know about one DVR connection; a copy travels with every frame
// and status signal, so later changes of the stream's own record never reach a copy.
typedef struct _DISPLAY_DVR_INFO {
    static constexpr int MAX_CHANNEL_NAMES = 16;

    uint32_t displayMode = DISPLAY_MODE::LIVE;
    uint32_t pbMode = PB_STOP;
    int startScreen = 0;
    int screenCount = 0;
    uint32_t channelMask = 0;
    uint32_t authorityMask = 0xFFFF;
    QString dvrName;
    QString channelNames[MAX_CHANNEL_NAMES];
    QString status;  // non-empty: the connection failed
    QString waitText;  // non-empty: what the connection waits for before its next stream
    uint32_t model = 0;
    uint64_t recordMask = 0;
    uint64_t motionMask = 0;
    uint64_t sensorMask = 0;
    uint64_t videoLossMask = 0;
    bool oldProtocol = false;
} DISPLAY_DVR_INFO;

Q_DECLARE_METATYPE(DISPLAY_DVR_INFO)

// Registers the name "DISPLAY_DVR_INFO" for queued signals.
void RegisterDisplayDvrInfoMetaType();
