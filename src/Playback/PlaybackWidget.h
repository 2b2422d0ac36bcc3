#pragma once

// The search and playback panel (bottom page 1): search a DVR's recordings (or the
// recording files of a PC folder) on the calendar and the time line, choose a time to play,
// and drive playback with the buttons. Remote playback is the main window's: the panel
// emits the chosen time and the buttons' commands. Local playback of PC files runs here,
// through a CPlaybackFile that feeds the display widget.

#include <ctime>

#include <QWidget>

#include "DVRList.pb.h"
#include "Playback/PlaybackFile.h"
#include "cgi_request.pb.h"
#include "ui_PlaybackWidget.h"

class CDisplayWidget;

class CPlaybackWidget : public QWidget {
    Q_OBJECT

public:
    explicit CPlaybackWidget(QWidget* parent = nullptr);
    ~CPlaybackWidget() override;

    bool IsLocalPlayback() const;
    void PlayStop();
    void clear();
    void search(const DVR& dvr, int channels, int clientId);
    void search(const QString& folder);

    void setDisplayWidget(CDisplayWidget* display);
    void connectSignal();
    void disconnectSignal();

    int getSelectedChannels() const;
    void setGroupIndex(int index) { m_groupIndex = index; }
    void setDvrIndex(int index) { m_dvrIndex = index; }
    int getGroupIndex() const { return m_groupIndex; }
    int getDvrIndex() const { return m_dvrIndex; }
    void reloadSearchData();

    CSearchWidget* searchWidget() { return m_ui.searchWidget; }
    PbButtons* buttons() { return m_ui.pbButtons; }
    CPlaybackFile* player() { return &m_player; }

signals:
    void selectedTime(time_t time, int channels);
    void changedPbStatus(const cgi::PbControl_Cmd& command);
    void stopDisplay();

private:
    // The DVR's name or the PC folder searched.
    void showSource(const QString& text);
    void OnTimeChosen(time_t time);
    void OnButton(const cgi::PbControl_Cmd& command);

    Ui_CPlaybackWidget m_ui;
    CPlaybackFile m_player;
    CDisplayWidget* m_display = nullptr;
    bool m_connected = false;
    int m_groupIndex = -1;
    int m_dvrIndex = -1;
};
