#include "EMap/EMapList.h"

#include <QMouseEvent>
#include <QTimer>

#include "Common/Prompt.h"
#include "EMap/ControlEMapList.h"
#include "EMap/SetEMapInfoDialog.h"
#include "ProtoBuf/ListMetaTypes.h"

namespace {

constexpr int LIST_WIDTH = 172;

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

template <class T>
bool Holds(const QTreeWidgetItem* item)
{
    return item && item->data(0, EMAP_LIST_DATA_ROLE).metaType() == QMetaType::fromType<T>();
}

}  // namespace

EMap EMapOfItem(const QTreeWidgetItem* item)
{
    return Holds<EMap>(item) ? item->data(0, EMAP_LIST_DATA_ROLE).value<EMap>() : EMap();
}

EMapList EMapListOfItem(const QTreeWidgetItem* item)
{
    return Holds<EMapList>(item) ? item->data(0, EMAP_LIST_DATA_ROLE).value<EMapList>() : EMapList();
}

CEMapList::CEMapList(QWidget* parent) : QTreeWidget(parent)
{
    RegisterListMetaTypes();
    setColumnCount(1);
    setHeaderHidden(true);
    setFixedWidth(LIST_WIDTH);
    setSortingEnabled(false);
    m_infoDialog = new CSetEMapInfoDialog(parent);
    connect(m_infoDialog, &QDialog::accepted, this, &CEMapList::OnUpdateEMap);
    loadEMapList();
}

CEMapList::~CEMapList()
{
    // Without a parent of its own the dialog would outlive the list.
    if (m_infoDialog && !m_infoDialog->parent())
        delete m_infoDialog;
}

void CEMapList::loadEMapList()
{
    ListDamage damage;
    // Groups that could not be written are not given up for the file's.
    EMapGroupList groups = m_unsaved ? groupList() : CControlEMapList().Load(&damage);
    if (!m_unsaved)
        m_keepOld = damage.unreadable;
    clear();
    m_selectedItem = nullptr;
    m_openGroupItem = nullptr;
    m_editItem = nullptr;
    for (const EMapList& group : groups.emap_list())
        addGroup(group, true);
    const bool empty = groups.emap_list_size() == 0;
    groups.clear_emap_list();
    m_listExtras = groups;
    if ((damage.damaged || damage.unreadable) && !m_damageTold) {
        m_damageTold = true;
        const QString text = ListDamageText(
            damage,
            tr("The e-map list file \"%1\" could not be read (%2). The default list is shown instead; "
               "nothing was overwritten."),
            tr("The e-map list file was damaged. Read from it: %1 groups and %2 maps. "
               "The damaged file is kept as \"%3\"."));
        // After the window is up, not from inside its construction.
        QTimer::singleShot(0, this, [this, text] { CPrompt::current().message(window(), text); });
    }
    if (!empty)
        return;
    // Kept in memory only: the file is first written at the first change.
    EMapList first;
    first.set_name("Group");
    first.add_emap()->set_name("emap1");
    addGroup(first, true);
}

QTreeWidgetItem* CEMapList::appendGroupItem(const EMapList& list)
{
    auto* item = new QTreeWidgetItem(this);
    item->setText(0, Utf8(list.name()));
    item->setIcon(0, CControlEMapList::getGroupIcon());
    item->setData(0, EMAP_LIST_DATA_ROLE, QVariant::fromValue(list));
    return item;
}

void CEMapList::addGroup(const EMapList& list, bool loading)
{
    EMapList held = list;
    // Outside loading every map joins the group's list through addEMap.
    if (!loading)
        held.clear_emap();
    setCurrentItem(appendGroupItem(held));
    for (const EMap& map : list.emap())
        addEMap(map, loading);
}

EMapGroupList CEMapList::groupList() const
{
    EMapGroupList groups = m_listExtras;
    for (int i = 0; i < topLevelItemCount(); ++i)
        *groups.add_emap_list() = EMapListOfItem(topLevelItem(i));
    return groups;
}

// Every change saves once, so every failed change is told once.
bool CEMapList::saveEMapList() { return writeList(true); }

bool CEMapList::saveBeforeExit() { return !m_unsaved || writeList(false); }

bool CEMapList::writeList(bool tellFailure)
{
    ListSave save;
    save.keepOld = m_keepOld;
    if (CControlEMapList().Save(groupList(), &save)) {
        m_unsaved = false;
        m_saveFailure.clear();
        const QString kept = ListKeptText(
            save, tr("The e-map list file that could not be read at start is kept as \"%1\"."),
            tr("The e-map list file was changed elsewhere after this program last read or saved it. "
               "That version is kept as \"%1\"."));
        if (!kept.isEmpty())
            CPrompt::current().message(window(), kept);
        m_keepOld = false;
        return true;
    }
    m_unsaved = true;
    m_saveFailure = save.reason;
    if (tellFailure)
        CPrompt::current().message(window(), tr("The e-map list could not be saved (%1).").arg(save.reason));
    return false;
}

QTreeWidgetItem* CEMapList::groupOf(QTreeWidgetItem* item)
{
    while (item && item->parent())
        item = item->parent();
    return item;
}

QTreeWidgetItem* CEMapList::findGroup(const QString& name) const
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->text(0) == name)
            return topLevelItem(i);
    }
    return nullptr;
}

void CEMapList::storeGroupMap(QTreeWidgetItem* groupItem, int index, const EMap* map)
{
    EMapList list = EMapListOfItem(groupItem);
    if (index < 0 && map) {
        *list.add_emap() = *map;
    } else if (index >= 0 && index < list.emap_size()) {
        if (map)
            *list.mutable_emap(index) = *map;
        else
            list.mutable_emap()->DeleteSubrange(index, 1);
    }
    groupItem->setData(0, EMAP_LIST_DATA_ROLE, QVariant::fromValue(list));
}

void CEMapList::setItemData(QTreeWidgetItem* item, const EMap& map)
{
    item->setData(0, EMAP_LIST_DATA_ROLE, QVariant::fromValue(map));
    item->setText(0, Utf8(map.name()));
    item->setIcon(0, CControlEMapList::getMapIcon());
}

void CEMapList::clearIcon()
{
    for (int g = 0; g < topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = topLevelItem(g);
        for (int m = 0; m < group->childCount(); ++m)
            group->child(m)->setIcon(0, CControlEMapList::getMapIcon());
    }
}

void CEMapList::setEditable(bool editable)
{
    if (editable == m_editable)
        return;
    clearIcon();
    m_editable = editable;
}

QIcon CEMapList::selectedIcon() const
{
    return m_editable ? CControlEMapList::getSelectedMapEditIcon() : CControlEMapList::getSelectedMapViewIcon();
}

void CEMapList::viewSelectedEmap()
{
    QTreeWidgetItem* item = currentItem();
    if (!Holds<EMap>(item))
        return;
    m_selectedItem = item;
    m_groupView = false;
    emit signalSelectedEMap(EMapOfItem(item));
    item->setIcon(0, selectedIcon());
}

void CEMapList::mouseDoubleClickEvent(QMouseEvent*)
{
    // The base class is left out: a double click never folds a group.
    QTreeWidgetItem* item = currentItem();
    if (!item)
        return;
    if (isGroup(item) && item->childCount() > 0 && m_editable)
        return;
    clearIcon();
    if (!isGroup(item)) {
        viewSelectedEmap();
        return;
    }
    if (item->childCount() == 0 || !Holds<EMapList>(item))
        return;
    m_selectedItem = item->child(0);
    m_openGroupItem = item;
    emit signalSelectedEMapGroup(EMapListOfItem(item));
    m_groupView = true;
    for (int i = 0; i < item->childCount(); ++i)
        item->child(i)->setIcon(0, i == 0 ? CControlEMapList::getSelectedMapViewIcon()
                                          : CControlEMapList::getConnectedMapIcon());
}

void CEMapList::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    QTreeWidget::mousePressEvent(event);
}

void CEMapList::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = currentItem();
    if (m_leftPressed && item && item->childCount() == 0 && m_openGroupItem
        && item->parent() == m_openGroupItem) {
        const int index = m_openGroupItem->indexOfChild(item);
        emit changedEMap(index);
        if (m_groupView) {
            for (int i = 0; i < m_openGroupItem->childCount(); ++i) {
                QIcon icon = selectedIcon();
                if (i != index)
                    icon = m_editable ? CControlEMapList::getMapIcon() : CControlEMapList::getConnectedMapIcon();
                m_openGroupItem->child(i)->setIcon(0, icon);
            }
        }
    }
    QTreeWidget::mouseReleaseEvent(event);
}

// ---- Editing ----------------------------------------------------------------------------

void CEMapList::OnAddEMap()
{
    m_dialogMode = DIALOG_ADD;
    QTreeWidgetItem* group = groupOf(currentItem());
    m_infoDialog->setEMap(group ? group->text(0) : QString(), EMap());
    CPrompt::current().exec(m_infoDialog);
}

void CEMapList::OnEditEMap()
{
    QTreeWidgetItem* item = currentItem();
    if (!item)
        return;
    m_dialogMode = DIALOG_EDIT;
    if (!isGroup(item)) {
        m_editItem = item;
        m_infoDialog->setEMap(item->parent()->text(0), EMapOfItem(item));
        CPrompt::current().exec(m_infoDialog);
        return;
    }
    QString name = item->text(0);
    if (!CPrompt::current().askText(nullptr, tr("Modify group name"), tr("Group name:"), &name) || name.isEmpty())
        return;
    EMapList list = EMapListOfItem(item);
    list.set_name(name.toStdString());
    item->setData(0, EMAP_LIST_DATA_ROLE, QVariant::fromValue(list));
    item->setText(0, name);
    saveEMapList();
}

void CEMapList::OnDeleteEMap()
{
    QTreeWidgetItem* item = currentItem();
    if (!item)
        return;
    const QString question = isGroup(item) ? tr("Are you sure you delete the selected map group?")
                                            : tr("Are you sure you delete the selected map?");
    if (!CPrompt::current().askYesNo(nullptr, question))
        return;
    deleteEMap(item);
    saveEMapList();
}

void CEMapList::deleteEMap(QTreeWidgetItem* item)
{
    bool removesShown = false;
    if (isGroup(item)) {
        removesShown = m_selectedItem && m_selectedItem->parent() == item;
        if (m_openGroupItem == item)
            m_openGroupItem = nullptr;
        if (m_editItem && m_editItem->parent() == item)
            m_editItem = nullptr;
        delete item;
    } else {
        QTreeWidgetItem* group = item->parent();
        const int index = group->indexOfChild(item);
        storeGroupMap(group, index, nullptr);
        removesShown = item == m_selectedItem;
        if (m_editItem == item)
            m_editItem = nullptr;
        delete group->takeChild(index);
    }
    if (removesShown) {
        m_selectedItem = nullptr;
        emit signalRemoveEMap();
    }
}

void CEMapList::addEMap(const EMap& map, bool loading)
{
    QTreeWidgetItem* group = groupOf(currentItem());
    if (!group)
        return;
    auto* item = new QTreeWidgetItem(group);
    group->setExpanded(true);
    if (!loading)
        storeGroupMap(group, -1, &map);
    setItemData(item, map);
    if (!loading)
        setCurrentItem(item);
}

void CEMapList::editEMap(const EMap& map)
{
    QTreeWidgetItem* item = currentItem();
    if (!item || isGroup(item))
        return;
    QTreeWidgetItem* group = item->parent();
    const int index = group->indexOfChild(item);
    const EMapList list = EMapListOfItem(group);
    if (index >= list.emap_size())
        return;
    // The cameras stay; only the name and the picture come from the dialog.
    EMap updated = list.emap(index);
    updated.set_name(map.name());
    updated.set_map_image_path(map.map_image_path());
    storeGroupMap(group, index, &updated);
    setItemData(item, updated);
    if (item == m_selectedItem)
        emit signalSelectedEMap(updated);
}

void CEMapList::OnUpdateEMap()
{
    if (m_dialogMode == DIALOG_EDIT && !m_editItem)
        return;
    const QString name = m_infoDialog->getGroupName();
    QTreeWidgetItem* group = findGroup(name);
    const bool existed = group != nullptr;
    if (!existed) {
        EMapList list;
        list.set_name(name.toStdString());
        group = appendGroupItem(list);
        setCurrentItem(group);
    }
    const EMap fromDialog = m_infoDialog->getEMap();
    if (m_dialogMode == DIALOG_ADD) {
        if (existed)
            setCurrentItem(group);
        addEMap(fromDialog, false);
    } else if (existed && m_editItem->parent() == group) {
        setCurrentItem(m_editItem);
        editEMap(fromDialog);
    } else {
        // Into another group: the map takes its cameras along.
        EMap moved = fromDialog;
        *moved.mutable_items() = EMapOfItem(m_editItem).items();
        deleteEMap(m_editItem);
        setCurrentItem(group);
        addEMap(moved, false);
    }
    viewSelectedEmap();
    saveEMapList();
}

void CEMapList::OnSaveEMap(const EMap& map)
{
    if (!m_selectedItem)
        return;
    QTreeWidgetItem* group = m_selectedItem->parent();
    storeGroupMap(group, group->indexOfChild(m_selectedItem), &map);
    // The map stays the one shown, with its icon.
    const QIcon icon = m_selectedItem->icon(0);
    setItemData(m_selectedItem, map);
    m_selectedItem->setIcon(0, icon);
    saveEMapList();
}
