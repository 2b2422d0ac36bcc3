#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Common/AppDir.h"

TEST(AppDir, BundleGivesTheFolderHoldingItOtherwiseTheExecutableFolder)
{
    const QString cases[][2] = {
        {"/A/ZAVO.app/Contents/MacOS", "/A"}, {"/ZAVO.app/Contents/MacOS/", "/"},
        {"/A/./ZAVO.app/Contents/x/../MacOS", "/A"}, {"rel/ZAVO.app/Contents/MacOS", QDir::currentPath() + "/rel"},
        {"/opt/zavo/bin", "/opt/zavo/bin"}, {"/A/B/Contents/MacOS", "/A/B/Contents/MacOS"},
        {"/A/ZAVO.app/Resources/MacOS", "/A/ZAVO.app/Resources/MacOS"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CAppDir::pathForExecutableDir(c[0]), c[1]) << c[0].toStdString();
    const QString programFolder = QDir::cleanPath(QCoreApplication::applicationDirPath());
    EXPECT_EQ(CAppDir::getCurrentPath(), programFolder);
    QTemporaryDir scratch;
    CAppDir::setOverridePath(scratch.path() + "/sub/..");
    EXPECT_EQ(CAppDir::getCurrentPath(), QDir::cleanPath(scratch.path()));
    CAppDir::setOverridePath(QString());
    EXPECT_EQ(CAppDir::getCurrentPath(), programFolder);
}
