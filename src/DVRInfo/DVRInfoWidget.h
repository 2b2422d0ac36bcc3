#pragma once

#include <QByteArray>
#include <QWidget>

#include "DVRList.pb.h"
#include "Network/ReadDVRData.h"
#include "ui_DVRInfoWidget.h"

class CInfoWidget;

// The DVR information page. A current DVR is read in three steps, one after the other:
// its information, its disks and its system log; an old DVR sends one text page. A refusal
// or a read that brings nothing stops the steps with a message; the page never shows
// values of an earlier DVR.
class CDVRInfoWidget : public QWidget {
    Q_OBJECT

public:
    explicit CDVRInfoWidget(QWidget* parent = nullptr);
    ~CDVRInfoWidget() override;

    void readData(const DVR& dvr);
    // Cancels the read in progress; the page keeps what it shows.
    void stopRead();
    bool isReading() const { return m_step != Step::Idle; }

    // Silence after which a read gives up (the reader's idle time-out).
    void setReadTimeout(int msec);

    CInfoWidget* infoWidget() const { return m_ui.infoWidget; }

    void languageChange();

protected:
    void changeEvent(QEvent* event) override;

private:
    enum class Step { Idle, DvrInfo, HddInfo, SysLog, OldPage };

    void start(Step step);
    void OnCompleted(const QByteArray& data);
    void finish(const QString& message);
    void showTitle();

    Ui_CDVRInfoWidget m_ui;
    CReadDVRData m_reader;
    DVR m_dvr;
    bool m_hasDvr = false;
    Step m_step = Step::Idle;
};
