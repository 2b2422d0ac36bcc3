// The e-map setup dialog and the settings it writes.

#include <QPushButton>

#include <gtest/gtest.h>

#include "EMap/EMapSettings.h"
#include "EMap/EMapSetupDialog.h"
#include "Settings/AppSettings.h"
#include "support/UiTestSupport.h"

namespace {

QStringList Keys()
{
    return {CAppSettings::EMAP_POPUP, CAppSettings::EMAP_POPDOWN, CAppSettings::EMAP_IMAGESIZE};
}

// What the form shows: the popup button id, the pop-down row, the image-size button id.
QList<int> Shown(const CEMapSetupDialog& dialog)
{
    return {dialog.form().popupGroup->checkedId(), dialog.form().selPopdown->currentIndex(),
            dialog.form().imageSizeGroup->checkedId()};
}

QList<QVariant> Stored()
{
    CAppSettings settings;
    QList<QVariant> values;
    for (const QString& key : Keys())
        values << (settings.contains(key) ? settings.readSetting(key, QVariant()) : QVariant());
    return values;
}

void Store(const QList<QVariant>& values)
{
    CAppSettings settings;
    for (int i = 0; i < values.size(); ++i)
        settings.writeSetting(Keys()[i], values[i]);
}

void Press(CEMapSetupDialog& dialog, QDialogButtonBox::StandardButton which)
{
    dialog.form().buttonBox->button(which)->click();
}

}  // namespace

TEST(EMapSetup, OpensOnTheStoredValuesAndWritesOnlyOnOk)
{
    uitest::Sandbox sandbox;
    {
        CEMapSetupDialog dialog(nullptr);
        EXPECT_EQ(dialog.windowTitle(), "EMap Setup");
        EXPECT_EQ(dialog.size(), QSize(400, 183));
        QStringList rows;
        for (int i = 0; i < dialog.form().selPopdown->count(); ++i)
            rows << dialog.form().selPopdown->itemText(i);
        EXPECT_EQ(rows, (QStringList{"CONT", "5 s", "10 s", "30 s"}));
        EXPECT_EQ(Shown(dialog), (QList<int>{0, 0, 0}));
        // Cancel after changes writes nothing.
        dialog.form().popupOn->setChecked(true);
        dialog.form().selPopdown->setCurrentIndex(2);
        Press(dialog, QDialogButtonBox::Cancel);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(Stored(), (QList<QVariant>{{}, {}, {}}));
    }
    {
        CEMapSetupDialog dialog(nullptr);
        Press(dialog, QDialogButtonBox::Ok);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(Stored(), (QList<QVariant>{0, 0, 0}));
    }
    Store({1, 3, 1});
    {
        CEMapSetupDialog dialog(nullptr);
        EXPECT_EQ(Shown(dialog), (QList<int>{1, 3, 1}));
        dialog.form().imageSizeAdjust->setChecked(true);
        Press(dialog, QDialogButtonBox::Ok);
        EXPECT_EQ(Stored(), (QList<QVariant>{1, 3, 0}));
    }
}

TEST(EMapSetup, ValuesOutsideTheRangesReadAsZeroEverywhere)
{
    uitest::Sandbox sandbox;
    struct Case { QList<QVariant> stored; QList<int> shown; bool popup; int popDownMs; EMapSettings::ImageSize size; };
    const Case cases[] = {
        {{0, 0, 0}, {0, 0, 0}, false, 0, EMapSettings::IMAGE_ADJUST},
        {{1, 1, 1}, {1, 1, 1}, true, 5000, EMapSettings::IMAGE_ORIGINAL},
        {{1, 2, 0}, {1, 2, 0}, true, 10000, EMapSettings::IMAGE_ADJUST},
        {{0, 3, 1}, {0, 3, 1}, false, 30000, EMapSettings::IMAGE_ORIGINAL},
        {{2, 4, -1}, {0, 0, 0}, false, 0, EMapSettings::IMAGE_ADJUST},
        {{"on", "5 s", 7}, {0, 0, 0}, false, 0, EMapSettings::IMAGE_ADJUST},
    };
    for (const Case& c : cases) {
        Store(c.stored);
        const CEMapSetupDialog dialog(nullptr);
        EXPECT_EQ(Shown(dialog), c.shown) << c.stored[1].toString().toStdString();
        EXPECT_EQ(EMapSettings::popup(), c.popup);
        EXPECT_EQ(EMapSettings::popDownMs(), c.popDownMs);
        EXPECT_EQ(EMapSettings::imageSize(), c.size);
    }
}
