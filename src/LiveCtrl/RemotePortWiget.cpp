#include "RemotePortWiget.h"

#include <QEvent>
#include <QRegularExpression>

#include "LiveCtrlQuery.h"
#include "Network/SendCommand.h"

namespace {

const QString AUX_BUTTON_REGEX = QStringLiteral("RP([On|Off]+)([0-9])");
const QString AUX_AUTO_BUTTON_REGEX = QStringLiteral("RP([Auto]+)([0-9])");
const QString AUTO_OFF_REGEX = QStringLiteral("AutoOff([0-9])");

// The buttons whose name contains a match, in child order.
QList<QPushButton*> ButtonsMatching(const QWidget* page, const QString& pattern)
{
    const QRegularExpression re(pattern);
    QList<QPushButton*> buttons;
    for (QPushButton* b : page->findChildren<QPushButton*>())
        if (re.match(b->objectName()).hasMatch())
            buttons << b;
    return buttons;
}

}  // namespace

CRemotePortWiget::CRemotePortWiget(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
    for (QPushButton* b : ButtonsMatching(this, AUX_BUTTON_REGEX))
        connect(b, &QPushButton::clicked, this, &CRemotePortWiget::OnClickedRP);
    m_auto_buttons << m_ui.RPAuto0;
    connect(m_ui.RPAuto0, &QPushButton::clicked, this, &CRemotePortWiget::OnClickedAutoRP);
    for (QPushButton* b : ButtonsMatching(this, AUTO_OFF_REGEX))
        connect(b, &QPushButton::clicked, this, &CRemotePortWiget::OnClickedOffSecond);
    m_send_command = new CSendCommand(this);
}

CRemotePortWiget::~CRemotePortWiget() { delete m_send_command; }

QString CRemotePortWiget::AutoOffKey(const DVR& dvr, unsigned int port)
{
    return CSendCommand::QueueKey(dvr) + QLatin1Char('/') + QString::number(port);
}

const QTimer* CRemotePortWiget::autoOffTimer(const DVR& dvr, unsigned int port) const
{
    const auto it = m_auto_offs.constFind(AutoOffKey(dvr, port));
    return it == m_auto_offs.constEnd() ? nullptr : it->timer;
}

void CRemotePortWiget::setConnectedDVR(const DVR& dvr, int clientId)
{
    m_connected_dvr = dvr;
    m_client_id = clientId;
    showAutoState();
}

// The auto buttons show the pending switch-offs of the DVR the page holds.
void CRemotePortWiget::showAutoState()
{
    for (int port = 0; port < m_auto_buttons.size(); ++port)
        m_auto_buttons[port]->setChecked(
            m_auto_offs.contains(AutoOffKey(m_connected_dvr, static_cast<unsigned int>(port))));
}

void CRemotePortWiget::sendCommand(unsigned int port, bool on) { send(m_connected_dvr, m_client_id, port, on); }

void CRemotePortWiget::send(const DVR& dvr, int clientId, unsigned int port, bool on)
{
    const QString query = RelayPort_Query(dvr, clientId, port, on);
    if (!query.isEmpty())
        m_send_command->send(dvr, query);
}

void CRemotePortWiget::cancelAutoOff(const QString& key)
{
    const AutoOff pending = m_auto_offs.take(key);
    delete pending.timer;
}

void CRemotePortWiget::OnClickedRP()
{
    const QObject* button = QObject::sender();
    if (!button)
        return;
    const QRegularExpressionMatch m = QRegularExpression(AUX_BUTTON_REGEX).match(button->objectName());
    if (!m.hasMatch())
        return;
    const QString what = m.captured(1);
    if (what != QLatin1String("On") && what != QLatin1String("Off"))
        return;
    const int port = m.captured(2).toInt();
    if (port < m_auto_buttons.size()) {
        cancelAutoOff(AutoOffKey(m_connected_dvr, static_cast<unsigned int>(port)));
        m_auto_buttons[port]->setChecked(false);
    }
    sendCommand(static_cast<unsigned int>(port), what == QLatin1String("On"));
}

void CRemotePortWiget::OnClickedAutoRP()
{
    const QObject* button = QObject::sender();
    if (!button)
        return;
    const QRegularExpressionMatch m = QRegularExpression(AUX_AUTO_BUTTON_REGEX).match(button->objectName());
    const int port = m.hasMatch() ? m.captured(2).toInt() : -1;
    if (port < 0 || port >= m_auto_buttons.size())
        return;
    const QString key = AutoOffKey(m_connected_dvr, static_cast<unsigned int>(port));
    cancelAutoOff(key);
    sendCommand(static_cast<unsigned int>(port), true);
    if (!m_auto_buttons[port]->isChecked())
        return;
    AutoOff pending{m_connected_dvr, m_client_id, static_cast<unsigned int>(port), new QTimer(this)};
    pending.timer->setObjectName(key);
    pending.timer->setSingleShot(true);
    connect(pending.timer, &QTimer::timeout, this, [this, key] { OnTimer(key); });
    pending.timer->start(m_auto_off_seconds * 1000);
    m_auto_offs.insert(key, pending);
}

void CRemotePortWiget::OnClickedOffSecond()
{
    // By the button's name: its text is translated.
    const QObject* button = QObject::sender();
    const int seconds = button ? RelayPort_AutoOffSeconds(button->objectName()) : -1;
    if (seconds >= 0)
        m_auto_off_seconds = seconds;
}

void CRemotePortWiget::OnTimer(const QString& key)
{
    const auto it = m_auto_offs.constFind(key);
    if (it == m_auto_offs.constEnd())
        return;
    const AutoOff pending = *it;
    m_auto_offs.erase(it);
    pending.timer->deleteLater();
    send(pending.dvr, pending.clientId, pending.port, false);
    showAutoState();
}

void CRemotePortWiget::languageChange() { m_ui.retranslateUi(this); }

void CRemotePortWiget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
