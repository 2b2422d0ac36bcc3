#pragma once

// The backup panel (bottom page 2): search a DVR's recordings as on the playback panel,
// choose a time range of the chosen day and the channels, and copy them to PC files. The
// main window opens the backup stream on backupStart and ends it on backupStop; the stream's
// progress comes back through OnUpdateProgress.

#include <ctime>

#include <QWidget>

#include "DVRList.pb.h"
#include "ui_BackupWidget.h"

class CBackupWidget : public QWidget {
    Q_OBJECT

public:
    explicit CBackupWidget(QWidget* parent = nullptr);

    bool isBackup() const { return m_backup; }
    void clear();
    void search(const DVR& dvr, int channels, int clientId);
    void setGroupIndex(int index) { m_groupIndex = index; }
    void setDvrIndex(int index) { m_dvrIndex = index; }
    int getGroupIndex() const { return m_groupIndex; }
    int getDvrIndex() const { return m_dvrIndex; }
    void reloadSearchData();

    // The chosen range: the chosen day from the start to the end time, both included.
    time_t rangeStart() const;
    time_t rangeEnd() const;
    int progressValue() const { return m_ui.progress->value(); }
    CSearchWidget* searchWidget() { return m_ui.searchWidget; }

signals:
    void backupStart(time_t start, time_t end, int channels);
    void backupStop();

public slots:
    // Seconds of recorded time since the last report; -1: the end time was reached.
    void OnUpdateProgress(int seconds);
    void OnBackupStop();
    // The recorder could not start or stopped on an error: the backup ends with its text.
    void OnRecordFailed(const QString& text);

protected:
    void changeEvent(QEvent* event) override;

private:
    void OnStartClicked();
    void OnTimeChosen(time_t time);
    void showRunning(bool running);

    Ui_CBackupWidget m_ui;
    bool m_backup = false;
    int m_groupIndex = -1;
    int m_dvrIndex = -1;
};
