#include "DVRSetup/ModelInfoDialog.h"

#include <QEvent>
#include <QPushButton>
#include <QSignalBlocker>

#include "sys_conf/types/model_types.h"

CModelInfoDialog::CModelInfoDialog(QWidget* parent) : QDialog(parent)
{
    m_ui.setupUi(this);
    m_ui.dvrChannelsGroup->setId(m_ui.channels4, 4);
    m_ui.dvrChannelsGroup->setId(m_ui.channels8, 8);
    m_ui.dvrChannelsGroup->setId(m_ui.channels16, 16);
    m_ui.videoTypeGroup->setId(m_ui.videoType0, 0);
    m_ui.videoTypeGroup->setId(m_ui.videoType1, 1);
    {
        const QSignalBlocker block(m_ui.combo_dvrModel);
        for (int i = 0; i < config::ModelType_Count(); ++i)
            m_ui.combo_dvrModel->addItem(QString::fromLatin1(config::ModelType_Index2String(i)));
        m_ui.combo_dvrModel->setCurrentIndex(m_modelType);
    }
    connect(m_ui.combo_dvrModel, &QComboBox::currentIndexChanged, this, &CModelInfoDialog::OnChangedModelType);
    connect(m_ui.dvrChannelsGroup, &QButtonGroup::idClicked, this, &CModelInfoDialog::updateOk);
    connect(m_ui.videoTypeGroup, &QButtonGroup::idClicked, this, &CModelInfoDialog::updateOk);
    connect(m_ui.buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui.buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setDVRChannels(m_channels);
    updateOk();
}

CModelInfoDialog::~CModelInfoDialog() = default;

void CModelInfoDialog::CheckIn(QButtonGroup* group, int id)
{
    if (QAbstractButton* button = group->button(id)) {
        button->setChecked(true);
    } else if (QAbstractButton* checked = group->checkedButton()) {
        // An exclusive group cannot be emptied by unchecking its button.
        group->setExclusive(false);
        checked->setChecked(false);
        group->setExclusive(true);
    }
}

void CModelInfoDialog::setDVRChannels(int n)
{
    m_channels = n;
    CheckIn(m_ui.dvrChannelsGroup, n);
    keepOfferedChannels();
    updateOk();
}

void CModelInfoDialog::setVideoType(config::VideoType v) { m_videoType = v; }

void CModelInfoDialog::setModel(int model) { m_ui.combo_dvrModel->setCurrentIndex(ModelIndex2Type(model)); }

int CModelInfoDialog::getDVRChannels() const { return m_ui.dvrChannelsGroup->checkedId(); }

int CModelInfoDialog::getVideoType() const { return m_ui.videoTypeGroup->checkedId(); }

int CModelInfoDialog::ModelIndex2Type(int model) { return config::ModelType_OfModel(model); }

void CModelInfoDialog::OnChangedModelType(int index)
{
    if (index < 0)
        return;
    const auto type = static_cast<config::ModelType>(index);
    // HD-SDI's 16-channel row exists in the model table but is never offered.
    m_ui.channels16->setHidden(type == config::ModelType_HDSDI || config::ModelCode_OfChoice(16, type) < 0);
    m_ui.channels8->setHidden(config::ModelCode_OfChoice(8, type) < 0);
    m_modelType = index;
    keepOfferedChannels();
    updateOk();
}

void CModelInfoDialog::keepOfferedChannels()
{
    QAbstractButton* checked = m_ui.dvrChannelsGroup->checkedButton();
    if (checked && checked->isHidden()) {
        m_channels = 4;
        m_ui.channels4->setChecked(true);
    }
}

void CModelInfoDialog::updateOk()
{
    QAbstractButton* channels = m_ui.dvrChannelsGroup->checkedButton();
    const bool chosen = channels && !channels->isHidden() && m_ui.videoTypeGroup->checkedButton();
    m_ui.buttonBox->button(QDialogButtonBox::Ok)->setEnabled(chosen);
}

void CModelInfoDialog::showEvent(QShowEvent* event)
{
    CheckIn(m_ui.dvrChannelsGroup, m_channels);
    CheckIn(m_ui.videoTypeGroup, m_videoType);
    keepOfferedChannels();
    updateOk();
    QDialog::showEvent(event);
}

void CModelInfoDialog::languageChange() { m_ui.retranslateUi(this); }

void CModelInfoDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}
