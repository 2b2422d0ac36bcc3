#include "EMap/EMapSetupDialog.h"

#include <QEvent>
#include <QSignalBlocker>

#include "EMap/EMapSettings.h"
#include "Settings/AppSettings.h"
#include "sys_conf/types/event_types.h"

namespace {

constexpr int POPDOWN_ROWS = 4;

}  // namespace

CEMapSetupDialog::CEMapSetupDialog(QWidget* parent) : QDialog(parent)
{
    m_ui.setupUi(this);
    connect(m_ui.buttonBox, &QDialogButtonBox::accepted, this, &CEMapSetupDialog::OnAccept);
    connect(m_ui.buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_ui.popupGroup->setId(m_ui.popupOff, 0);
    m_ui.popupGroup->setId(m_ui.popupOn, 1);
    m_ui.imageSizeGroup->setId(m_ui.imageSizeAdjust, EMapSettings::IMAGE_ADJUST);
    m_ui.imageSizeGroup->setId(m_ui.imageSizeOriginal, EMapSettings::IMAGE_ORIGINAL);
    {
        const QSignalBlocker blocker(m_ui.selPopdown);
        // The table's labels stand untranslated.
        for (int i = 0; i < POPDOWN_ROWS; ++i)
            m_ui.selPopdown->addItem(QString::fromLatin1(config::PopDownType_Index2String(i)));
    }
    loadSettings();
}

CEMapSetupDialog::~CEMapSetupDialog() = default;

void CEMapSetupDialog::loadSettings()
{
    const QSignalBlocker popup(m_ui.popupGroup);
    const QSignalBlocker popdown(m_ui.selPopdown);
    const QSignalBlocker size(m_ui.imageSizeGroup);
    m_ui.popupGroup->button(EMapSettings::read(CAppSettings::EMAP_POPUP))->setChecked(true);
    m_ui.selPopdown->setCurrentIndex(EMapSettings::read(CAppSettings::EMAP_POPDOWN));
    m_ui.imageSizeGroup->button(EMapSettings::read(CAppSettings::EMAP_IMAGESIZE))->setChecked(true);
}

void CEMapSetupDialog::OnAccept()
{
    EMapSettings::write(CAppSettings::EMAP_POPUP, m_ui.popupGroup->checkedId());
    EMapSettings::write(CAppSettings::EMAP_POPDOWN, m_ui.selPopdown->currentIndex());
    EMapSettings::write(CAppSettings::EMAP_IMAGESIZE, m_ui.imageSizeGroup->checkedId());
    accept();
}

void CEMapSetupDialog::languageChange()
{
    m_ui.retranslateUi(this);
}

void CEMapSetupDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}
