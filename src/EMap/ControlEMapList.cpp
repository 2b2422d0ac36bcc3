#include "EMap/ControlEMapList.h"

#include <QDir>
#include <QFile>

#include "Common/AppDir.h"
#include "Common/PBFile.h"

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
    return list;
}

bool CControlEMapList::Save(const EMapGroupList& list)
{
    return CPBFile(filePath(), PB_EMAPLIST_FILECODE).Save(list);
}
