#pragma once

#include <QString>

class QComboBox;

// The presets a camera stores, 1 to 99; a choice's index is the preset's 0-based number.
constexpr int PRESET_COUNT = 99;

// Fills `box` with the items made from `item` (the translated "preset %1") for presets 1 to 99;
// filled again in another language, it keeps the preset chosen.
void FillPresetChoice(QComboBox* box, const QString& item);
