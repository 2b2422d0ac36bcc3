// The e-map setup dialog and the settings it writes.

#include <QPushButton>

#include <gtest/gtest.h>

#include "EMap/EMapSettings.h"
#include "EMap/EMapSetupDialog.h"
#include "support/UiTestSupport.h"

namespace {

QStringList Keys()
{
    return {CAppSettings::EMAP_POPUP, CAppSettings::EMAP_POPDOWN, CAppSettings::EMAP_IMAGESIZE};
}

// The popup button id, the pop-down row and the image-size button id shown.
QList<int> Shown(const CEMapSetupDialog& d)
{
    return {d.form().popupGroup->checkedId(), d.form().selPopdown->currentIndex(), d.form().imageSizeGroup->checkedId()};
}

QList<QVariant> Stored()
{
    QList<QVariant> values;
    for (const QString& key : Keys())
        values << (CAppSettings().contains(key) ? CAppSettings().readSetting(key, QVariant()) : QVariant());
    return values;
}

}  // namespace

TEST(EMapSetup, ShowsTheStoredValuesOutOfRangeAsZeroAndWritesOnlyOnOk)
{
    uitest::Sandbox sandbox;
    struct Case { QList<QVariant> stored; QList<int> shown; int popDownMs; bool original; };
    const Case cases[] = {
        {{{}, {}, {}}, {0, 0, 0}, 0, false},
        {{1, 1, 1}, {1, 1, 1}, 5000, true},
        {{0, 3, 1}, {0, 3, 1}, 30000, true},
        {{"on", 4, -1}, {0, 0, 0}, 0, false},
    };
    for (const Case& c : cases) {
        for (int i = 0; i < 3; ++i) {
            if (c.stored[i].isValid())
                CAppSettings().writeSetting(Keys()[i], c.stored[i]);
        }
        CEMapSetupDialog dialog(nullptr);
        EXPECT_EQ(Shown(dialog), c.shown) << c.stored[1].toString().toStdString();
        EXPECT_EQ(EMapSettings::popup(), c.shown[0] == 1);
        EXPECT_EQ(EMapSettings::popDownMs(), c.popDownMs);
        EXPECT_EQ(EMapSettings::imageSize() == EMapSettings::IMAGE_ORIGINAL, c.original);
        // Cancel after a change leaves the store; OK writes what is shown.
        const QList<QVariant> before = Stored();
        dialog.form().popupOn->setChecked(true);
        dialog.form().buttonBox->button(QDialogButtonBox::Cancel)->click();
        EXPECT_EQ(Stored(), before);
        dialog.form().popupOff->setChecked(true);
        dialog.form().buttonBox->button(QDialogButtonBox::Ok)->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(Stored(), (QList<QVariant>{0, c.shown[1], c.shown[2]}));
    }
    EXPECT_EQ(CEMapSetupDialog(nullptr).form().selPopdown->itemText(3), "30 s");
}
