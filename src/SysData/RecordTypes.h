#pragma once

// What a recording writer knows about the DVR it records, and the shared rules of names.

#include <QString>
#include <QStringList>

#include "Common/DecodeVideo.h"

namespace cgi {
class DvrInfo;
}

struct RecordDvr {
    QString name;
    int channels = 16;
    int model = 0;
    int videoType = 0;
    unsigned channelMask = 0xFFFF;
    QStringList titles;  // index = channel

    static RecordDvr FromInfo(const QString& name, const cgi::DvrInfo& info);
};

// The decoder a stream's frames need: CUFrame streams as their frames' model byte says
// (CUFrame::ProtocolTypeOf), CFrame streams H.264.
ProtocolType RecordProtocolType(bool oldProtocol, int model);

// A DVR name as a folder name: path separators, ".." and control characters replaced,
// an empty name becomes "DVR".
QString RecordFolderName(const QString& dvrName);

// "yyyyMMdd_hhmmss" of a frame time stamp (UTC).
QString RecordFileTime(unsigned int seconds);

// Whether the open file has lost its last name (removed, or its folder): whatever is still
// written into it would go with it.
bool RecordFileRemoved(int fd);
// Whether the path still names the open file (not a file put in its place).
bool RecordFileAt(int fd, const QString& path);
// Why a file that lost its name cannot be written: something else may hold that name now.
QString RecordFileGoneReason();
