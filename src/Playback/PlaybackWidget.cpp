#include "PlaybackWidget.h"

#include <QDir>

#include "Display/DisplayWidget.h"

CPlaybackWidget::CPlaybackWidget(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
    connect(m_ui.searchWidget, &CSearchWidget::selectedTime, this, &CPlaybackWidget::OnTimeChosen);
    connect(m_ui.pbButtons, &PbButtons::changedPbStatus, this, &CPlaybackWidget::OnButton);
    connect(&m_player, &CPlaybackFile::signalChangedStatus, m_ui.pbButtons, &PbButtons::setModeText);
}

CPlaybackWidget::~CPlaybackWidget()
{
    disconnectSignal();
    m_player.stopPlay();
}

bool CPlaybackWidget::IsLocalPlayback() const { return m_ui.searchWidget->isLocal(); }

void CPlaybackWidget::PlayStop() { m_player.stopPlay(); }

void CPlaybackWidget::clear()
{
    m_player.stopPlay();
    m_ui.searchWidget->clear();
    showSource(QString());
    m_ui.pbButtons->setModeText(QString());
}

void CPlaybackWidget::search(const DVR& dvr, int channels, int clientId)
{
    m_player.stopPlay();
    showSource(QString::fromStdString(dvr.name()));
    m_ui.searchWidget->search(dvr, channels, clientId);
}

void CPlaybackWidget::search(const QString& folder)
{
    m_player.stopPlay();
    showSource(QDir::toNativeSeparators(folder));
    m_ui.searchWidget->searchLocal(folder);
}

void CPlaybackWidget::showSource(const QString& text)
{
    // The column is as wide as the buttons: a long folder keeps its end, and shows whole in
    // the tool tip.
    const QFontMetrics metrics(m_ui.folderLabel->font());
    m_ui.folderLabel->setText(metrics.elidedText(text, Qt::ElideLeft, m_ui.pbButtons->sizeHint().width()));
    m_ui.folderLabel->setToolTip(text);
}

void CPlaybackWidget::setDisplayWidget(CDisplayWidget* display)
{
    if (display == m_display)
        return;
    disconnectSignal();
    m_display = display;
}

void CPlaybackWidget::connectSignal()
{
    if (!m_display || m_connected)
        return;
    m_connected = true;
    // Direct: the display queues each frame on the reader's thread while the bytes live,
    // through its inlets, which a display that goes first cuts off.
    connect(&m_player, &CPlaybackFile::DisplayVideo, m_display, m_display->inlet(&CDisplayWidget::slotDisplayVideo),
            Qt::DirectConnection);
    connect(&m_player, &CPlaybackFile::PlayAudio, m_display, m_display->inlet(&CDisplayWidget::OnPlayAudio),
            Qt::DirectConnection);
    connect(&m_player, &CPlaybackFile::signalDecoderRestart, m_display,
            m_display->inlet(&CDisplayWidget::slotDecoderRestart), Qt::DirectConnection);
    connect(&m_player, &CPlaybackFile::signalDecoderFlush, m_display, m_display->inlet(&CDisplayWidget::slotDecoderFlush),
            Qt::DirectConnection);
    connect(&m_player, &CPlaybackFile::signalChangedStatus, m_display, &CDisplayWidget::signalChangedStatus);
}

void CPlaybackWidget::disconnectSignal()
{
    if (!m_display || !m_connected)
        return;
    m_connected = false;
    disconnect(&m_player, nullptr, m_display, nullptr);
}

int CPlaybackWidget::getSelectedChannels() const { return static_cast<int>(m_ui.searchWidget->getSelectedChannels()); }

void CPlaybackWidget::reloadSearchData() { m_ui.searchWidget->reloadSearchData(); }

void CPlaybackWidget::OnTimeChosen(time_t time)
{
    const int channels = getSelectedChannels();
    // The main window readies the display (and stops remote streams) first.
    emit selectedTime(time, channels);
    if (!IsLocalPlayback())
        return;
    m_player.setFolder(m_ui.searchWidget->folder());
    m_player.play(time, static_cast<uint32_t>(channels));
}

void CPlaybackWidget::OnButton(const cgi::PbControl_Cmd& command)
{
    if (!IsLocalPlayback()) {
        emit changedPbStatus(command);
        return;
    }
    if (command == cgi::PbControl::CMD_STOP) {
        m_player.stopPlay();
        emit stopDisplay();
        return;
    }
    if (m_player.isPlaying())
        m_player.command(command);
}
