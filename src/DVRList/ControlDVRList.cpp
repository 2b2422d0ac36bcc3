#include "DVRList/ControlDVRList.h"

#include <cstring>

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

// A cut group keeps the whole DVRs before the cut; a cut DVR is dropped.
const PBShape& ListShape()
{
    static const PBShape group{{{3, nullptr, &DVR::default_instance()}}};
    static const PBShape list{{{1, &group, nullptr}}};
    return list;
}

}  // namespace

void NoteDamage(const CPBFile::LoadReport& report, const std::string& path, ListDamage* damage)
{
    if (!damage)
        return;
    if (report.result == CPBFile::LoadResult::Unreadable) {
        damage->unreadable = true;
        damage->reason = QString::fromLocal8Bit(std::strerror(report.error));
        damage->keptAs = QFile::decodeName(path.c_str());
        return;
    }
    if (report.result != CPBFile::LoadResult::Damaged)
        return;
    damage->damaged = true;
    damage->keptAs = QFile::decodeName((report.keptAs.empty() ? path : report.keptAs).c_str());
}

bool SaveListFile(const std::string& path, const std::string& code, const google::protobuf::MessageLite& list,
                  ListSave* save)
{
    CPBFile::SaveReport report;
    const bool saved = CPBFile(path, code).Save(list, &report, save && save->keepOld);
    if (save) {
        save->reason = saved ? QString() : QString::fromLocal8Bit(std::strerror(report.error));
        save->keptAs = QFile::decodeName(report.keptAs.c_str());
        save->changed = report.changed;
    }
    return saved;
}

QString ListDamageText(const ListDamage& damage, const QString& unreadable, const QString& damaged)
{
    if (damage.unreadable)
        return unreadable.arg(damage.keptAs, damage.reason);
    return damaged.arg(damage.groups).arg(damage.entries).arg(damage.keptAs);
}

QString ListKeptText(const ListSave& save, const QString& unread, const QString& changed)
{
    if (save.keptAs.isEmpty())
        return QString();
    if (save.keepOld)
        return unread.arg(save.keptAs);
    return save.changed ? changed.arg(save.keptAs) : QString();
}

GroupList CControlDVRList::Load(ListDamage* damage)
{
    GroupList list;
    const std::string path = filePath();
    const CPBFile::LoadReport report = CPBFile(path, PB_DVRLIST_FILECODE).Load(&list, ListShape());
    NoteDamage(report, path, list.group(), [](const Group& group) { return group.dvr_size(); }, damage);
    GroupList_Repair(&list);
    if (list.group_size() == 0) {
        Group* group = list.add_group();
        group->set_name("My Group");
        group->add_dvr()->set_name("My DVR");
    }
    return list;
}

bool CControlDVRList::Save(const GroupList& list, ListSave* save)
{
    return SaveListFile(filePath(), PB_DVRLIST_FILECODE, list, save);
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
