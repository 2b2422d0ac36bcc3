#pragma once

#include <QMenu>

// The e-map list's context menu in e-map edit mode: add, edit and delete maps and groups.
class CEMapMenu : public QMenu {
    Q_OBJECT

public:
    // emapList: the CEMapList whose operations the actions run.
    explicit CEMapMenu(QWidget* emapList);
    ~CEMapMenu() override;
};
