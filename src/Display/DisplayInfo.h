#pragma once

#include <QImage>
#include <QMetaType>
#include <QString>

#include <cstdint>

// How screens are drawn; stored in the "Opengl" setting.
enum OpenGLMode : int32_t {
    OPENGL_MODE_ON = 0,          // "OpenGL(High PC)"
    OPENGL_MODE_POWER_OF_2 = 1,  // "OpenGL(Low PC)": power-of-two textures
    OPENGL_MODE_OFF = 2,         // "Off": plain widget cells
};

inline bool OpenGLMode_IsValid(int value) { return value >= 0 && value <= 2; }

// One picture for one screen cell with its on-screen state; crosses from the decoding
// thread to the GUI thread by value.
class CDisplayInfo {
public:
    CDisplayInfo() = default;

    void clear() { *this = CDisplayInfo(); }

    QImage image;
    int channel = -1;  // -1: empty cell
    int screen = -1;
    bool record = false;
    bool motion = false;
    bool sensor = false;
    QString title;  // DVR name, or the failure text of a failed cell
    QString channelName;
    bool videoLoss = false;
    bool authorised = true;
    bool failed = false;
    uint32_t frameBytes = 0;
    // The display layout the picture was made under: one made before the cells were mapped
    // anew or emptied is not shown.
    unsigned layout = 0;
};

Q_DECLARE_METATYPE(CDisplayInfo)
