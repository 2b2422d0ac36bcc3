#pragma once

#include <QList>
#include <QWidget>

#include "camera.pb.h"
#include "dvr_conf.pb.h"
#include "ui_SetupCamera.h"

class CChannelWidget;
class CSeqWidget;
class QLineEdit;

// The Camera tab: channel titles, covert channels, EQ (AHD2 models), PTZ, the main monitor
// sequence, the spot output and the sharpness. Titles, EQ, PTZ and sharpness are written as
// they change; the covert, sequence and spot choices are read from their widgets by GetConf.
class CSetupCamera : public QWidget {
    Q_OBJECT

public:
    explicit CSetupCamera(QWidget* parent = nullptr);
    ~CSetupCamera() override;

    void InitControls();
    void InitDvrInfo(const config::DvrConf_DvrInfo& info);
    void UpdateControls();
    void MakeConfValid();
    void InitConf();
    void SetConf(const config::Camera& camera);
    config::Camera GetConf();
    void languageChange();

    void saveSpotToConf(int spot);

public slots:
    void OnChangedName(const QString& text);
    void OnChangedPtzChannel(int ch);
    void OnChangedPtzModel(int index);
    void OnChangedPtzID(int id);
    void OnChangedPan(int);
    void OnChangedTilt(int);
    void OnChangedZoom(int);
    void OnChangedFocus(int);
    void OnChangedBaudRate(int index);
    void OnChangedSharpness(int index);
    void OnChangedEqChannel(int e);
    void OnChangedEq(int);
    void OnChangedSpot(int index);
    void OnChangedSpotMode(int index);

protected:
    void changeEvent(QEvent* event) override;

private:
    int channelCount() const;
    // The PTZ entry of the channel chosen in ptzChannel; null when there is none.
    config::Camera_Ptz* currentPtz();
    void setReverse(void (config::Camera_Ptz::*set)(bool), const QButtonGroup* group);
    void showSpot(int spot);

    Ui_CSetupCamera m_ui;
    config::DvrConf_DvrInfo m_dvr_info;
    config::Camera m_camera;
    QList<QLineEdit*> m_nameEdits;
    CSeqWidget* m_seqWidget;
    CChannelWidget* m_covertWidget;
    CChannelWidget* m_spotSingle;
    CChannelWidget* m_spotQuad;
    CChannelWidget* m_spotNona;
    CSeqWidget* m_spotSeq;
    int m_curSpot = 0;
    bool m_isHdSdi = false;
    // A stored Single channel beyond the DVR's count shows no box and stays stored until the
    // operator clicks one.
    bool m_spotSingleClicked = false;
};
