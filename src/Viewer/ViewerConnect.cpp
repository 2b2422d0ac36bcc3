// The connections of the connected group: connecting, stopping, screens and the current DVR.
#include "Viewer.h"

#include <QDir>
#include <QLabel>
#include <QTimer>
#include <QTreeWidgetItem>

#include "Common/ChannelNum.h"
#include "Common/Prompt.h"
#include "ConnectDVR.h"
#include "DVRList/ControlDVRList.h"
#include "DVRList/DVRListTree.h"
#include "Display/CheckSpeed.h"
#include "Display/DisplayWidget.h"
#include "LiveCtrl/LiveCtrlWidget.h"
#include "Network/HttpConnect.h"
#include "ProtoBuf/ListMetaTypes.h"
#include "Playback/BackupWidget.h"
#include "Playback/PlaybackWidget.h"
#include "Settings/AppSettings.h"
#include "SysData/Record.h"
#include "dvr_types/model_info.h"

namespace {

int CheckedChannels(const DVR& dvr) { return CChnum::getCheckedChNum(dvr.bit_ch() & 0xFFFF); }

// Live S shows channel n on screen n, so a DVR reaches up to its highest checked channel,
// past the count of checked channels when the mask has gaps.
int LiveSScreens(const DVR& dvr)
{
    int screens = 0;
    for (uint32_t mask = dvr.bit_ch() & 0xFFFF; mask != 0; mask >>= 1)
        ++screens;
    return screens;
}

// The model of a current-protocol DVR, from its channel count when the code is not one.
int ModelOf(const cgi::DvrInfo& info)
{
    const int model = static_cast<int>(std::min<uint32_t>(info.model(), INT32_MAX));
    if (DvrModel::IsValid(model))
        return model;
    return info.ch_num() == 4 ? 6 : info.ch_num() == 8 ? 5 : 4;
}

// Models whose DVRs offer no picture controls: 64 to 72, 85 and 89.
bool HasPictureControl(int model)
{
    const int bit = model - 64;
    return bit < 0 || bit > 25 || !((0x22001FFu >> bit) & 1u);
}

}  // namespace

CConnectDVR* Viewer::currentConnection() const
{
    if (m_currentDvrIndex < 0 || m_currentDvrIndex >= m_connectList.size())
        return nullptr;
    return m_connectList[m_currentDvrIndex];
}

CConnectDVR* Viewer::backupConnection() const { return m_backupWidget->isBackup() ? m_backupConnection.data() : nullptr; }

bool Viewer::isBackupDvr(int groupIndex, int dvrIndex) const
{
    const CConnectDVR* c = backupConnection();
    return c && groupIndex == m_currentGroupIndex && dvrIndex >= 0 && m_connectList.value(dvrIndex) == c;
}

void Viewer::OnGroupConnect(const QTreeWidgetItem& groupItem, int groupIndex, int dvrIndex)
{
    // The backup's own DVR is already where the operator wants to be.
    if (m_menuMode == MENU_PLAYBACK || isBackupDvr(groupIndex, dvrIndex))
        return;
    endBackupEarly();
    disconnectDVR(true);
    m_currentDvrIndex = dvrIndex < 0 ? 0 : dvrIndex;
    m_currentGroupIndex = groupIndex;
    const QVariant data = groupItem.data(0, DVR_TREE_DATA_ROLE);
    if (!data.canConvert<Group>())
        return;
    const Group group = data.value<Group>();
    const bool whole = dvrIndex < 0;
    const bool multi = m_displayWidget->getScreenMode() == CDisplayWidget::SCREEN_MULTI_DVR;
    int total = 0;
    for (int i = 0; i < group.dvr_size(); ++i) {
        if (whole) {
            total += multi ? CheckedChannels(group.dvr(i)) : static_cast<int>(group.dvr(i).chnum());
            if (total > MAX_GROUP_SCREENS)
                break;
        }
        if (whole || i == dvrIndex) {
            auto* connection = new CConnectDVR(this);
            connection->setReconnectInterval(m_reconnectMs);
            connection->setNoPacketTimeout(m_noPacketMs);
            // The group's record stands in when the tree has no item at that position.
            connection->setDVR(group.dvr(i));
            connection->setDVR(groupItem.child(i));
            connect(connection, &CConnectDVR::recordFailed, this, [this](const QString& text) {
                // A backup ends on the panel, which tells the operator where its files are;
                // live recording here.
                if (m_backupWidget->isBackup()) {
                    m_backupWidget->OnRecordFailed(text + QLatin1Char('\n') + backupEndedEarlyText());
                    return;
                }
                m_ui.RecToPC->setChecked(false);
                // Once what ended it is done: the box waits in an event loop of its own.
                QTimer::singleShot(0, this, [this, text] { CPrompt::current().message(this, text); });
            });
            connect(connection, &CConnectDVR::backupEnded, this, [this](bool complete) {
                // Once the stream's own handling of its end is over: the box waits in an
                // event loop of its own.
                QTimer::singleShot(0, this, [this, complete] {
                    CPrompt::current().message(this, CHttpConnect::backupEndText(complete));
                });
            });
            m_connectList << connection;
        } else {
            m_connectList << nullptr;
        }
    }
    if (m_ui.bottomWidget->currentIndex() == VIEW_PLAYBACK) {
        m_playbackWidget->setGroupIndex(groupIndex);
        m_playbackWidget->setDvrIndex(dvrIndex);
    } else if (m_ui.bottomWidget->currentIndex() == VIEW_BACKUP) {
        m_backupWidget->setGroupIndex(groupIndex);
        m_backupWidget->setDvrIndex(dvrIndex);
    }
    connectDVR();
}

QString Viewer::backupEndedEarlyText() const
{
    const CConnectDVR* c = backupConnection();
    const QString folder = c ? QDir::toNativeSeparators(c->recorder()->folder()) : QString();
    return tr("The backup ended before its end time. The files written so far are in \"%1\".").arg(folder);
}

// Anything but its end time or its Stop ends a running backup as Stop does; the operator hears
// that it is short and where its files are.
void Viewer::endBackupEarly(bool tellNow)
{
    if (!m_backupWidget->isBackup())
        return;
    const QString text = backupEndedEarlyText();
    m_backupWidget->OnBackupStop();
    const auto tell = [this, text] { CPrompt::current().message(this, text); };
    if (tellNow) {
        tell();
        return;
    }
    // After what ended it is done: the box waits in an event loop of its own, and the tree's
    // item or the button that asked for it must not be held across that.
    QTimer::singleShot(0, this, tell);
}

void Viewer::connectDVR()
{
    updateDisplayScreen();
    m_playbackWidget->clear();
    m_backupWidget->clear();
    const int page = m_ui.bottomWidget->currentIndex();
    CConnectDVR* current = currentConnection();
    // What names the DVR and acts on it follows the choice at once, not its first picture.
    showCurrentDvr();
    if (page == VIEW_PLAYBACK || page == VIEW_BACKUP) {
        // Searched, not streamed.
        if (current && page == VIEW_PLAYBACK)
            m_playbackWidget->search(current->getDVR(), current->getDVRChannels(), current->getClientID());
        else if (current)
            m_backupWidget->search(current->getDVR(), current->getDVRChannels(), current->getClientID());
        return;
    }
    m_ui.RecToPC->setEnabled(true);
    for (CConnectDVR* c : std::as_const(m_connectList)) {
        if (!c)
            continue;
        connect(c, &CConnectDVR::connected, this, &Viewer::OnConnected, Qt::UniqueConnection);
        connect(c, &CConnectDVR::disconnected, this, &Viewer::OnDisconnected, Qt::UniqueConnection);
        c->startLive(true);
    }
    gCheckSpeed.reset();
}

void Viewer::unwireConnection(CConnectDVR* c)
{
    disconnect(c, &CConnectDVR::connected, this, nullptr);
    disconnect(c, &CConnectDVR::disconnected, this, nullptr);
    disconnect(c, &CConnectDVR::updateBackupProgress, nullptr, nullptr);
}

void Viewer::disconnectDVR(bool remove)
{
    exitZoom();
    stopSequence();
    stopDisplay();
    for (CConnectDVR* c : std::as_const(m_connectList)) {
        if (!c)
            continue;
        unwireConnection(c);
        c->disconnect();
    }
    if (remove) {
        qDeleteAll(m_connectList);
        m_connectList.clear();
    }
    m_dvrTree->clearIcon(m_currentGroupIndex);
}

void Viewer::slotDisconnectDVR(int dvrIndex)
{
    if (dvrIndex >= 0) {
        if (dvrIndex < m_connectList.size() && m_connectList[dvrIndex]) {
            CConnectDVR* c = m_connectList[dvrIndex];
            c->resetDisplayWidget();
            unwireConnection(c);
            c->disconnect();
        }
    } else {
        disconnectDVR(false);
    }
    // Another DVR's disconnect leaves a backup alone.
    if (dvrIndex < 0 || isBackupDvr(m_currentGroupIndex, dvrIndex))
        endBackupEarly();
    QTimer::singleShot(RESTORE_DELAY_MS, this, &Viewer::OnDisconnected);
}

void Viewer::OnDisconnected()
{
    if (m_connectList.contains(qobject_cast<CConnectDVR*>(sender())) && m_ui.RecToPC->isChecked())
        m_ui.RecToPC->setChecked(false);
    // The panel drives the current DVR; one that is gone takes nothing.
    const CConnectDVR* current = currentConnection();
    if (!current || !current->IsConnected())
        m_liveCtrl->EnableWidget(false);
    // A backup ends with its own connection only.
    if (sender() && sender() == backupConnection())
        stopBackup();
    restoreLater();
}

void Viewer::OnConnected()
{
    // The stream asked for every checked channel; the layout shown may want fewer.
    if (const auto* c = qobject_cast<CConnectDVR*>(sender())) {
        const int viewStart = m_displayWidget->getViewStartScreen();
        sendChannelCommands(m_displayWidget->getViewEndScreen() - viewStart, viewStart, c);
    }
    if (currentConnection())
        updateDVRInfo();
    // The selected cell may be this DVR's, back after a reconnect: the panel follows it.
    m_displayWidget->updateSelectScreen(m_displayWidget->selectedScreen());
}

void Viewer::updateDisplayScreen()
{
    const bool multi = m_displayWidget->getScreenMode() == CDisplayWidget::SCREEN_MULTI_DVR;
    const int viewStart = m_displayWidget->getViewStartScreen();
    const int viewEnd = m_displayWidget->getViewEndScreen();
    const int selected = m_displayWidget->selectedScreen();
    int lastVisible = -1;
    int selectedOwner = -1;
    int position = 0;
    for (int i = 0; i < m_connectList.size(); ++i) {
        CConnectDVR* c = m_connectList[i];
        if (!c)
            continue;
        const int n = multi ? CheckedChannels(c->getDVR()) : LiveSScreens(c->getDVR());
        const int first = multi ? position : 0;
        if (multi)
            position += n;
        c->setDisplayScreen(first, n);
        if (!multi) {
            if (i == m_currentDvrIndex)
                c->setDisplayWidget(m_displayWidget);
        } else if (first < viewEnd && first + n > viewStart) {
            c->setDisplayWidget(m_displayWidget);
            lastVisible = i;
            if (first <= selected && selected < first + n)
                selectedOwner = i;
        }
    }
    // The DVR of the selected cell is the one the panel and the buttons act on; with the
    // selection on no DVR's cell, the last DVR on the page.
    if (lastVisible >= 0)
        m_currentDvrIndex = selectedOwner >= 0 ? selectedOwner : lastVisible;
    sendChannelCommand(viewEnd - viewStart, viewStart);
}

void Viewer::OnChangedDVR(int groupIndex, int dvrIndex)
{
    // A running backup keeps the window: its DVR, its pictures, its search and its progress.
    // The tree keeps the operator's mark, which its menu acts on.
    if (m_displayWidget->getScreenMode() == CDisplayWidget::SCREEN_MULTI_DVR || m_backupWidget->isBackup())
        return;
    m_displayWidget->ClearScreen();
    if (groupIndex != m_currentGroupIndex) {
        stopDisplay();
        m_currentDvrIndex = -1;
    } else if (dvrIndex != m_currentDvrIndex) {
        stopDisplay();
        m_currentDvrIndex = dvrIndex;
        m_playbackWidget->clear();
        m_backupWidget->clear();
        restoreLater();
    }
    const int page = m_ui.bottomWidget->currentIndex();
    if (page == VIEW_PLAYBACK && m_playbackWidget->getGroupIndex() == groupIndex
        && m_playbackWidget->getDvrIndex() == dvrIndex)
        m_playbackWidget->reloadSearchData();
    if (page == VIEW_BACKUP && m_backupWidget->getGroupIndex() == groupIndex
        && m_backupWidget->getDvrIndex() == dvrIndex)
        m_backupWidget->reloadSearchData();
    updateDVRInfo();
    sendChannelCommand(16, 0);
}

void Viewer::applyConnectedDVR(CConnectDVR* c)
{
    const DVR dvr = c->getDVR();
    if (dvr.old_protocol()) {
        m_liveCtrl->setConnectedDVR(dvr, c->getClientID(), false);
        m_liveCtrl->setVisiblePictureCtrl(false);
        return;
    }
    const int model = ModelOf(c->GetDvrInfo());
    const DvrModelInfo info{DvrModel(model)};
    m_liveCtrl->setConnectedDVR(dvr, c->getClientID(), info.has_remote_port);
    m_liveCtrl->setVisiblePictureCtrl(HasPictureControl(model));
}

void Viewer::slotChangedScreen(int screen, int dvrChannel)
{
    int found = -1;
    for (int i = 0; i < m_connectList.size() && found < 0; ++i) {
        CConnectDVR* c = m_connectList[i];
        if (c && c->isVisible() && c->getDisplayStartScreen() <= screen && screen < c->getDisplayEndScreen())
            found = i;
    }
    if (found < 0 || dvrChannel < 0) {
        m_liveCtrl->EnableWidget(false);
        return;
    }
    CConnectDVR* c = m_connectList[found];
    if (!c->IsConnected()) {
        m_liveCtrl->EnableWidget(false);
        return;
    }
    m_liveCtrl->EnableWidget(true);
    m_currentDvrIndex = found;
    // The playback status stays: only what names the DVR follows the selection.
    showCurrentDvr();
    m_liveCtrl->setSelectedChannel(dvrChannel);
}

void Viewer::updateDVRInfo()
{
    m_statusLabel->clear();
    showCurrentDvr();
}

// The status bar, the tree and the buttons that act on the current DVR all name it.
void Viewer::showCurrentDvr()
{
    m_dvrLabel->clear();
    CConnectDVR* c = currentConnection();
    if (!c) {
        m_ui.RecToPC->setChecked(false);
        return;
    }
    if (c->IsConnected())
        applyConnectedDVR(c);
    m_ui.RecToPC->setChecked(c->isRecording());
    const DVR dvr = c->getDVR();
    // Connected or not: an old-protocol DVR's configuration cannot be read.
    m_ui.Setup->setVisible(!dvr.old_protocol());
    const bool admin = QString::fromStdString(dvr.id()).compare(QLatin1String("ADMIN"), Qt::CaseInsensitive) == 0;
    m_ui.RecToDVR->setEnabled(admin);
    m_ui.Setup->setEnabled(admin);
    m_dvrLabel->setText(QStringLiteral("%1( %2 )").arg(QString::fromStdString(dvr.name()), QString::fromStdString(dvr.id())));
    m_dvrTree->setCurrentDvr(m_currentGroupIndex, m_currentDvrIndex);
}

void Viewer::OnApplyPCSetup()
{
    // Before the connections start again, which read the mode.
    leavePCSetup();
    // The stream type is a live one's: a backup runs on, and live view asks for the new type.
    if (getCodecType() != m_codecType && !m_backupWidget->isBackup())
        startOver();
    if (getOpenGLMode() != m_openGLMode) {
        stopDisplay();
        m_displayWidget->resetDisplay();
        restoreLater();
    }
}
