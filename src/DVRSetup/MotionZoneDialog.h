#pragma once

#include <QByteArray>
#include <QDialog>

#include "Common/DecodeVideo.h"
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
    // Stops the stream (no frame is being handled once it returns), then frees the decoder.
    ~CMotionZoneDialog() override;

    void setMotionZone(int rows, int cols, const QByteArray& zone);
    void connect(const DVR& dvr);
    QByteArray getMotionZone() const;

    CMotionDetect* grid() const { return m_detect; }
    // The DVR given to connect; a default record while no stream was asked for.
    const DVR& streamedDVR() const { return m_dvr; }
    CScreen* screen() const { return m_screen; }

    void languageChange();

public slots:
    void OnSelection();
    void OnClear();
    // Stream thread.
    void slotDisplayVideo(const DISPLAY_DVR_INFO& info, const unsigned char* data, size_t len);
    void slotUpdateDVRStatus(const DISPLAY_DVR_INFO& info);

protected:
    void changeEvent(QEvent* event) override;

private:
    void showPicture(const CDisplayInfo& picture);

    Ui_CMotionZoneDialog m_ui;
    CScreen* m_screen;
    CMotionDetect* m_detect;
    CHttpConnect* m_stream;
    DVR m_dvr;  // written before the stream starts, read-only after
    CDecodeVideo m_decoder;  // stream thread only, between Init and Deinit
};
