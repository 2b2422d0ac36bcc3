#pragma once

#include <functional>

#include <QBasicTimer>
#include <QDateTime>
#include <QString>
#include <QWidget>

class QLabel;

// The local date over the local time, refreshed every second; each refresh emits timeout(),
// the main window's one-second tick.
class CClockWidget : public QWidget {
    Q_OBJECT

public:
    static const QString DATE_FORMAT;  // "yyyy-MM-dd"
    static const QString TIME_FORMAT;  // "hh:mm:ss"
    static constexpr int REFRESH_INTERVAL_MS = 1000;

    explicit CClockWidget(QWidget* parent = nullptr);
    ~CClockWidget() override;

    // Tests read the time from their own clock; the default is the PC's local time.
    void setClock(std::function<QDateTime()> now);

    QString dateText() const;
    QString timeText() const;
    int refreshTimerId() const { return m_timer.timerId(); }

signals:
    void timeout();

public slots:
    void updateTime();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void createWidgets();

    QLabel* m_dateLabel;
    QLabel* m_timeLabel;
    QBasicTimer m_timer;
    std::function<QDateTime()> m_now;
};
