#include "SearchWidget.h"

#include <QEvent>
#include <QSignalBlocker>

#include "Common/DataParser.h"
#include "Common/DvrQuery.h"
#include "Network/HttpConnect.h"
#include "Network/OldQuery.h"
#include "Playback/LocalFiles.h"

namespace {

QDateTime MonthStart(int year, int month) { return QDateTime(QDate(year, month, 1), QTime(0, 0), Qt::UTC); }

}  // namespace

CSearchWidget::CSearchWidget(QWidget* parent) : QWidget(parent), m_parser(new CSearchDataParser(false))
{
    m_ui.setupUi(this);
    for (int c = 0; c < MAX_DVR_CHANNEL; ++c) {
        auto* box = new QCheckBox(QString::number(c + 1), m_ui.channelBox);
        box->setChecked(true);
        m_ui.channelGrid->addWidget(box, c % 8, c / 8);
        m_channelBoxes << box;
    }
    connect(&m_reader, &CReadDVRData::completed, this, &CSearchWidget::OnCompleted);
    connect(m_ui.calendar, &QCalendarWidget::currentPageChanged, this, &CSearchWidget::OnPageChanged);
    connect(m_ui.calendar, &QCalendarWidget::selectionChanged, this, &CSearchWidget::showDate);
    connect(m_ui.timeLine, &CTimeLine::selectedTime, this, &CSearchWidget::selectedTime);
}

CSearchWidget::~CSearchWidget() { m_reader.stopRead(); }

void CSearchWidget::setChannels(int channels)
{
    m_channels = std::clamp(channels, 1, MAX_DVR_CHANNEL);
    for (int c = 0; c < m_channelBoxes.size(); ++c) {
        const QSignalBlocker block(m_channelBoxes[c]);
        m_channelBoxes[c]->setEnabled(c < m_channels);
        m_channelBoxes[c]->setChecked(c < m_channels);
    }
}

uint32_t CSearchWidget::getSelectedChannels() const
{
    uint32_t mask = 0;
    for (int c = 0; c < m_channelBoxes.size() && c < m_channels; ++c)
        if (m_channelBoxes[c]->isChecked())
            mask |= 1u << c;
    return mask;
}

QString CSearchWidget::SearchQuery(const DVR& dvr, int clientId, int year, int month)
{
    if (dvr.old_protocol())
        return COldQuery::Search(clientId);
    cgi::Search s;
    s.set_chmask(65535);
    s.set_version(1);
    s.set_hours_include(true);
    const QDateTime start = MonthStart(year, month);
    s.set_start_time(static_cast<uint32_t>(start.toSecsSinceEpoch()));
    s.set_end_time(static_cast<uint32_t>(start.addMonths(1).toSecsSinceEpoch() - 1));
    return CgiQueryFor(dvr, cgi::MODE_SEARCH, s);
}

void CSearchWidget::clear()
{
    m_reader.stopRead();
    m_busy = false;
    m_hasDvr = false;
    m_local = false;
    m_folder.clear();
    m_parser = std::make_unique<CSearchDataParser>(false);
    m_ui.calendar->setMarkedDates({});
    m_ui.timeLine->clear();
    setStatus({});
    m_ui.dateLabel->clear();
}

void CSearchWidget::search(const DVR& dvr, int channels, int clientId)
{
    clear();
    m_dvr = dvr;
    m_hasDvr = clientId >= 0 || !dvr.address().empty();
    m_clientId = clientId;
    m_parser = std::make_unique<CSearchDataParser>(dvr.old_protocol());
    setChannels(channels);
    if (!m_hasDvr)
        return;
    startRemote(m_ui.calendar->yearShown(), m_ui.calendar->monthShown());
}

void CSearchWidget::startRemote(int year, int month)
{
    m_busy = true;
    setStatus([] { return tr("Searching..."); });
    m_reader.startRead(m_dvr, SearchQuery(m_dvr, m_clientId, year, month));
}

void CSearchWidget::OnPageChanged(int year, int month)
{
    // Old DVRs answer with every recording at once; current ones a month per request.
    if (m_hasDvr && !m_local && !m_dvr.old_protocol())
        startRemote(year, month);
}

void CSearchWidget::OnCompleted(const QByteArray& data)
{
    m_busy = false;
    CDataParser cutter;
    const bool old = m_dvr.old_protocol();
    if (!cutter.setReceivedData(old, data.constData(), static_cast<unsigned int>(data.size()))) {
        m_parser->clear();
        setStatus([] { return tr("No search data was received from the DVR."); });
    } else {
        const std::vector<char>& payload = cutter.getResultData();
        if (payload.size() == 1 && cutter.getDataType() == (old ? 1 : 0)) {
            m_parser->clear();
            const auto code = static_cast<unsigned char>(payload[0]);
            setStatus([code, old] {
                const QString text = CHttpConnect::getErrMessage(code, old);
                return text.isEmpty() ? tr("No recordings.") : text;
            });
        } else {
            m_parser->setNetData(payload.data(), static_cast<int>(payload.size()));
            setStatus({});
        }
    }
    showData();
    emit searchDone();
}

void CSearchWidget::searchLocal(const QString& folder)
{
    clear();
    m_local = true;
    m_folder = folder;
    setChannels(MAX_DVR_CHANNEL);
    QStringList missing;
    const QStringList refused = LocalSearch(folder, m_parser.get(), &missing);
    setStatus([refused, missing] {
        QStringList parts;
        if (!refused.isEmpty())
            parts << tr("Files not read: %1").arg(refused.join(QStringLiteral(", ")));
        // Listed in the index, but the files were removed: shown, and told, not played.
        if (!missing.isEmpty())
            parts << tr("Recorded minutes whose files are missing: %1").arg(missing.join(QStringLiteral(", ")));
        return parts.join(QStringLiteral("; "));
    });
    showData();
    emit searchDone();
}

void CSearchWidget::setStatus(std::function<QString()> text)
{
    m_status = std::move(text);
    showStatus();
}

void CSearchWidget::showStatus()
{
    // The header row is narrow: a long text is cut there and read whole in its tool tip.
    const QString text = m_status ? m_status() : QString();
    m_ui.status->setText(text);
    m_ui.status->setToolTip(text);
}

void CSearchWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        // The form empties the date and the status; both come back in the new language.
        const QString date = m_ui.dateLabel->text();
        m_ui.retranslateUi(this);
        m_ui.dateLabel->setText(date);
        showStatus();
    }
    QWidget::changeEvent(event);
}

void CSearchWidget::reloadSearchData() { showData(); }

void CSearchWidget::showData()
{
    std::set<CDate> dates;
    for (const CDateHour& h : m_parser->getHourSet())
        dates.insert(h.date);
    // A reply that lists no hours still tells its dates through its spans.
    for (const auto& entry : m_parser->getMinData())
        dates.insert(entry.first.date);
    m_ui.calendar->setMarkedDates(dates);

    const QDate shown = m_ui.calendar->selectedDate();
    if (!dates.empty() && !m_ui.calendar->isMarked(shown)) {
        // The latest marked date of the month shown, else the latest of all.
        CDate pick = *dates.rbegin();
        for (const CDate& d : dates)
            if (d.year == m_ui.calendar->yearShown() && d.month == m_ui.calendar->monthShown())
                pick = d;
        const QSignalBlocker block(m_ui.calendar);
        m_ui.calendar->setSelectedDate(QDate(pick.year, pick.month, pick.day));
    }
    showDate();
}

void CSearchWidget::showDate()
{
    const QDate d = m_ui.calendar->selectedDate();
    const CDate date(d.year(), d.month(), d.day());
    m_ui.dateLabel->setText(d.toString(QStringLiteral("yyyy-MM-dd")));
    const CSearchDataParser::TimeLineMap& lines = m_parser->getData();
    const auto it = lines.find(date);
    m_ui.timeLine->setDay(date, it == lines.end() ? nullptr : &it->second, m_channels);
}
