#pragma once

#include <QDialog>

#include "ui_ProgressDialog.h"

// The modeless progress of an upload, with an "Abort" button.
class CProgressDialog : public QDialog {
    Q_OBJECT

public:
    explicit CProgressDialog(QWidget* parent = nullptr);
    ~CProgressDialog() override;

    int lastPercent() const { return m_percent; }
    // Back to 0 % for the next upload.
    void restart();
    void languageChange();

public slots:
    void Progress(qint64 bytesSent, qint64 bytesTotal);

signals:
    void Aborted();

protected:
    void changeEvent(QEvent* event) override;

private:
    Ui_CProgressDialog m_ui;
    int m_percent = 0;
};
