#pragma once

#include <QIcon>

#include "DVRList/ControlDVRList.h"
#include "EMapList.pb.h"

// Item data role of column 0 in the e-map list: a group item holds its EMapList, a map item
// its EMap.
inline constexpr int EMAP_LIST_DATA_ROLE = Qt::UserRole;

// Where the e-map list lies, and the icons of its tree. Made on the stack for one call.
class CControlEMapList {
public:
    // The stored e-map groups; empty when there is no readable file. Of a damaged file the
    // whole groups, maps and cameras before the damage, and the file is kept under a dated
    // name; *damage (when given) says so.
    EMapGroupList Load(ListDamage* damage = nullptr);
    // Replaces the stored list; false when it could not be written and the old file stays.
    [[nodiscard]] bool Save(const EMapGroupList& list, ListSave* save = nullptr);

    static QIcon getGroupIcon();
    static QIcon getMapIcon();
    // A map of the group open in view mode, other than the one shown.
    static QIcon getConnectedMapIcon();
    // The map shown, in edit and in view mode.
    static QIcon getSelectedMapEditIcon();
    static QIcon getSelectedMapViewIcon();
};
