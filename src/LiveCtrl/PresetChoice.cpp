#include "PresetChoice.h"

#include <QComboBox>
#include <QSignalBlocker>

void FillPresetChoice(QComboBox* box, const QString& item)
{
    const int chosen = box->count() == PRESET_COUNT ? box->currentIndex() : 0;
    const QSignalBlocker blocker(box);
    box->clear();
    for (int i = 1; i <= PRESET_COUNT; ++i)
        box->addItem(item.arg(i));
    box->setCurrentIndex(chosen);
}
