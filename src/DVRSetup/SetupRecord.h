#pragma once

#include <QColor>
#include <QList>
#include <QWidget>

#include "DVRSetup/PageRules.h"
#include "dvr_conf.pb.h"
#include "record.pb.h"
#include "ui_SetupRecord.h"

// The Record tab: each channel's resolution, quality, rate and record mode (with the event
// quality and rate of the "CONTINUOUS+EVENT" mode), four weekly schedules painted hour by
// hour, the audio and time-overlay switches and the DVR's own playback defaults. Every
// control writes into the message as it changes; only the entries at a channel's shown
// resolution are edited, the others pass through.
class CSetupRecord : public QWidget {
    Q_OBJECT

public:
    explicit CSetupRecord(QWidget* parent = nullptr);
    ~CSetupRecord() override;

    void InitControls();
    void InitDvrInfo(const config::DvrConf_DvrInfo& info);
    void UpdateControls();
    void MakeConfValid();
    void InitConf();
    void SetConf(const config::Record& record);
    config::Record GetConf();
    void languageChange();

    void changeCellColor(int row, int column);
    int paintMode() const { return m_record_mode; }

public slots:
    void OnRecordMode();
    void OnChangedScheduleMode(int currentRow, int currentColumn, int previousRow, int previousColumn);
    void OnChangedSchedule(int value);
    void OnChangedChannel(int index);
    void OnChangedResolution(int index);
    void OnChangedQuality(int index);
    void OnChangedFPS(int index);
    void OnChangedMode(int index);
    void OnChangedEventQuality(int index);
    void OnChangedEventFPS(int index);
    void OnChangedAudio(int id);
    void OnChangedTimeOverlay(int id);
    void OnChangedPlaybackChannel(int index);
    void OnChangedStartPoint(int index);
    void OnChangedPlaybackAudio(int id);

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Sizes the schedule table to show every column and row whole.
    void fitSchedule();
    // The schedule's day names and the model's resolution items, in the language of the moment.
    static QStringList dayLabels();
    QStringList resolutions() const;
    // The entry the channel controls edit: channel i, or the "ALL" shadow at index N.
    config::Record_Channel* targetAt(int index);
    config::Record_Channel* target() { return targetAt(m_ui.channel->currentIndex()); }
    bool onAll() const { return m_ui.channel->currentIndex() == m_model.channels; }
    // The resolution value the resolution combo shows.
    int shownResolution() const;
    // What OnChangedMode and OnChangedResolution do, without counting as the operator's edit.
    void showMode(int index);
    void showResolution(int index);
    // The quality and rate slots: the target's entry at the shown resolution, and on "ALL"
    // the operator's choice.
    using QualityList = google::protobuf::RepeatedField<int>* (config::Record_Channel::*)();
    using RateList = google::protobuf::RepeatedField<uint32_t>* (config::Record_Channel::*)();
    void writeQuality(int index, QualityList list, std::optional<config::Quality> RecordEdits::*edit);
    void writeRate(int index, RateList list, std::optional<uint32_t> RecordEdits::*edit);
    void paintCell(int row, int column, int mode);

    Ui_CSetupRecord m_ui;
    config::DvrConf_DvrInfo m_dvr_info;
    config::Record m_record;
    config::Record_Channel m_all_channel;
    QList<QColor> m_mode_colors;
    int m_record_mode = 0;
    PageModel m_model;
    // The operator's own choices on "ALL", the only values GetConf copies to every channel.
    RecordEdits m_allEdits;
};
