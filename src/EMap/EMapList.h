#pragma once

#include <QPointer>
#include <QTreeWidget>

#include "EMap/SetEMapInfoDialog.h"
#include "EMapList.pb.h"

// The e-map groups with their maps, at the side of the main window in both e-map modes. It
// holds the whole e-map data: each group item keeps its EMapList (the maps with their cameras,
// child i being map i), each map item a copy of its EMap. Every change rewrites the e-map
// file; the list is not written before the first change.
class CEMapList : public QTreeWidget {
    Q_OBJECT

public:
    enum DialogMode { DIALOG_ADD = 0, DIALOG_EDIT = 1 };

    explicit CEMapList(QWidget* parent = nullptr);
    ~CEMapList() override;

    void loadEMapList();
    void addGroup(const EMapList& list, bool loading);
    // Writes the groups as the tree holds them; a failure is told to the operator with its
    // reason, and the groups stay as shown until a save works.
    bool saveEMapList();
    // Whether the groups shown are not in the file: a save failed since the last that worked.
    bool unsaved() const { return m_unsaved; }
    QString saveFailure() const { return m_saveFailure; }
    // Before the program ends: writes what is not written yet, telling nothing of a failure.
    // True when nothing is left unsaved.
    bool saveBeforeExit();
    EMapGroupList groupList() const;
    // Opens the current item when it is a map.
    void viewSelectedEmap();
    void setItemData(QTreeWidgetItem* item, const EMap& map);
    void clearIcon();
    void setEditable(bool editable);
    bool isEditable() const { return m_editable; }

    CSetEMapInfoDialog* infoDialog() const { return m_infoDialog; }
    QTreeWidgetItem* selectedMapItem() const { return m_selectedItem; }
    QTreeWidgetItem* openGroupItem() const { return m_openGroupItem; }

public slots:
    void OnAddEMap();
    void OnEditEMap();
    void OnDeleteEMap();
    // Stores the map that the shown map view changed (its cameras).
    void OnSaveEMap(const EMap& map);
    // The info dialog was accepted.
    void OnUpdateEMap();

signals:
    void signalSelectedEMap(const EMap& map);
    void signalSelectedEMapGroup(const EMapList& mapList);
    void signalRemoveEMap();
    void changedEMap(int emapIndex);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void addEMap(const EMap& map, bool loading);
    bool writeList(bool tellFailure);
    void editEMap(const EMap& map);
    void deleteEMap(QTreeWidgetItem* item);

    static bool isGroup(const QTreeWidgetItem* item) { return item && !item->parent(); }
    static QTreeWidgetItem* groupOf(QTreeWidgetItem* item);
    QTreeWidgetItem* findGroup(const QString& name) const;
    QTreeWidgetItem* appendGroupItem(const EMapList& list);
    // Replaces map `index` of the group's list (-1 appends, with a null map removes it).
    void storeGroupMap(QTreeWidgetItem* groupItem, int index, const EMap* map);
    QIcon selectedIcon() const;

    // Belongs to the list's parent, when there is one.
    QPointer<CSetEMapInfoDialog> m_infoDialog;
    DialogMode m_dialogMode = DIALOG_ADD;
    QTreeWidgetItem* m_editItem = nullptr;
    QTreeWidgetItem* m_selectedItem = nullptr;
    QTreeWidgetItem* m_openGroupItem = nullptr;
    bool m_leftPressed = false;
    bool m_editable = false;
    bool m_groupView = false;
    bool m_damageTold = false;
    bool m_unsaved = false;
    QString m_saveFailure;
    // The file could not be read at the last load: the first save keeps what it holds.
    bool m_keepOld = false;
    // What the e-map file holds besides its groups (fields of later versions), kept on save.
    EMapGroupList m_listExtras;
};

EMap EMapOfItem(const QTreeWidgetItem* item);
EMapList EMapListOfItem(const QTreeWidgetItem* item);
