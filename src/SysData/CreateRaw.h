#pragma once

// Writes one recording into the raw file set of RecordFiles.h: the .qdx minute index, and a
// .qvf/.qrx pair per minute of video. Audio goes into the pair the video is being written to,
// whatever its stamp: an old DVR stamps the audio stream of a backup with its present clock.
// Not thread-safe: CRecord serialises the calls.

#include <cstdint>
#include <cstdio>
#include <vector>

#include <QString>

#include "SysData/RecordFiles.h"
#include "SysData/RecordTypes.h"

struct FrameFacts;

class CCreateRaw {
public:
    // Frame bytes are written out (data first, then their index) once this much is
    // buffered, and whenever a frame starts a new second.
    static constexpr size_t FLUSH_BYTES = 1 << 20;

    CCreateRaw();
    ~CCreateRaw();

    // Remembers the folder and the DVR; files are created at the first frame, named by
    // its time stamp.
    void open(const QString& folder, const RecordDvr& dvr);
    // The DVR of the files begun from now on.
    void setDvr(const RecordDvr& dvr) { m_dvr = dvr; }
    // One frame packet payload. False on a write error, or when a file was removed (checked
    // whenever buffered frames are written out): everything written so far stays readable,
    // the files are closed (those left without a frame removed) and error() tells what failed
    // and why. A data file whose frame index was removed is indexed again from its frames, or
    // set aside whole (RawIndexRebuild.h); error() says which.
    bool writeFrame(bool oldProtocol, const unsigned char* data, size_t length);
    // Writes out what is buffered and closes the files; false on a write error.
    bool close();

    QString error() const { return m_error; }
    // Base names ("yyyyMMdd_hhmmss") of the pairs written so far.
    const QStringList& files() const { return m_files; }
    QString indexFile() const { return m_qdxPath; }

private:
    struct Minute {
        bool open = false;
        QdxMinuteRecord record{};
        long position = 0;
    };

    bool startPair(unsigned int time, bool oldProtocol, int model);
    bool closePair();
    bool append(const FrameFacts& f, const unsigned char* data, size_t length);
    bool writeEarlyAudio(bool oldProtocol);
    bool flush();
    bool writeMinute();
    bool fail(const QString& what, const QString& path);  // errno tells why
    bool fail(const QString& what, const QString& path, int err);
    bool failRemoved(const QString& path);
    QString keepDataFile();
    void dropOpenPair();
    void forgetOpenPair();
    void closeFiles();
    void removeEmptyFiles();

    QString m_folder;
    RecordDvr m_dvr;
    QString m_error;
    QStringList m_files;
    QString m_qdxPath, m_qvfPath, m_qrxPath;
    FILE* m_qdx = nullptr;
    FILE* m_qvf = nullptr;
    FILE* m_qrx = nullptr;
    unsigned int m_fileTime = 0;     // name time of the open pair
    unsigned int m_fileStart = 0;    // time of its first frame
    unsigned int m_fileMinute = 0;
    uint64_t m_pairIndexed = 0;      // index records of the open pair on disk
    uint64_t m_qvfSize = 0;          // bytes of the .qvf, buffered ones included
    uint32_t m_sequence = 0;
    unsigned int m_lastSecond = 0;
    std::vector<unsigned char> m_data;   // frame bytes not yet written
    std::vector<recfile::QrxIndexRecord> m_index;  // their index records
    // Audio before the first video frame, kept for the video's first pair.
    std::vector<std::vector<unsigned char>> m_earlyAudio;
    size_t m_earlyBytes = 0;
    bool m_earlyOld = false;
    Minute m_minute;
    long m_qdxEnd = sizeof(recfile::QdxHeader);
    bool m_failed = false;
};
