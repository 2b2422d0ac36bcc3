#pragma once

#include <functional>

#include <QMenu>

class QContextMenuEvent;

// The e-map list's context menu in e-map edit mode: add, edit and delete maps and groups.
class CEMapMenu : public QMenu {
    Q_OBJECT

public:
    // emapList: the CEMapList whose operations the actions run.
    explicit CEMapMenu(QWidget* emapList);
    ~CEMapMenu() override;
};

// The one-entry menu of a map or a camera in edit mode, run where the operator clicked; a
// widget that is not editable passes the click on.
void EMap_RunEditMenu(QContextMenuEvent* event, bool editable, const QString& text,
                      const std::function<void()>& onChosen);
