#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

#include "Common/AppDir.h"

TEST(AppDir, BundleGivesTheFolderHoldingItOtherwiseTheExecutableFolder)
{
    const QString cases[][2] = {{"/A/./ZAVO.app/Contents/x/../MacOS", "/A"}, {"/ZAVO.app/Contents/MacOS/", "/"},
                                {"/opt/zavo/bin", "/opt/zavo/bin"}, {"/A/B/Contents/MacOS", "/A/B/Contents/MacOS"}};
    for (const auto& c : cases)
        EXPECT_EQ(CAppDir::pathForExecutableDir(c[0]), c[1]) << c[0].toStdString();
    const QString programFolder = QDir::cleanPath(QCoreApplication::applicationDirPath());
    CAppDir::setOverridePath("/tmp/sub/..");
    EXPECT_EQ(CAppDir::getCurrentPath(), QStringLiteral("/tmp"));
    CAppDir::setOverridePath(QString());
    EXPECT_EQ(CAppDir::getCurrentPath(), programFolder);
}
