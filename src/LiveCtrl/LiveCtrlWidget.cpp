#include "LiveCtrlWidget.h"

#include <QEvent>
#include <QRegularExpression>

#include "AutoPresetWidget.h"
#include "PictureWidget.h"
#include "PtzfWidget.h"
#include "RemotePortWiget.h"

namespace {

const QString BUTTON_REGEX = QStringLiteral("DVRControl([0-9])");

}  // namespace

CLiveCtrlWidget::CLiveCtrlWidget(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
    m_ptzf = new CPtzfWidget(m_ui.page0);
    m_auto_preset = new CAutoPresetWidget(m_ui.page1);
    m_remote_port = new CRemotePortWiget(m_ui.page2);
    m_picture = new CPictureWidget(m_ui.page3);

    const QRegularExpression buttonName(BUTTON_REGEX);
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (!buttonName.match(button->objectName()).hasMatch())
            continue;
        m_page_buttons << button;
        connect(button, &QPushButton::clicked, this, qOverload<>(&CLiveCtrlWidget::changeWidget));
    }
    changeWidget(PAGE_PTZ);
    setEnabled(false);
}

CLiveCtrlWidget::~CLiveCtrlWidget()
{
    // The tour settings are stored whenever their page is left, and so at the end too.
    if (m_ui.stackedWidget->currentIndex() == PAGE_AUTO_PRESET)
        m_auto_preset->saveSettings();
}

void CLiveCtrlWidget::changeWidget()
{
    const QObject* button = sender();
    const QRegularExpressionMatch m =
        QRegularExpression(BUTTON_REGEX).match(button ? button->objectName() : QString());
    changeWidget(m.hasMatch() ? m.captured(1).toInt() : PAGE_PTZ);
}

void CLiveCtrlWidget::changeWidget(int index)
{
    if (index < 0 || index >= m_ui.stackedWidget->count())
        index = PAGE_PTZ;
    for (int i = 0; i < m_page_buttons.size(); ++i)
        m_page_buttons[i]->setChecked(i == index);
    if (m_ui.stackedWidget->currentIndex() == PAGE_AUTO_PRESET)
        m_auto_preset->saveSettings();
    m_ui.stackedWidget->setCurrentIndex(index);
    handChannel();
}

void CLiveCtrlWidget::handChannel()
{
    switch (m_ui.stackedWidget->currentIndex()) {
    case PAGE_PTZ:
        m_ptzf->setChannel(m_channel);
        m_auto_preset->setChannel(m_channel);
        break;
    case PAGE_AUTO_PRESET:
        // The tour page works on the selected camera only; what it showed is kept first.
        if (m_auto_preset->channel() != m_channel) {
            m_auto_preset->saveSettings();
            m_auto_preset->setChannel(m_channel);
        }
        break;
    case PAGE_PICTURE:
        m_picture->SetChannel(m_channel);
        break;
    default:
        break;
    }
}

void CLiveCtrlWidget::setSelectedChannel(int channel)
{
    m_channel = channel;
    handChannel();
}

void CLiveCtrlWidget::EnableWidget(bool enable) { setEnabled(enable); }

void CLiveCtrlWidget::setConnectedDVR(const DVR& dvr, int clientId, bool hasRemotePort)
{
    m_ptzf->setConnectedDVR(dvr, clientId);
    m_auto_preset->setConnectedDVR(dvr, clientId);
    m_ui.DVRControl2->setVisible(hasRemotePort);
    m_remote_port->setVisible(hasRemotePort);
    m_remote_port->setConnectedDVR(dvr, clientId);
    m_picture->SetConnectedDVR(dvr, clientId);
    if (!hasRemotePort && m_ui.stackedWidget->currentIndex() == PAGE_REMOTE_PORT)
        changeWidget(PAGE_PTZ);
}

void CLiveCtrlWidget::setVisiblePictureCtrl(bool visible)
{
    m_ui.DVRControl3->setVisible(visible);
    if (!visible && m_ui.stackedWidget->currentIndex() == PAGE_PICTURE)
        changeWidget(PAGE_PTZ);
}

void CLiveCtrlWidget::languageChange() { m_ui.retranslateUi(this); }

void CLiveCtrlWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
