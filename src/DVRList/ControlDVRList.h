#pragma once

#include <QIcon>
#include <QString>

#include "Common/PBFile.h"
#include "GroupList.pb.h"

// Item data role of column 0 in the DVR tree: a group item holds its Group, a DVR item its
// DVR. The connection objects read the DVR items through it.
inline constexpr int DVR_TREE_DATA_ROLE = Qt::UserRole;

// What a damaged list file gave, or why a list file could not be read, to be told to the
// operator.
struct ListDamage {
    bool damaged = false;
    // The file is there but nothing could be read from it (a folder in its place, no read
    // permission); a save leaves it alone too.
    bool unreadable = false;
    QString reason;  // why it could not be read
    int groups = 0;
    int entries = 0;  // DVRs, or the maps of the e-map list
    // The copy of the damaged file; the file itself when no copy could be made (a save then
    // leaves it alone) or when it could not be read.
    QString keptAs;
};

// How a list is saved and what came of it.
struct ListSave {
    // The file was there and could not be read when the list was loaded: whatever it holds
    // now is kept under a dated name before it is replaced.
    bool keepOld = false;
    QString reason;  // why it could not be saved
    QString keptAs;  // where the file replaced was kept, when it was
    // The file replaced had been changed by someone else since it was read or saved here.
    bool changed = false;
};

// Where the operator's DVR list lies, what a new operator starts with, and the icons of
// the DVR tree. Made on the stack for one call.
class CControlDVRList {
public:
    // The stored list; one group "My Group" with one DVR "My DVR" when it holds no group.
    // Of a damaged file the whole groups and DVRs before the damage, and the file is kept
    // under a dated name; *damage (when given) says so, and of a file that cannot be read why.
    GroupList Load(ListDamage* damage = nullptr);
    // Replaces the stored list; false when it could not be written and the old file stays.
    [[nodiscard]] bool Save(const GroupList& list, ListSave* save = nullptr);

    static QIcon getDVRIcon();
    static QIcon getCameraIcon();
    static QIcon getGroupIcon();
    static QIcon getConnectedIcon();
    static QIcon getConnectionFailedIcon();
};

// What the operator is told of a list file: `unreadable` takes the file (%1) and the reason
// (%2), `damaged` the groups (%1), the entries (%2) and where the file is kept (%3).
QString ListDamageText(const ListDamage& damage, const QString& unreadable, const QString& damaged);

// What the operator is told of the file a save replaced and kept (%1 where): `unread` when it
// could not be read at start, `changed` when someone else had changed it; empty for nothing.
QString ListKeptText(const ListSave& save, const QString& unread, const QString& changed);

// Saves a list file through the file container, as *save (when given) asks and tells.
bool SaveListFile(const std::string& path, const std::string& code, const google::protobuf::MessageLite& list,
                  ListSave* save);

// Fills *damage (when given) from what the file container reported of the list at `path`.
void NoteDamage(const CPBFile::LoadReport& report, const std::string& path, ListDamage* damage);

// The same, with the groups read and the entries `entriesOf` counts in each of them.
template <typename Groups, typename EntriesOf>
void NoteDamage(const CPBFile::LoadReport& report, const std::string& path, const Groups& groups,
                EntriesOf entriesOf, ListDamage* damage)
{
    if (!damage)
        return;
    damage->groups = groups.size();
    damage->entries = 0;
    for (const auto& group : groups)
        damage->entries += entriesOf(group);
    NoteDamage(report, path, damage);
}
