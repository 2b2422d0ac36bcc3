#pragma once

#include <QMetaType>

// A camera's state on an e-map. The stream sends 1 and 3 to 6 with every frame of a channel
// and 2 for every channel when the connection fails or is refused; the camera icon itself
// uses 7 and 8 for its log lines.
struct EMap_Status {
    enum ENUM {
        CONNECTED = 1,
        DISCONNECTED = 2,
        VIDEO_LOSS = 3,
        MOTION = 4,
        SENSOR = 5,
        MOTION_SENSOR = 6,
        RECORD_ON = 7,
        RECORD_OFF = 8,
    };
};

Q_DECLARE_METATYPE(EMap_Status::ENUM)
