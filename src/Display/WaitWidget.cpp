#include "WaitWidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace {

constexpr int kSpokes = 12;
constexpr int kIntervalMs = 70;

}  // namespace

CWaitWidget::CWaitWidget(QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint), m_color(85, 170, 255), m_timer(new QTimer(this))
{
    setFixedSize(50, 50);
    setAttribute(Qt::WA_NoSystemBackground);
    connect(m_timer, &QTimer::timeout, this, &CWaitWidget::updateValue);
}

void CWaitWidget::updateValue()
{
    m_value = m_value < kSpokes - 1 ? m_value + 1 : 0;
    update();
}

void CWaitWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (isVisible())
        m_timer->start(kIntervalMs);
    else
        m_timer->stop();
}

void CWaitWidget::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_timer->stop();  // no ticks while nobody sees it
}

void CWaitWidget::paintEvent(QPaintEvent*)
{
    if (!m_timer->isActive())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate((width() - 1) / 2, (height() - 1) / 2);
    painter.setPen(Qt::NoPen);
    for (int spoke = 0; spoke < kSpokes; ++spoke) {
        QColor color = m_color;
        color.setAlpha(spoke == m_value ? 180 : 80);
        painter.setBrush(color);
        painter.rotate(360.0 / kSpokes);
        painter.drawRoundedRect(5, 7, 5, 15, 5, 5, Qt::AbsoluteSize);
    }
}

CControlWait::CControlWait() = default;

CControlWait::~CControlWait()
{
    hide();
}

void CControlWait::show(QWidget* parent)
{
    hide();
    if (!parent)
        return;
    m_waitWidget = new CWaitWidget(parent);
    m_waitWidget->move((parent->width() - 1) / 2 - m_waitWidget->width() / 2,
                       (parent->height() - 1) / 2 - m_waitWidget->height() / 2);
    m_waitWidget->show();
}

void CControlWait::hide()
{
    if (!m_waitWidget)
        return;
    m_waitWidget->hide();
    m_waitWidget->close();
    // Hidden indicators would pile up under the parent, one per connection attempt.
    delete m_waitWidget.data();
    m_waitWidget = nullptr;
}

CWaitDialog::CWaitDialog(QWidget* parent) : QDialog(parent)
{
    // A title bar without buttons; the dialog stays a window of its own.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* holder = new QWidget(this);
    auto* spinner = new CWaitWidget(holder);
    holder->setFixedSize(spinner->size());
    auto* label = new QLabel(tr("Please wait a minute."), this);
    auto* layout = new QHBoxLayout;
    layout->addWidget(holder);
    layout->addWidget(label);
    setLayout(layout);
}
