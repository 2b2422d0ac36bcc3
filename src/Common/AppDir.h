#pragma once

#include <QString>

// The folder the program keeps its own files in: the list files and the default
// capture, record and backup folders.
class CAppDir {
public:
    CAppDir();
    ~CAppDir();

    // Inside a "<name>.app/Contents/MacOS" bundle this is the folder holding the bundle,
    // anywhere else the folder holding the executable.
    static QString getCurrentPath();

    // The same rule for a given executable folder.
    static QString pathForExecutableDir(const QString& executableDir);

    // Tests point the program at a scratch folder; an empty path restores the real one.
    static void setOverridePath(const QString& path);

private:
    static QString s_overridePath;
};
