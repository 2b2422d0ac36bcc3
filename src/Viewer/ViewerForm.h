#pragma once

// The main window's form (Ui_ViewerClass) and the application's style sheet.

#include <QString>

#include "ui_Viewer.h"

// The style sheet from the resources; empty when it cannot be read.
QString ViewerStyleSheet();
