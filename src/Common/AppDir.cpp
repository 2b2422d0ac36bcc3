#include "Common/AppDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString CAppDir::s_overridePath;

namespace {

// Worked on the text of the path, so it also holds for folders that do not exist.
QString parentFolder(const QString& path)
{
    return QDir::cleanPath(path + QLatin1String("/.."));
}

QString folderName(const QString& path)
{
    return QFileInfo(path).fileName();
}

}  // namespace

CAppDir::CAppDir() {}

CAppDir::~CAppDir() {}

QString CAppDir::getCurrentPath()
{
    if (!s_overridePath.isEmpty())
        return QDir::cleanPath(QDir(s_overridePath).absolutePath());
    return pathForExecutableDir(QCoreApplication::applicationDirPath());
}

QString CAppDir::pathForExecutableDir(const QString& executableDir)
{
    const QString macos = QDir::cleanPath(QDir(executableDir).absolutePath());
    const QString contents = parentFolder(macos);
    const QString bundle = parentFolder(contents);
    const QString bundleName = folderName(bundle);
    if (folderName(macos) == QLatin1String("MacOS") && folderName(contents) == QLatin1String("Contents")
        && bundleName.size() > 4 && bundleName.endsWith(QLatin1String(".app")))
        return parentFolder(bundle);
    return macos;
}

void CAppDir::setOverridePath(const QString& path)
{
    s_overridePath = path;
}
