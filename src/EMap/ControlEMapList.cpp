#include "EMap/ControlEMapList.h"

#include <QDir>
#include <QFile>

#include "Common/AppDir.h"
#include "Common/PBFile.h"
#include "ProtoBuf/ListRepair.h"
#include "DVRList/ControlDVRList.h"

namespace {

// Local 8-bit file name: a folder name outside ASCII must still reach the file.
std::string filePath()
{
    const QString path =
        CAppDir::getCurrentPath() + QDir::separator() + QLatin1String(PB_EMAPLIST_FILENAME);
    return QFile::encodeName(path).toStdString();
}

// Cut groups and maps keep the whole maps and cameras before the cut; a cut camera is dropped.
const PBShape& ListShape()
{
    static const PBShape map{{{3, nullptr, &EMapItems::default_instance()}}};
    static const PBShape group{{{2, &map, nullptr}}};
    static const PBShape list{{{1, &group, nullptr}}};
    return list;
}

}  // namespace

EMapGroupList CControlEMapList::Load(ListDamage* damage)
{
    EMapGroupList list;
    const std::string path = filePath();
    const CPBFile::LoadReport report = CPBFile(path, PB_EMAPLIST_FILECODE).Load(&list, ListShape());
    NoteDamage(report, path, list.emap_list(), [](const EMapList& group) { return group.emap_size(); }, damage);
    EMapGroupList_Repair(&list);
    return list;
}

bool CControlEMapList::Save(const EMapGroupList& list, ListSave* save)
{
    return SaveListFile(filePath(), PB_EMAPLIST_FILECODE, list, save);
}

QIcon CControlEMapList::getGroupIcon()
{
    // The same folder as the DVR tree's groups.
    return CControlDVRList::getGroupIcon();
}

QIcon CControlEMapList::getMapIcon()
{
    static const QIcon icon(QStringLiteral(":/Viewer/files/images/map.png"));
    return icon;
}

QIcon CControlEMapList::getConnectedMapIcon()
{
    static const QIcon icon(QStringLiteral(":/Viewer/files/images/connected_map.png"));
    return icon;
}

QIcon CControlEMapList::getSelectedMapEditIcon()
{
    static const QIcon icon(QStringLiteral(":/Viewer/files/images/selected_map_edit.png"));
    return icon;
}

QIcon CControlEMapList::getSelectedMapViewIcon()
{
    static const QIcon icon(QStringLiteral(":/Viewer/files/images/selected_map_view.png"));
    return icon;
}
