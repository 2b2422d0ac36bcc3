#pragma once

// Reading the PC recording file set of SysData/RecordFiles.h: the minute index (.qdx) for
// the local search, and the frame files (.qvf with its .qrx index) for the local player.
// Every file is checked before use; a damaged one is refused with a reason.

#include <cstdint>
#include <memory>
#include <vector>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include "SysData/RecordFiles.h"

class CSearchDataParser;

// Adds the minute records of every ".qdx" file in the folder (not below it) to the
// parser. Returns the files refused, each with its reason. With `missing`, also the names of
// the .qvf/.qrx pairs that hold a listed minute and are not there (removed), each once.
QStringList LocalSearch(const QString& folder, CSearchDataParser* parser, QStringList* missing = nullptr);

// One .qvf/.qrx pair, its index read whole.
class CRawFile {
public:
    // False, with error() set, for a damaged pair: a missing file, a bad magic or version,
    // an index whose records are out of order. Records past the end of the .qvf (a cut
    // recording) are dropped: the file plays up to its last whole frame.
    bool open(const QString& folder, const QString& base);
    void close();

    const recfile::QvfFileHeader& header() const { return m_header; }
    const std::vector<recfile::QrxIndexRecord>& index() const { return m_index; }
    QString base() const { return m_base; }
    QString error() const { return m_error; }
    // The last open failed because a file of the pair is not there (removed), not because
    // what is there is damaged.
    bool missing() const { return m_missing; }

    // The frame of index record i; false (error() set) when it cannot be read or its
    // header does not describe it.
    bool readFrame(size_t i, QByteArray* out);

private:
    QString m_base;
    QString m_error;
    bool m_missing = false;
    recfile::QvfFileHeader m_header{};
    std::vector<recfile::QrxIndexRecord> m_index;
    std::unique_ptr<QFile> m_qvf;
};

// The pairs of a folder in time order ("yyyyMMdd_hhmmss" names sort by time).
QStringList RawFileBases(const QString& folder);
// The time of a base name, 0 when it is not one.
uint32_t RawFileTime(const QString& base);
// The name of the .qvf/.qrx pair whose first frame has this time: RawFileTime's inverse.
QString RawFileBase(uint32_t time);
