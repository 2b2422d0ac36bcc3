#pragma once

#include <QByteArray>

namespace cgi {
class DvrInfo;
}

// What a stream needs of the PC recorder that is attached to it while recording. Both calls
// come from the stream's thread; the recorder guards its files itself.
class CFrameRecorder {
public:
    virtual ~CFrameRecorder() = default;

    virtual bool isRecording() const = 0;
    // One frame packet payload, header and data; oldProtocol: the header is a CUFrame.
    virtual void writeFrame(bool oldProtocol, const QByteArray& frame) = 0;
    // The DVR as the stream learned it (names, model, channels), before the frames that
    // follow; files not yet begun take it.
    virtual void setDvrInfo(const cgi::DvrInfo& info) = 0;
};
