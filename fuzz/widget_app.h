#pragma once

// What the fuzz targets that drive widgets share: a Qt application, on the offscreen platform
// unless another one is chosen, and a scratch folder holding the settings, so that none of the
// user's is read or written.

#include <string>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace fuzzapp {

// The scratch folder (it lives as long as the process), or null when none could be made.
inline QTemporaryDir* Start(const char* name)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static std::string program(name);
    static int argc = 1;
    static char* argv[] = {program.data(), nullptr};
    new QApplication(argc, argv);
    auto* dir = new QTemporaryDir;
    if (!dir->isValid())
        return nullptr;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir->filePath("settings"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, dir->filePath("settings"));
    return dir;
}

}  // namespace fuzzapp
