#pragma once

// The playback and backup panels as the main window shows them: on a bottom page of
// 901 x 190 px, under the program's style sheet (the resource file the window loads, built
// into this test).

#include <QFile>
#include <QWidget>

#include "support/UiTestSupport.h"

namespace paneltest {

constexpr int PAGE_WIDTH = 901;
constexpr int PAGE_HEIGHT = 190;

inline QString StyleSheet()
{
    QFile file(QStringLiteral(":/Viewer/files/qss/default.qss"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

inline void AsOnThePage(QWidget* panel, int width = PAGE_WIDTH)
{
    panel->setStyleSheet(StyleSheet());
    panel->resize(width, PAGE_HEIGHT);
}

}  // namespace paneltest
