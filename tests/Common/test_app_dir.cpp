#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Common/AppDir.h"

TEST(AppDir, BundleGivesTheFolderHoldingItOtherwiseTheExecutableFolder)
{
    EXPECT_EQ(CAppDir::pathForExecutableDir("/A/ZAVO.app/Contents/MacOS"), "/A");
    EXPECT_EQ(CAppDir::pathForExecutableDir("/Users/x/Applications/ZAVO.app/Contents/MacOS/"),
              "/Users/x/Applications");
    EXPECT_EQ(CAppDir::pathForExecutableDir("/ZAVO.app/Contents/MacOS"), "/");
    EXPECT_EQ(CAppDir::pathForExecutableDir("/A/B/C/D"), "/A/B/C/D");
    EXPECT_EQ(CAppDir::pathForExecutableDir("/opt/zavo/bin"), "/opt/zavo/bin");
    // Only a real bundle layout counts.
    EXPECT_EQ(CAppDir::pathForExecutableDir("/A/B/Contents/MacOS"), "/A/B/Contents/MacOS");
    EXPECT_EQ(CAppDir::pathForExecutableDir("/A/ZAVO.app/Resources/MacOS"), "/A/ZAVO.app/Resources/MacOS");
    EXPECT_EQ(CAppDir::pathForExecutableDir("/A/ZAVO.app/Contents/bin"), "/A/ZAVO.app/Contents/bin");
    EXPECT_EQ(CAppDir::pathForExecutableDir("/A/./ZAVO.app/Contents/x/../MacOS"), "/A");
    EXPECT_EQ(CAppDir::pathForExecutableDir("rel/ZAVO.app/Contents/MacOS"), QDir::currentPath() + "/rel");
}

TEST(AppDir, FollowsTheRunningProgramUnlessOverridden)
{
    const QString programFolder = QDir::cleanPath(QCoreApplication::applicationDirPath());
    EXPECT_EQ(CAppDir::getCurrentPath(), programFolder);

    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    CAppDir::setOverridePath(scratch.path() + "/sub/..");
    EXPECT_EQ(CAppDir::getCurrentPath(), QDir::cleanPath(scratch.path()));
    CAppDir::setOverridePath(QString());
    EXPECT_EQ(CAppDir::getCurrentPath(), programFolder);
}
