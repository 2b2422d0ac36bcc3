#include "DVRList/ControlDVRList.h"

#include <QDir>
#include <QFile>

#include "Common/AppDir.h"
#include "Common/PBFile.h"
#include "ProtoBuf/ListRepair.h"

namespace {

// Local 8-bit file name: a folder name outside ASCII must still reach the file.
std::string filePath()
{
    const QString path =
        CAppDir::getCurrentPath() + QDir::separator() + QLatin1String(PB_DVRLIST_FILENAME);
    return QFile::encodeName(path).toStdString();
}

}  // namespace

GroupList CControlDVRList::Load()
{
    GroupList list;
    CPBFile(filePath(), PB_DVRLIST_FILECODE).Load(&list);
    GroupList_Repair(&list);
    if (list.group_size() == 0) {
        Group* group = list.add_group();
        group->set_name("My Group");
        group->add_dvr()->set_name("My DVR");
    }
    return list;
}

bool CControlDVRList::Save(const GroupList& list)
{
    return CPBFile(filePath(), PB_DVRLIST_FILECODE).Save(list);
}

QIcon CControlDVRList::getDVRIcon()
{
    static const QIcon icon(QStringLiteral(":/Viewer/files/images/dvr.png"));
    return icon;
}

QIcon CControlDVRList::getCameraIcon()
{
    static const QIcon icon(QStringLiteral(":/Viewer/files/images/camera.png"));
    return icon;
}

QIcon CControlDVRList::getGroupIcon()
{
    static const QIcon icon(QStringLiteral(":/Viewer/files/images/group.png"));
    return icon;
}

QIcon CControlDVRList::getConnectedIcon()
{
    static const QIcon icon(QStringLiteral(":/Viewer/files/images/connected.png"));
    return icon;
}

QIcon CControlDVRList::getConnectionFailedIcon()
{
    static const QIcon icon(QStringLiteral(":/Viewer/files/images/notConnected.png"));
    return icon;
}
