#pragma once

// The samples of a RIFF/WAVE file of 16-bit PCM, as the alarm plays them.

#include <QAudioFormat>
#include <QByteArray>
#include <QString>

struct WaveSound {
    QAudioFormat format;  // Int16, the file's rate and channels
    QByteArray frames;    // whole frames only
};

// False, with what is wrong in *error, for anything but a whole 16-bit PCM file.
bool ReadWave(const QByteArray& file, WaveSound* sound, QString* error);
