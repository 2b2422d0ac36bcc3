#pragma once

// The playback buttons: each press emits the playback command it stands for.

#include <QWidget>

#include "cgi_request.pb.h"
#include "ui_PbButtons.h"

class PbButtons : public QWidget {
    Q_OBJECT

public:
    explicit PbButtons(QWidget* parent = nullptr);

    // The mode text shown below the buttons (whole in its tool tip when it is too long).
    void setModeText(const QString& text)
    {
        m_ui.modeLabel->setText(text);
        m_ui.modeLabel->setToolTip(text);
    }
    QString modeText() const { return m_ui.modeLabel->text(); }
    QToolButton* button(cgi::PbControl_Cmd command) const;

signals:
    void changedPbStatus(const cgi::PbControl_Cmd& command);

protected:
    void changeEvent(QEvent* event) override;

private:
    Ui_PbButtons m_ui;
};
