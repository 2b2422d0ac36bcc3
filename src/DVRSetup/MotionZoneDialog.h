#pragma once

#include <QByteArray>
#include <QDialog>

#include <functional>
#include <memory>

#include "Common/StreamSink.h"
#include "DVRList.pb.h"
#include "Network/DisplayDvrInfo.h"
#include "ui_MotionZoneDialog.h"

class CHttpConnect;
class CMotionDetect;
class CScreen;
class CDisplayInfo;

// Edits one camera's motion zone over its live picture: the dialog opens its own live
// stream of the channel in bit_ch, decodes it in the stream's thread and shows it in one
// 352 x 240 cell under the zone grid. The stream stops when the dialog goes.
class CMotionZoneDialog : public QDialog {
    Q_OBJECT

public:
    explicit CMotionZoneDialog(QWidget* parent = nullptr);
    // Stops the stream without waiting for it longer than a stream's bound: a frame still
    // being decoded then finishes in the decoder its delivery keeps, and shows nothing.
    ~CMotionZoneDialog() override;

    void setMotionZone(int rows, int cols, const QByteArray& zone);
    void connect(const DVR& dvr);
    QByteArray getMotionZone() const;

    CMotionDetect* grid() const { return m_detect; }
    // The DVR given to connect; a default record while no stream was asked for.
    const DVR& streamedDVR() const { return m_dvr; }
    CScreen* screen() const { return m_screen; }
    // Called on the stream's thread before each frame is decoded (tests hold the thread
    // there); set before connect().
    void setDecodeHook(std::function<void()> hook);

    void languageChange();

public slots:
    void OnSelection();
    void OnClear();
    void slotUpdateDVRStatus(const DISPLAY_DVR_INFO& info);

protected:
    void changeEvent(QEvent* event) override;

private:
    // What the stream's thread decodes with, in the sink it delivers into.
    struct Decoding;
    using Sink = CStreamSink<CMotionZoneDialog, Decoding>;

    // Stream thread.
    static void deliver(Sink& sink, const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len);
    void showPicture(const CDisplayInfo& picture);

    Ui_CMotionZoneDialog m_ui;
    CScreen* m_screen;
    CMotionDetect* m_detect;
    CHttpConnect* m_stream;
    DVR m_dvr;
    const std::shared_ptr<Sink> m_sink;
};
