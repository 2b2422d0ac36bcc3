#include "RemotePortWiget.h"

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
    m_auto_off_timer = new QTimer(this);
    connect(m_auto_off_timer, &QTimer::timeout, this, &CRemotePortWiget::OnTimer);
    m_send_command = new CSendCommand(this);
    m_send_command->setSequential(true);
}

CRemotePortWiget::~CRemotePortWiget() { delete m_send_command; }

void CRemotePortWiget::setConnectedDVR(const DVR& dvr, int clientId)
{
    m_connected_dvr = dvr;
    m_client_id = clientId;
}

void CRemotePortWiget::sendCommand(unsigned int port, bool on) { send(m_connected_dvr, m_client_id, port, on); }

void CRemotePortWiget::send(const DVR& dvr, int clientId, unsigned int port, bool on)
{
    const QString query = RelayPort_Query(dvr, clientId, port, on);
    if (!query.isEmpty())
        m_send_command->send(dvr, query);
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
        if (m_auto_buttons[port]->isChecked())
            m_auto_buttons[port]->setChecked(false);
        if (m_auto_off_timer->isActive())
            m_auto_off_timer->stop();
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
    m_auto_off_timer->stop();
    m_auto_dvr = m_connected_dvr;
    m_auto_client_id = m_client_id;
    sendCommand(static_cast<unsigned int>(port), true);
    if (m_auto_buttons[port]->isChecked())
        m_auto_off_timer->start(m_auto_off_seconds * 1000);
}

void CRemotePortWiget::OnClickedOffSecond()
{
    // By the button's name: its text is translated.
    const QObject* button = QObject::sender();
    const int seconds = button ? RelayPort_AutoOffSeconds(button->objectName()) : -1;
    if (seconds >= 0)
        m_auto_off_seconds = seconds;
}

void CRemotePortWiget::OnTimer()
{
    if (QObject::sender() != m_auto_off_timer)
        return;
    send(m_auto_dvr, m_auto_client_id, 0, false);
    m_ui.RPAuto0->setChecked(false);
    m_auto_off_timer->stop();
}

void CRemotePortWiget::languageChange() { m_ui.retranslateUi(this); }
