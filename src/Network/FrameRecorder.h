#pragma once

#include <QByteArray>

// What a stream needs of the PC recorder that is attached to it while recording. Both calls
// come from the stream's thread; the recorder guards its files itself.
class CFrameRecorder {
public:
    virtual ~CFrameRecorder() = default;

    virtual bool isRecording() const = 0;
    // One frame packet payload, header and data; oldProtocol: the header is a CUFrame.
    virtual void writeFrame(bool oldProtocol, const QByteArray& frame) = 0;
};
