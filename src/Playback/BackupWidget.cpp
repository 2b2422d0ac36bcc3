#include "BackupWidget.h"

#include <QDateTime>
#include <QEvent>

#include "Common/Prompt.h"

CBackupWidget::CBackupWidget(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
    m_ui.endTime->setTime(QTime(23, 59, 59));
    connect(m_ui.startButton, &QPushButton::clicked, this, &CBackupWidget::OnStartClicked);
    connect(m_ui.stopButton, &QPushButton::clicked, this, &CBackupWidget::OnBackupStop);
    connect(m_ui.searchWidget, &CSearchWidget::selectedTime, this, &CBackupWidget::OnTimeChosen);
}

void CBackupWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui.retranslateUi(this);
    QWidget::changeEvent(event);
}

void CBackupWidget::clear()
{
    m_ui.searchWidget->clear();
    m_ui.progress->setValue(0);
}

void CBackupWidget::search(const DVR& dvr, int channels, int clientId)
{
    m_ui.searchWidget->search(dvr, channels, clientId);
}

void CBackupWidget::reloadSearchData() { m_ui.searchWidget->reloadSearchData(); }

time_t CBackupWidget::rangeStart() const
{
    return QDateTime(m_ui.searchWidget->selectedDate(), m_ui.startTime->time(), Qt::UTC).toSecsSinceEpoch();
}

time_t CBackupWidget::rangeEnd() const
{
    return QDateTime(m_ui.searchWidget->selectedDate(), m_ui.endTime->time(), Qt::UTC).toSecsSinceEpoch();
}

void CBackupWidget::OnTimeChosen(time_t time)
{
    // A chosen minute starts the range; the end stays unless it would come first.
    const QTime t = QDateTime::fromSecsSinceEpoch(time, Qt::UTC).time();
    m_ui.startTime->setTime(t);
    if (m_ui.endTime->time() < t)
        m_ui.endTime->setTime(t.addSecs(59));
}

void CBackupWidget::showRunning(bool running)
{
    m_ui.startButton->setEnabled(!running);
    m_ui.stopButton->setEnabled(running);
    m_ui.startTime->setEnabled(!running);
    m_ui.endTime->setEnabled(!running);
    m_ui.searchWidget->setEnabled(!running);
}

void CBackupWidget::OnStartClicked()
{
    if (m_backup)
        return;
    const uint32_t channels = m_ui.searchWidget->getSelectedChannels();
    if (!m_ui.searchWidget->hasDvr()) {
        CPrompt::current().message(this, tr("Please connect a DVR first."));
        return;
    }
    if (channels == 0) {
        CPrompt::current().message(this, tr("Please select a channel."));
        return;
    }
    const time_t start = rangeStart();
    const time_t end = rangeEnd();
    if (end < start) {
        CPrompt::current().message(this, tr("The end time is before the start time."));
        return;
    }
    m_backup = true;
    m_ui.progress->setRange(0, static_cast<int>(end - start + 1));
    m_ui.progress->setValue(0);
    showRunning(true);
    emit backupStart(start, end, static_cast<int>(channels));
}

void CBackupWidget::OnUpdateProgress(int seconds)
{
    if (!m_backup)
        return;
    if (seconds == -1) {
        OnBackupStop();
        return;
    }
    if (seconds > 0)
        m_ui.progress->setValue(std::min(m_ui.progress->maximum(), m_ui.progress->value() + seconds));
}

void CBackupWidget::OnBackupStop()
{
    // Cleared before anyone hears of the stop, so a listener that stops the backup again
    // (or asks isBackup) finds it over.
    if (!m_backup)
        return;
    m_backup = false;
    showRunning(false);
    m_ui.progress->setValue(0);
    emit backupStop();
}

void CBackupWidget::OnRecordFailed(const QString& text)
{
    if (!m_backup)
        return;
    OnBackupStop();
    CPrompt::current().message(this, text);
}
