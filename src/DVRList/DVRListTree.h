#pragma once

#include <deque>
#include <string>
#include <vector>

#include <QHash>
#include <QString>
#include <QTimer>
#include <QTreeWidget>

#include "DVRList/ControlDVRList.h"
#include "cgi_response.pb.h"

class CSendCommand;
class QMimeData;

// What a camera item carries when it is dragged onto an e-map: the DVR entry and the channel.
inline constexpr char DVR_CAMERA_MIME_TYPE[] = "application/x-zavo-dvr-camera";

// The operator's DVRs in named groups: groups at the top level, their DVRs below and, in
// camera-name mode, one camera item per channel below each DVR. Every change the operator
// makes is saved to the DVR list file at once; camera names the DVRs answer with are saved
// once their replies pause (at the latest when the tree goes or reloads).
//
// Group and DVR positions in the signals are the items' positions in the tree, which are
// those of the list file.
class CDVRListTree : public QTreeWidget {
    Q_OBJECT

public:
    // Camera-name replies come in bursts (one per DVR on entering camera mode): the list is
    // written this long after the last of them.
    static constexpr int NAMES_SAVE_DELAY_MS = 1000;
    // At most this many entries take a reply's titles in one turn of the event loop; the rest
    // follow in the next turns, so a reply for thousands of entries never holds the window.
    static constexpr int NAMES_ENTRIES_PER_TURN = 50;

    enum ItemType { GROUP_ITEM = QTreeWidgetItem::UserType + 1, DVR_ITEM, CAMERA_ITEM };

    explicit CDVRListTree(QWidget* parent = nullptr);
    ~CDVRListTree() override;

    // Rebuilds the tree from the list file.
    void loadDVRList();
    // Writes the groups as the tree holds them; a failure is told to the operator with its
    // reason, and the groups stay as shown until a save works.
    bool saveDVRList();
    // Whether the groups shown are not in the file: a save failed since the last that worked.
    bool unsaved() const { return m_unsaved; }
    // Why the last save failed.
    QString saveFailure() const { return m_saveFailure; }
    // Before the program ends: writes what is not written yet, telling nothing of a failure.
    // True when nothing is left unsaved.
    bool saveBeforeExit();
    // Camera names received and not applied or not written yet.
    bool namesSavePending() const { return m_namesSave.isActive() || !m_namesQueue.empty(); }
    GroupList groupList() const;

    // Camera items and their dragging; a change rebuilds the tree from the list file and
    // asks current DVRs without camera names for them.
    void setCameraNameShow(bool show);
    bool cameraNameShow() const { return m_cameraNameShow; }

    // The plain icon again on every DVR of the group, after its connections stopped.
    void clearIcon(int groupIndex);

    // Highlights the DVR at these positions as the one the window acts on, without
    // announcing it as the operator's choice (changedDVR); nothing for a position with no DVR.
    void setCurrentDvr(int groupIndex, int dvrIndex);

    // The group the operator last connected, -1 when none.
    int connectedGroup() const { return m_connectedGroup; }

    // Positions of an item: its group and its DVR (-1 for a group item); false for none.
    bool itemPosition(const QTreeWidgetItem* item, int* groupIndex, int* dvrIndex) const;

    // The DVR and channel a drag of a camera item carries; false for other data.
    static bool readCameraMime(const QMimeData* mime, DVR* dvr, int* channel);

    // A DVR's camera-name reply, for every current-protocol DVR at that "address:port", applied
    // at once after the replies queued before it. The list is written NAMES_SAVE_DELAY_MS after
    // the last reply that changed a title.
    void applyCameraNames(const QString& key, const cgi::DvrInfo& info);
    // The same on the event loop, in turns of NAMES_ENTRIES_PER_TURN entries, after the replies
    // queued before it: the DVRs' replies come this way.
    void queueCameraNames(const QString& key, const cgi::DvrInfo& info);

    // A drag carries one camera item as DVR_CAMERA_MIME_TYPE; other items carry nothing.
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;

public slots:
    // The menu's operations, on the current item.
    void connectCurrent();
    void disconnectCurrent();
    void addGroup();
    void editGroup();
    void deleteGroup();
    void addDVR();
    void editDVR();
    void deleteDVR();

signals:
    void groupConnect(const QTreeWidgetItem& groupItem, int groupIndex, int dvrIndex);
    void changedDVR(int groupIndex, int dvrIndex);
    void disconnectDVR(int dvrIndex);
    void dragCameraItem(const DVR& dvr, int channel);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QTreeWidgetItem* groupItemOf(QTreeWidgetItem* item) const;
    QTreeWidgetItem* dvrItemOf(QTreeWidgetItem* item) const;
    QTreeWidgetItem* appendGroupItem(const Group& group);
    QTreeWidgetItem* newDvrItem(QTreeWidgetItem* groupItem);
    QTreeWidgetItem* appendDvrItem(QTreeWidgetItem* groupItem, const DVR& dvr);
    // Puts the DVR into its item only.
    void setDvrItem(QTreeWidgetItem* dvrItem, const DVR& dvr);
    // Puts the DVR into its item and into its group's record.
    void storeDvr(QTreeWidgetItem* dvrItem, const DVR& dvr);
    // Brings the camera items to the DVR's channels and titles, touching only what differs.
    void fillCameraItems(QTreeWidgetItem* dvrItem, const DVR& dvr);
    void tellDamage(const ListDamage& damage);
    enum class Tell { Failure, FirstFailure, KeptOnly, Nothing };
    bool writeList(Tell tell);
    void connectItem(QTreeWidgetItem* item);
    // Before an edit or deletion takes the group's items away from its connections.
    void disconnectGroup(int groupIndex);
    void onCurrentItemChanged(QTreeWidgetItem* current);
    static QString cameraTitle(const DVR& dvr, int channel);

    void requestCameraNames(const DVR& dvr);
    // Applies the queued replies until `entries` entries changed; false when some are left.
    bool applyQueuedNames(int entries);
    // Applies what is queued and writes camera names still waiting for the save timer.
    void flushNamesSave();
    // After a deletion moved the items: the reply being applied starts again from the top.
    void restartQueuedNames();

    bool m_cameraNameShow = false;
    int m_connectedGroup = -1;
    bool m_unsaved = false;
    QString m_saveFailure;
    // The file could not be read at the last load: the first save keeps what it holds.
    bool m_keepOld = false;
    bool m_damageTold = false;
    // What the list file holds besides its groups (fields of later versions), kept on save.
    GroupList m_listExtras;
    QTimer m_namesSave;
    struct NamesReply {
        QString key;
        std::vector<std::string> names;
        int group = 0;  // where it goes on
        int dvr = 0;
    };
    std::deque<NamesReply> m_namesQueue;
    QTimer m_namesWork;
    int m_lastGroup = -1;
    int m_lastDvr = -1;
    QHash<QString, CSendCommand*> m_nameRequests;  // by "address:port"; owned
};

DVR DvrOfItem(const QTreeWidgetItem* item);
Group GroupOfItem(const QTreeWidgetItem* item);
