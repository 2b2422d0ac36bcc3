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

}  // namespace

EMapGroupList CControlEMapList::Load()
{
    EMapGroupList list;
    CPBFile(filePath(), PB_EMAPLIST_FILECODE).Load(&list);
    EMapGroupList_Repair(&list);
    return list;
}

bool CControlEMapList::Save(const EMapGroupList& list)
{
    return CPBFile(filePath(), PB_EMAPLIST_FILECODE).Save(list);
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
