#include "PbButtons.h"

#include <QEvent>

PbButtons::PbButtons(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
    for (int c = cgi::PbControl::CMD_FORWARD; c <= cgi::PbControl::CMD_FASTER; ++c) {
        const auto command = static_cast<cgi::PbControl_Cmd>(c);
        connect(button(command), &QToolButton::clicked, this, [this, command] { emit changedPbStatus(command); });
    }
}

QToolButton* PbButtons::button(cgi::PbControl_Cmd command) const
{
    switch (command) {
    case cgi::PbControl::CMD_FORWARD: return m_ui.forwardButton;
    case cgi::PbControl::CMD_REVERSE: return m_ui.reverseButton;
    case cgi::PbControl::CMD_PAUSE: return m_ui.pauseButton;
    case cgi::PbControl::CMD_STOP: return m_ui.stopButton;
    case cgi::PbControl::CMD_STEP_REVERSE: return m_ui.stepReverseButton;
    case cgi::PbControl::CMD_STEP_FORWARD: return m_ui.stepForwardButton;
    case cgi::PbControl::CMD_SLOWER: return m_ui.slowerButton;
    case cgi::PbControl::CMD_FASTER: return m_ui.fasterButton;
    default: return nullptr;
    }
}

void PbButtons::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        // The form empties the mode, which is no text of a language.
        const QString mode = modeText();
        m_ui.retranslateUi(this);
        setModeText(mode);
    }
    QWidget::changeEvent(event);
}
