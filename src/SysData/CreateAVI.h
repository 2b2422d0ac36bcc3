#pragma once

// Writes one AVI file per channel (RIFF AVI with an index, OpenDML past 1 GiB) through
// libavformat: the channel's video as received (MPEG-4 as "DX50", or H.264) and, when
// audio is wanted, its audio decoded to 8000 Hz 16-bit PCM. A channel's file opens at its
// first key frame. AVI has one fixed frame rate: it is measured on the frames of the first
// second (their time stamps), which are held back until then, and the header is written
// with it. The disk space a file needs to be finished (its index and header) is reserved before
// each packet goes in, so that a full disk still leaves whole files. Not thread-safe: CRecord
// serialises the calls.

#include <memory>

#include <QString>
#include <QStringList>

#include "SysData/RecordTypes.h"

class CCreateAVI {
public:
    static constexpr int MAX_CHANNELS = 16;
    // Frames of this much time stamp span measure the rate.
    static constexpr int RATE_WINDOW_MS = 1000;
    static constexpr int AUDIO_RATE = 8000;

    CCreateAVI();
    ~CCreateAVI();

    // Remembers the folder, the DVR and whether audio goes into the files.
    void open(const QString& folder, const RecordDvr& dvr, bool audio);
    // The DVR of the files begun from now on.
    void setDvr(const RecordDvr& dvr);
    // False on a write error, or when a file was removed (looked for once per second of video
    // and before each write): every file is finished as far as it can be (those without a
    // frame removed) and error() tells what failed and why.
    bool writeFrame(bool oldProtocol, const unsigned char* data, size_t length);
    // Finishes every file (rate, index, counts); false on a write error.
    bool close();

    QString error() const;
    // The files opened so far, full paths.
    QStringList files() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
