#pragma once

#include <QWidget>

#include "cgi_response.pb.h"
#include "ui_LogWidget.h"

// A DVR's system log: one row per entry with its time (the DVR's wall clock), user and text.
class CLogWidget : public QWidget {
    Q_OBJECT

public:
    explicit CLogWidget(QWidget* parent = nullptr);
    ~CLogWidget() override;

    void setLog(const cgi::SysLog& log);
    void clear();
    int rowCount() const;
    // Time, user and text of a row.
    QStringList row(int index) const;

    void languageChange();

protected:
    void changeEvent(QEvent* event) override;

private:
    Ui_CLogWidget m_ui;
};
