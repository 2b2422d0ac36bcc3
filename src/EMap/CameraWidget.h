#pragma once

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "DVRList.pb.h"
#include "Display/DisplayInfo.h"
#include "EMap/ShowVideoDialog.h"
#include "Network/EMapStatus.h"

class QLabel;
class QVBoxLayout;

// Where a camera icon goes for the pointer at `pointer` (coordinates of the picture label):
// centred under it, never left of or above 0, and at least one pixel short of the label's
// right and bottom edges. onPicture: that corner lies on the picture the label shows.
struct CameraPlacement {
    QPoint pos;
    bool onPicture = false;
};
CameraPlacement PlaceCamera(const QPoint& pointer, const QSize& icon, const QSize& label, const QRect& picture);

// One camera on an e-map: the camera picture on a square coloured by the camera's state, its
// title below. In view mode it takes its channel's states from its DVR's stream, logs them
// through the map view and opens the camera's live video on a double click or on an event;
// in edit mode it can be dragged over the picture and deleted.
class CCameraWidget : public QWidget {
    Q_OBJECT

public:
    // parent: the picture label of the map view.
    explicit CCameraWidget(QWidget* parent);
    ~CCameraWidget() override;

    void setDVR(const DVR& dvr, int camera);
    DVR getDVR() const { return m_cameraDvr; }
    int getCameraIndex() const { return m_cameraIndex; }
    void setConnectionID(int id) { m_connectionID = id; }
    int getConnectionID() const { return m_connectionID; }
    void setEditable(bool editable) { m_editable = editable; }
    bool isEnableVideoWidget() const { return m_videoDialog != nullptr; }

    // A dropped camera: under the pointer; off the picture the operator is told and the icon
    // goes to the picture's centre.
    void moveWidget();
    // Opens the pop-up near point (icon coordinates), in view mode and when none is open.
    void setShowVideo(const QPoint& point);
    void setDisplayInfo(const CDisplayInfo& info);
    // The pop-up's title: the time of the newest key frame.
    void setDisplayTime(unsigned int time);
    // The pop-up of a motion or sensor event, when the "EmapPopup" setting asks for it.
    void checkPopup();

    int status() const { return m_status; }
    bool isRecording() const { return m_recording; }
    Qt::GlobalColor fillColor() const { return m_fillColor; }
    CShowVideoDialog* videoDialog() const { return m_videoDialog; }
    QTimer* popDownTimer() const { return m_popDownTimer; }
    QString title() const;

public slots:
    void OnCameraStatus(int ch, const QString& strTime, bool recordStatus, EMap_Status::ENUM status);
    void OnCloseVideo();
    void closeVideoWidget();

signals:
    // Emitted once a drag ends where it started from elsewhere.
    void updatePosition();
    void deleteCamera();
    void showVideo();
    void closeVideo();
    void updateLog(const QString& strTime, EMap_Status::ENUM status);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The placement for a global pointer position, against the picture label.
    CameraPlacement placement(const QPoint& globalPointer) const;
    QRect pictureRect() const;
    void setPicture(bool recording);

    bool m_dragging = false;
    QPoint m_dragStart;
    DVR m_cameraDvr;
    int m_cameraIndex = -1;
    QLabel* m_iconLabel = nullptr;
    QLabel* m_nameLabel = nullptr;
    QVBoxLayout* m_layout = nullptr;
    bool m_editable = false;
    int m_connectionID = -1;
    int m_status = 0;
    bool m_recording = false;
    Qt::GlobalColor m_fillColor = Qt::transparent;
    QPointer<CShowVideoDialog> m_videoDialog;
    unsigned int m_lastTime = 0;
    QTimer* m_popDownTimer = nullptr;
};
