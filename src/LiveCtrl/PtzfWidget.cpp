#include "PtzfWidget.h"

#include <QEvent>
#include <QRegularExpression>

#include "Network/SendCommand.h"
#include "PresetChoice.h"
#include "Settings/AppSettings.h"

namespace {

const char* const SPEED_NAMES[] = {QT_TRANSLATE_NOOP("CPtzfWidget", "Slow"), QT_TRANSLATE_NOOP("CPtzfWidget", "Normal"),
                                    QT_TRANSLATE_NOOP("CPtzfWidget", "Fast"),
                                    QT_TRANSLATE_NOOP("CPtzfWidget", "Very Fast")};

}  // namespace

CPtzfWidget::CPtzfWidget(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
    FillPresetChoice(m_ui.presetNum, tr("preset %1"));
    connect(m_ui.Set, &QPushButton::clicked, this, &CPtzfWidget::OnSendPreset);
    connect(m_ui.Go, &QPushButton::clicked, this, &CPtzfWidget::OnSendPreset);
    connect(m_ui.Speed, &QSlider::valueChanged, this, &CPtzfWidget::OnChangedSpeed);
    // Kept when the operator sets it, not at the end: writing the settings syncs them to
    // disk, which a backup's pending data can hold up for seconds while the program ends.
    const auto store = [this] {
        CAppSettings().writeSetting(m_ui.Speed->objectName(), m_ui.Speed->value());
    };
    connect(m_ui.Speed, &QSlider::valueChanged, this, [this, store] {
        if (!m_ui.Speed->isSliderDown())
            store();
    });
    connect(m_ui.Speed, &QSlider::sliderReleased, this, store);

    const QRegularExpression ptzf(QStringLiteral("ptzf_*"));
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (!ptzf.match(button->objectName()).hasMatch())
            continue;
        m_ptzf_buttons << button;
        connect(button, &QPushButton::pressed, this, &CPtzfWidget::OnPressedPTZF);
        connect(button, &QPushButton::released, this, &CPtzfWidget::OnReleasedPTZF);
    }

    m_repeat_timer = new QTimer(this);
    connect(m_repeat_timer, &QTimer::timeout, this, &CPtzfWidget::OnTimer);

    const int speed = CAppSettings().readSetting(m_ui.Speed->objectName(), 0).toInt();
    {
        const QSignalBlocker blocker(m_ui.Speed);
        m_ui.Speed->setValue(speed);
    }
    OnChangedSpeed(m_ui.Speed->value());

    m_send_command = new CSendCommand(this);
}

CPtzfWidget::~CPtzfWidget()
{
    delete m_send_command;
    delete m_repeat_timer;
}

void CPtzfWidget::setConnectedDVR(const DVR& dvr, int clientId)
{
    m_connected_dvr = dvr;
    m_client_id = clientId;
    m_ui.ptzf_iris_close->setEnabled(!dvr.old_protocol());
    m_ui.ptzf_iris_open->setEnabled(!dvr.old_protocol());
}

void CPtzfWidget::setChannel(int selectedch) { m_channel = selectedch; }

void CPtzfWidget::OnChangedSpeed(int speed)
{
    if (speed >= 0 && speed < int(std::size(SPEED_NAMES)))
        m_ui.SpeedLabel->setText(tr(SPEED_NAMES[speed]));
}

void CPtzfWidget::OnSendPreset()
{
    if (QObject* button = QObject::sender())
        sendCommand(button->objectName());
}

void CPtzfWidget::OnPressedPTZF()
{
    QObject* button = QObject::sender();
    if (!button)
        return;
    m_held = target();
    m_holding = true;
    sendTo(m_held, button->objectName(), false);
    m_repeat_timer->start(REPEAT_INTERVAL_MS);
}

void CPtzfWidget::OnReleasedPTZF()
{
    // Repeats still waiting would only reach the camera after its stop.
    m_send_command->dropQueuedRepeats();
    sendTo(m_holding ? m_held : target(), QString(), false);
    m_holding = false;
    m_repeat_timer->stop();
}

void CPtzfWidget::OnTimer()
{
    for (QPushButton* button : m_ptzf_buttons) {
        if (button->isDown()) {
            sendTo(m_holding ? m_held : target(), button->objectName(), true);
            return;
        }
    }
}

void CPtzfWidget::sendCommand(const QString& name) { sendTo(target(), name, false); }

void CPtzfWidget::languageChange()
{
    m_ui.retranslateUi(this);
    FillPresetChoice(m_ui.presetNum, tr("preset %1"));
    OnChangedSpeed(m_ui.Speed->value());
}

void CPtzfWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}

CommandTarget CPtzfWidget::target() const { return {m_connected_dvr, m_client_id, m_channel}; }

void CPtzfWidget::sendTo(const CommandTarget& target, const QString& name, bool repeat)
{
    const QString query = Ptzf_Query(target, name, m_ui.Speed->value(), m_ui.presetNum->currentIndex());
    if (query.isEmpty())
        return;
    // A stored preset is never given up for a later move.
    CommandSubject subject;
    if (name.isEmpty())
        subject = CommandSubject::PtzStop(target.channel);
    else if (!name.contains(QLatin1String("Set")))
        subject = CommandSubject::PtzMove(target.channel);
    if (repeat)
        m_send_command->sendRepeat(target.dvr, query, subject);
    else
        m_send_command->send(target.dvr, query, subject);
}
