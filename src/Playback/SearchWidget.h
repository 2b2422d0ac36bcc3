#pragma once

// The search part that the playback and backup panels share: the month calendar with the
// dates that hold recordings, the minute time line of the chosen date and the channel
// choice. The data come from a DVR's record search (one request per month shown) or from
// the ".qdx" files of a PC folder.

#include <ctime>
#include <functional>
#include <memory>

#include <QCheckBox>
#include <QDate>
#include <QWidget>

#include "Common/SearchDataParser.h"
#include "DVRList.pb.h"
#include "Network/ReadDVRData.h"
#include "ui_SearchWidget.h"

class CSearchWidget : public QWidget {
    Q_OBJECT

public:
    explicit CSearchWidget(QWidget* parent = nullptr);
    ~CSearchWidget() override;

    // Remote search of the month shown (the DVR's current month when nothing is shown).
    void search(const DVR& dvr, int channels, int clientId);
    // Every ".qdx" file in the folder; an empty folder gives an empty calendar.
    void searchLocal(const QString& folder);
    // Forgets the data and the DVR.
    void clear();
    // Shows the stored data again (the calendar, the chosen date's time line).
    void reloadSearchData();

    uint32_t getSelectedChannels() const;
    QDate selectedDate() const { return m_ui.calendar->selectedDate(); }
    bool isLocal() const { return m_local; }
    bool hasDvr() const { return m_hasDvr; }
    const DVR& dvr() const { return m_dvr; }
    QString folder() const { return m_folder; }
    int channels() const { return m_channels; }
    CCalendarWidget* calendar() { return m_ui.calendar; }
    CTimeLine* timeLine() { return m_ui.timeLine; }
    const CSearchDataParser* data() const { return m_parser.get(); }
    QString status() const { return m_ui.status->text(); }
    // The query of the remote search of a month, for the DVR's protocol.
    static QString SearchQuery(const DVR& dvr, int clientId, int year, int month);

signals:
    void selectedTime(time_t time);
    // A search reply was read (or refused); the calendar shows the result.
    void searchDone();

protected:
    void changeEvent(QEvent* event) override;

private:
    void setChannels(int channels);
    // The status is made again in each language the operator chooses.
    void setStatus(std::function<QString()> text);
    void showStatus();
    void startRemote(int year, int month);
    void OnCompleted(const QByteArray& data);
    void OnPageChanged(int year, int month);
    void showData();
    void showDate();

    Ui_CSearchWidget m_ui;
    std::unique_ptr<CSearchDataParser> m_parser;
    CReadDVRData m_reader;
    QList<QCheckBox*> m_channelBoxes;
    DVR m_dvr;
    bool m_hasDvr = false;
    bool m_local = false;
    bool m_busy = false;
    QString m_folder;
    std::function<QString()> m_status;
    int m_channels = 16;
    int m_clientId = -1;
};
