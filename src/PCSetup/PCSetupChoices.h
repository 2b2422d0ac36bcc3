#pragma once

#include <QString>
#include <QVariant>
#include <vector>

// The choices of the PC setup page: per settings key the stored values with their labels
// (translated in the context "CPCSetupPage"). A choice is stored as its value, except the
// sequence interval, which is stored as the text of its item.
struct PCSetupChoice {
    int value;
    const char* label;
};

struct PCSetupChoiceKey {
    QString key;
    std::vector<PCSetupChoice> choices;
    bool storedAsText = false;
};

const std::vector<PCSetupChoiceKey>& PCSetupChoiceKeys();

// The item to show for a stored value: its own, else the default's, else value 0's, else
// the first.
int PCSetupChoiceIndex(const PCSetupChoiceKey& key, const QVariant& stored);

// What the item at index stores.
QVariant PCSetupChoiceValue(const PCSetupChoiceKey& key, int index);
