#pragma once

#include <QMenu>

class CDVRListTree;

// The DVR tree's context menu, for the tree's current item: connect and disconnect, and the
// group and DVR edits. The e-map edit form leaves connecting out.
class CMenuDVRList : public QMenu {
    Q_OBJECT

public:
    CMenuDVRList(QWidget* tree, bool emapEdit);
    ~CMenuDVRList() override;

private:
    QAction* add(const QString& text, bool enabled, void (CDVRListTree::*slot)());

    CDVRListTree* m_tree;
};
