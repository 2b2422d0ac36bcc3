#pragma once

#include <QIcon>

#include "GroupList.pb.h"

// Item data role of column 0 in the DVR tree: a group item holds its Group, a DVR item its
// DVR. The connection objects read the DVR items through it.
inline constexpr int DVR_TREE_DATA_ROLE = Qt::UserRole;

// Where the operator's DVR list lies, what a new operator starts with, and the icons of
// the DVR tree. Made on the stack for one call.
class CControlDVRList {
public:
    // The stored list; one group "My Group" with one DVR "My DVR" when it holds no group.
    // Writes nothing.
    GroupList Load();
    // Replaces the stored list; false when it could not be written and the old file stays.
    [[nodiscard]] bool Save(const GroupList& list);

    static QIcon getDVRIcon();
    static QIcon getCameraIcon();
    static QIcon getGroupIcon();
    static QIcon getConnectedIcon();
    static QIcon getConnectionFailedIcon();
};
