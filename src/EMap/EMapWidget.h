#pragma once

#include <cstdint>

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include "Common/DecodeVideo.h"
#include "EMapList.pb.h"
#include "Network/DisplayDvrInfo.h"
#include "Network/EMapStatus.h"
#include "ui_EMapWidget.h"

class CCameraWidget;
class CHttpConnect;
class CSendCommand;
class QLabel;
class QDropEvent;
class QScrollArea;

// One e-map: its picture with a camera icon per camera placed on it. In view mode one
// header-only stream per DVR (address and port) colours the icons and feeds the event log,
// and a camera's pop-up gets its channel sent whole and decoded here. In edit mode cameras
// are dropped from the DVR tree, dragged and deleted, and every change goes out whole through
// signalSaveEMap. Deleted when closed; its streams live exactly as long as the view.
class CEMapWidget : public QWidget {
    Q_OBJECT

public:
    explicit CEMapWidget(QWidget* parent = nullptr);
    ~CEMapWidget() override;

    // Before setSelectedEMap; the mode does not change afterwards.
    void setEditable(bool editable) { m_editable = editable; }
    bool isEditable() const { return m_editable; }
    void updateImage(const QString& path);
    // Lays the picture out again by the "EmapImageSize" setting.
    void updateImageSize();
    void moveCameraWidget();
    // Closes every pop-up of the map.
    void closeVideoWidget();
    void languageChange();

    // The streams opened from now on report a failure after this long without a packet.
    void setNoPacketTimeout(int msec) { m_noPacketTimeoutMs = msec; }

    const EMap& emap() const { return m_emap; }
    const QList<CCameraWidget*>& cameraWidgets() const { return m_cameraWidgets; }
    const QList<CHttpConnect*>& connections() const { return m_connections; }
    // The channels of stream `connection` whose pop-up is open.
    uint32_t showVideoMask(int connection) const;
    QLabel* imageLabel() const { return m_imageLabel; }

public slots:
    void setSelectedEMap(const EMap& emap);
    // The camera the DVR tree offers for dropping.
    void setCameraItem(const DVR& dvr, int camera);
    void OnUpdatePosition();
    void OnDeleteCamera();
    void OnDeleteAll();
    void OnUpdateLog(const QString& strTime, EMap_Status::ENUM status);
    void OnShowVideo();
    void OnCloseVideo();
    void OnDisplayVideo(const DISPLAY_DVR_INFO& info, const QByteArray& data);

signals:
    void signalSaveEMap(const EMap& emap);
    // One line of the event log, plain text.
    void updateLog(const QString& log);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Accepts a camera dragged from the DVR tree, in edit mode; ignores anything else.
    bool acceptsDrag(QDropEvent* event) const;
    CCameraWidget* createCamera();
    void openStreams(const QList<DVR>& streams);
    void stopStreams();
    // Adds (open) or removes the sender's channel from its stream's pop-up mask and tells the
    // DVR; restarts the camera's decoder slot in either case.
    void changePopup(CCameraWidget* icon, bool open);
    void sendStreamChannel(const CCameraWidget* icon, int connection);
    void onStreamConnected(CHttpConnect* connection, int clientId);
    QPixmap shownPicture() const;
    QSize areaSize() const;
    // Between a stored camera position and the pixels of the picture as the label draws it.
    QPoint shownPosition(const EMapItems& item) const;
    void storePosition(EMapItems* item, const QPoint& shownPos) const;

    Ui_CEMapWidget m_ui;
    QLabel* m_imageLabel = nullptr;
    QPointer<QScrollArea> m_scrollArea;
    DVR m_dropDvr;
    int m_dropChannel = 0;
    QList<CCameraWidget*> m_cameraWidgets;
    QList<CHttpConnect*> m_connections;  // owned
    QList<uint32_t> m_streamMasks;       // per connection, the channels it was opened with
    QList<uint32_t> m_showVideoChannel;  // per connection, the channels with a pop-up open
    QList<int> m_maskClientId;           // per connection, the stream id its mask went to
    EMap m_emap;
    bool m_editable = false;
    CSendCommand* m_sendCommand = nullptr;
    CDecodeVideo m_videoDecoder;         // slot k: camera k
    // Around the pop-up masks and the decoder.
    QMutex m_maskMutex;
    QPixmap m_mapPixmap;
    int m_noPacketTimeoutMs = 0;
};
