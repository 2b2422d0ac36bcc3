#include "DVRInfo/ClockWidget.h"

#include <QLabel>
#include <QTimerEvent>
#include <QVBoxLayout>

const QString CClockWidget::DATE_FORMAT = QStringLiteral("yyyy-MM-dd");
const QString CClockWidget::TIME_FORMAT = QStringLiteral("hh:mm:ss");

CClockWidget::CClockWidget(QWidget* parent)
    : QWidget(parent),
      m_dateLabel(new QLabel(this)),
      m_timeLabel(new QLabel(this)),
      m_now(&QDateTime::currentDateTime)
{
    createWidgets();
    updateTime();
    m_timer.start(REFRESH_INTERVAL_MS, this);
}

CClockWidget::~CClockWidget()
{
    m_timer.stop();
    delete layout();
}

void CClockWidget::createWidgets()
{
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 10, 0, 10);
    box->setSpacing(10);
    QFont bold = font();
    bold.setWeight(QFont::Bold);
    for (QLabel* label : {m_dateLabel, m_timeLabel}) {
        label->setAlignment(Qt::AlignCenter);
        label->setFont(bold);
        box->addWidget(label);
    }
}

void CClockWidget::setClock(std::function<QDateTime()> now)
{
    m_now = std::move(now);
}

QString CClockWidget::dateText() const
{
    return m_dateLabel->text();
}

QString CClockWidget::timeText() const
{
    return m_timeLabel->text();
}

void CClockWidget::updateTime()
{
    // One reading for both labels, so midnight never shows a mixed pair.
    const QDateTime now = m_now();
    m_dateLabel->setText(now.toString(DATE_FORMAT));
    m_timeLabel->setText(now.toString(TIME_FORMAT));
    emit timeout();
}

void CClockWidget::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timer.timerId())
        updateTime();
    else
        QWidget::timerEvent(event);
}
