#pragma once

#include <vector>

#include <QByteArray>
#include <QString>
#include <QWidget>

#include "DVRInfo/HddInfo.h"
#include "cgi_response.pb.h"
#include "ui_InfoWidget.h"

class CHDDWidget;

// What one read of the information page brought.
struct InfoReply {
    enum Result {
        Shown,    // its contents are on the page
        Ignored,  // a packet the page does not show, or one that does not parse
        Refused,  // the DVR refused the request; error holds its "[ERROR]..." text
        Empty,    // no whole packet (or no text) arrived
    };
    Result result = Empty;
    QString error;
};

// The contents of the DVR information page: model, versions and MAC address, one disk
// widget per disk and the system log; for an old DVR its text page and disks.
class CInfoWidget : public QWidget {
    Q_OBJECT

public:
    // Result code packets of the old protocol.
    static constexpr int OLD_RESULT_TYPE = 1;
    // Rows of disks the page makes room for before the disk area scrolls.
    static constexpr int SHOWN_DISK_ROWS = 2;

    explicit CInfoWidget(QWidget* parent = nullptr);
    ~CInfoWidget() override;

    // Empties the page and arranges it for a current or an old DVR.
    void clear(bool oldProtocol);

    // A current DVR's reply: the first packet, when it is DVR, disk or log information
    // that parses, is shown.
    InfoReply OnCompleted(const QByteArray& data);
    // An old DVR's information page (EUC-KR text): shown as it came, its disk lines as disks.
    InfoReply showOldPage(const QByteArray& page);

    void setDvrInfo(const cgi::DvrInfo& info);
    void setHddInfo(const cgi::HddInfo& info);
    void setDisks(const std::vector<HDD_INFO_T>& disks);

    // Shown values, for the page's owner and the tests.
    QString modelText() const { return m_ui.model->text(); }
    QList<CHDDWidget*> disks() const { return m_disks; }
    CLogWidget* logWidget() const { return m_ui.logWidget; }
    QString oldPageText() const;

    void languageChange();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Puts the disks in as many columns as the disk area is wide enough for.
    void arrangeDisks();

    Ui_CInfoWidget m_ui;
    QList<CHDDWidget*> m_disks;
    int m_diskColumns = 0;
    int m_areaMinimumHeight = 0;  // the form's, for one row of disks or none
};

// The model shown for a DVR: its own model text, else the model table's name, else the
// bare code (never a table row for a code the table does not hold).
QString ModelText(const cgi::DvrInfo& info);
