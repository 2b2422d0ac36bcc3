#pragma once

#include <QList>
#include <QPushButton>
#include <QWidget>

#include "DVRList.pb.h"
#include "ui_LiveCtrlWidget.h"

class CAutoPresetWidget;
class CPictureWidget;
class CPtzfWidget;
class CRemotePortWiget;

// The control panel under the live video: PTZ, preset tour, relay and picture pages for
// the DVR and camera of the selected screen, chosen by the column of page buttons. The
// panel itself sends nothing; it tells the pages where their commands go.
class CLiveCtrlWidget : public QWidget {
    Q_OBJECT

public:
    enum Page { PAGE_PTZ = 0, PAGE_AUTO_PRESET = 1, PAGE_REMOTE_PORT = 2, PAGE_PICTURE = 3 };

    explicit CLiveCtrlWidget(QWidget* parent = nullptr);
    ~CLiveCtrlWidget() override;

    void changeWidget(int index);
    void EnableWidget(bool enable);
    // hasRemotePort: the DVR's model has a relay output (false on the old protocol).
    void setConnectedDVR(const DVR& dvr, int clientId, bool hasRemotePort);
    // The selected screen shows this channel of the DVR (0-based).
    void setSelectedChannel(int channel);
    void setVisiblePictureCtrl(bool visible);
    void languageChange();

public slots:
    // A page button was clicked: the page named by the digit in its name.
    void changeWidget();

protected:
    void changeEvent(QEvent* event) override;

private:
    // Hands the selected channel to the page shown.
    void handChannel();

    Ui_CLiveCtrlWidget m_ui;
    QList<QPushButton*> m_page_buttons;
    CPtzfWidget* m_ptzf = nullptr;
    CAutoPresetWidget* m_auto_preset = nullptr;
    CRemotePortWiget* m_remote_port = nullptr;
    CPictureWidget* m_picture = nullptr;
    int m_channel = 0;
};
