#pragma once

#include <memory>

#include <QByteArray>
#include <QSlider>
#include <QWidget>

#include "DVRList.pb.h"
#include "cgi_request.pb.h"
#include "cgi_response.pb.h"
#include "ui_PictureWidget.h"

class CReadDVRData;
class CSendCommand;

// Page 3 of the live control panel (current-protocol DVRs only): contrast, brightness,
// saturation and horizontal and vertical sharpness (0 to 15) of the selected channel, read
// from the DVR and sent back one change at a time, and a reset to the DVR's defaults.
class CPictureWidget : public QWidget {
    Q_OBJECT

public:
    // What an entry the DVR did not supply holds, and what "Default" sets.
    static constexpr unsigned int DEFAULT_VALUE = 8;

    explicit CPictureWidget(QWidget* parent = nullptr);
    ~CPictureWidget() override;

    // A DVR entry other than the one held (clientId is not used) forgets the values held,
    // shows the defaults and, on the current protocol, reads the DVR's values.
    void SetConnectedDVR(const DVR& dvr, int clientId);
    void SetChannel(int channel);
    void InitData();
    // Pads each table with the default up to the DVR's channel count.
    void UpdateData();
    // Shows the selected channel's values; nothing goes to the DVR.
    void UpdateSlider();
    void languageChange();

    int channel() const { return m_channel; }
    const cgi::PictureControlGet& picture() const { return m_picture; }
    const CReadDVRData* reader() const { return m_reader.get(); }
    const CSendCommand& commandSender() const { return *m_send_command; }

public slots:
    void sliderPressed();
    void contrastReleased();
    void brightnessReleased();
    void saturationReleased();
    void hsharpnessReleased();
    void vsharpnessReleased();
    void ChangeContrast(int value);
    void ChangeBrightness(int value);
    void ChangeSaturation(int value);
    void ChangeHSharpness(int value);
    void ChangeVSharpness(int value);
    void SetDefault();
    void PictureControlReaded(const QByteArray& data);

protected:
    // A slider that is hidden or disabled while held may never see its release.
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void change(int kind, int value);
    void released(int kind);
    QSlider* slider(int kind) const;
    int channelCount() const;
    // The channel has an entry in every table.
    bool channelHeld();

    Ui_CPictureWidget m_ui;
    DVR m_connected_dvr;
    int m_channel = 0;
    cgi::PictureControlGet m_picture;
    std::unique_ptr<CReadDVRData> m_reader;
    CSendCommand* m_send_command = nullptr;
    bool m_slider_pressed = false;
};

// The entries are the same for the page: the fields that name, reach and show a DVR.
bool DVR_SameEntry(const DVR& a, const DVR& b);
