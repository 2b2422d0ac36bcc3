#include "DVRList/MenuDVRList.h"

#include "DVRList/DVRListTree.h"

CMenuDVRList::CMenuDVRList(QWidget* tree, bool emapEdit)
    : QMenu(tree), m_tree(qobject_cast<CDVRListTree*>(tree))
{
    if (!m_tree)
        return;
    int group = -1;
    int dvr = -1;
    const bool onItem = m_tree->itemPosition(m_tree->currentItem(), &group, &dvr);
    const bool onDvr = onItem && dvr >= 0;
    if (!emapEdit) {
        add(tr("Connect"), onItem, &CDVRListTree::connectCurrent);
        if (onItem && group == m_tree->connectedGroup())
            add(tr("Disconnect"), true, &CDVRListTree::disconnectCurrent);
        addSeparator();
    }
    add(tr("Add Group"), true, &CDVRListTree::addGroup);
    add(tr("Edit Group"), onItem, &CDVRListTree::editGroup);
    add(tr("Delete Group"), onItem, &CDVRListTree::deleteGroup);
    addSeparator();
    add(tr("Add DVR"), onItem, &CDVRListTree::addDVR);
    add(tr("Edit DVR"), onDvr, &CDVRListTree::editDVR);
    add(tr("Delete DVR"), onDvr, &CDVRListTree::deleteDVR);
}

CMenuDVRList::~CMenuDVRList() = default;

QAction* CMenuDVRList::add(const QString& text, bool enabled, void (CDVRListTree::*slot)())
{
    QAction* action = addAction(text);
    action->setEnabled(enabled);
    connect(action, &QAction::triggered, m_tree, slot);
    return action;
}
