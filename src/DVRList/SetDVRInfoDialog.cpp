#include "DVRList/SetDVRInfoDialog.h"

#include <QEvent>
#include <QRegularExpression>

#include "Common/ChannelNum.h"
#include "Common/Prompt.h"

namespace {

const QStringList CHANNEL_COUNTS = {QStringLiteral("4"), QStringLiteral("8"), QStringLiteral("16")};

}  // namespace

CSetDVRInfoDialog::CSetDVRInfoDialog(QWidget* parent) : QDialog(parent)
{
    m_ui.setupUi(this);
    m_ui.chnum->addItems(CHANNEL_COUNTS);
    m_channels = m_ui.channelGroup->findChildren<QCheckBox*>(QRegularExpression(QLatin1String(CHANNEL_REGEX)));
    CChnum::SortCheckBox(&m_channels);
    connect(m_ui.chnum, &QComboBox::currentIndexChanged, this, &CSetDVRInfoDialog::updateChannels);
    connect(m_ui.buttonBox, &QDialogButtonBox::accepted, this, &CSetDVRInfoDialog::accept);
    connect(m_ui.buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setDVR(DVR());
}

CSetDVRInfoDialog::~CSetDVRInfoDialog() = default;

void CSetDVRInfoDialog::setDVR(const DVR& dvr)
{
    const QSignalBlocker block(m_ui.chnum);
    m_ui.name->setText(QString::fromStdString(dvr.name()));
    m_ui.address->setText(QString::fromStdString(dvr.address()));
    m_ui.port->setValue(dvr.port());
    m_ui.id->setText(QString::fromStdString(dvr.id()));
    m_ui.password->setText(QString::fromStdString(dvr.password()));
    const int index = CHANNEL_COUNTS.indexOf(QString::number(dvr.chnum()));
    m_ui.chnum->setCurrentIndex(index >= 0 ? index : CHANNEL_COUNTS.size() - 1);
    for (QCheckBox* box : m_channels)
        box->setEnabled(true);
    CChnum::setCheckBoxValue(m_channels, dvr.bit_ch());
    m_ui.oldProtocol->setChecked(dvr.old_protocol());
    updateChannels();
}

DVR CSetDVRInfoDialog::getDVR() const
{
    DVR dvr;
    dvr.set_name(m_ui.name->text().toStdString());
    dvr.set_address(m_ui.address->text().toStdString());
    dvr.set_port(m_ui.port->value());
    dvr.set_id(m_ui.id->text().toStdString());
    dvr.set_password(m_ui.password->text().toStdString());
    dvr.set_chnum(channelCount());
    dvr.set_bit_ch(static_cast<uint32_t>(CChnum::getCheckBoxValue(m_channels)));
    dvr.set_old_protocol(m_ui.oldProtocol->isChecked());
    if (!dvr.old_protocol())
        dvr.set_protocol_type(1);
    return dvr;
}

int CSetDVRInfoDialog::channelCount() const
{
    return m_ui.chnum->currentText().toInt();
}

void CSetDVRInfoDialog::updateChannels()
{
    const int count = channelCount();
    for (int i = 0; i < m_channels.size(); ++i) {
        const bool inside = i < count;
        if (!inside)
            m_channels[i]->setChecked(false);
        m_channels[i]->setEnabled(inside);
    }
}

void CSetDVRInfoDialog::accept()
{
    if (m_ui.name->text().trimmed().isEmpty() || m_ui.address->text().trimmed().isEmpty()) {
        CPrompt::current().message(this, tr("Please fill in all blanks."));
        return;
    }
    QDialog::accept();
}

void CSetDVRInfoDialog::languageChange()
{
    m_ui.retranslateUi(this);
}

void CSetDVRInfoDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}
