#include "AutoPresetWidget.h"

#include <QEvent>

#include "Network/SendCommand.h"
#include "PresetChoice.h"
#include "Settings/AppSettings.h"

namespace {

constexpr int INTERVALS[] = {5, 10, 15, 20, 30, 60};

// A stored index the combo does not have (only an edited store holds one) shows the first
// preset rather than none, which would go out as preset 4294967295.
int PresetIndex(int stored) { return stored >= 0 && stored < PRESET_COUNT ? stored : 0; }

}  // namespace

CAutoPresetWidget::CAutoPresetWidget(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
    FillPresetChoice(m_ui.StartPreset, tr("preset %1"));
    FillPresetChoice(m_ui.EndPreset, tr("preset %1"));
    for (int seconds : INTERVALS)
        m_ui.Interval->addItem(QString::number(seconds));
    m_ui.Interval->setCurrentIndex(0);
    connect(m_ui.AutoStart, &QPushButton::clicked, this, &CAutoPresetWidget::OnClickedAutoStart);
    connect(m_ui.AutoEnd, &QPushButton::clicked, this, &CAutoPresetWidget::OnClickedAutoEnd);
    m_send_command = new CSendCommand(this);
}

CAutoPresetWidget::~CAutoPresetWidget() { delete m_send_command; }

void CAutoPresetWidget::setConnectedDVR(const DVR& dvr, int clientId)
{
    m_connected_dvr = dvr;
    m_client_id = clientId;
}

void CAutoPresetWidget::setChannel(int channel)
{
    m_channel = channel;
    readSettings();
}

void CAutoPresetWidget::readSettings()
{
    int start = 0;
    int end = 0;
    int interval = 0;
    CAppSettings().readAutoPreset(m_channel, start, end, interval);
    m_ui.StartPreset->setCurrentIndex(PresetIndex(start));
    m_ui.EndPreset->setCurrentIndex(PresetIndex(end));
    const int item = m_ui.Interval->findText(QString::number(interval), Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_ui.Interval->setCurrentIndex(item < 0 ? 0 : item);
}

void CAutoPresetWidget::saveSettings()
{
    CAppSettings().writeAutoPreset(m_channel, m_ui.StartPreset->currentIndex(), m_ui.EndPreset->currentIndex(),
                                   m_ui.Interval->currentText().toInt());
}

void CAutoPresetWidget::OnClickedAutoStart()
{
    send(AutoPreset_StartQuery(target(), m_ui.StartPreset->currentIndex(), m_ui.EndPreset->currentIndex(),
                               m_ui.Interval->currentText().toInt()));
}

void CAutoPresetWidget::OnClickedAutoEnd() { send(AutoPreset_EndQuery(target())); }

void CAutoPresetWidget::send(const QString& query)
{
    if (!query.isEmpty())
        m_send_command->send(m_connected_dvr, query);
}

void CAutoPresetWidget::languageChange()
{
    m_ui.retranslateUi(this);
    FillPresetChoice(m_ui.StartPreset, tr("preset %1"));
    FillPresetChoice(m_ui.EndPreset, tr("preset %1"));
}

void CAutoPresetWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
