#include "DVRSetup/SetupRecord.h"

#include <QEvent>
#include <QFocusEvent>
#include <QHeaderView>

#include "DVRSetup/DefStream.h"
#include "DVRSetup/PageFill.h"
#include "sys_conf/types/record_types.h"

namespace {

// The modes a schedule is painted with: paint mode i is record mode i.
struct PaintMode {
    const char* button;
    config::RecordMode mode;
    int red, green, blue;
};
const PaintMode kPaintModes[] = {
    {"manual", config::RECORD_MODE_MANUAL, 255, 255, 255},
    {"continuous", config::RECORD_MODE_CONTINUOUS, 255, 0, 0},
    {"motion", config::RECORD_MODE_MOTION, 0, 170, 0},
    {"sensor", config::RECORD_MODE_SENSOR, 255, 170, 0},
    {"event", config::RECORD_MODE_MOTION_SENSOR, 85, 85, 255},
    {"contEvent", config::RECORD_MODE_CONTINUOUS_EVENT, 255, 85, 255},
};
constexpr int PAINT_ALPHA = 100;

const char* const kDays[] = {QT_TRANSLATE_NOOP("CSetupRecord", "SUN"), QT_TRANSLATE_NOOP("CSetupRecord", "MON"),
                             QT_TRANSLATE_NOOP("CSetupRecord", "TUE"), QT_TRANSLATE_NOOP("CSetupRecord", "WED"),
                             QT_TRANSLATE_NOOP("CSetupRecord", "THU"), QT_TRANSLATE_NOOP("CSetupRecord", "FRI"),
                             QT_TRANSLATE_NOOP("CSetupRecord", "SAT")};
constexpr int ROW_HEIGHT = 20;
// Wide enough for a two-digit hour; 24 of them and the day names fit the page.
constexpr int HOUR_WIDTH = 32;

QStringList ChannelItems(int channels)
{
    QStringList items;
    for (int c = 1; c <= channels; ++c)
        items << QString::number(c);
    return items << QStringLiteral("ALL");
}

}  // namespace

CSetupRecord::CSetupRecord(QWidget* parent) : QWidget(parent), m_model(PageModel_Of(m_dvr_info))
{
    m_ui.setupUi(this);
    for (QPushButton* button : findChildren<QPushButton*>())
        connect(button, &QPushButton::clicked, this, &CSetupRecord::OnRecordMode);
    connect(m_ui.schedule, &QTableWidget::currentCellChanged, this, &CSetupRecord::OnChangedScheduleMode);
    connect(m_ui.scheduleNumber, &QSpinBox::valueChanged, this, &CSetupRecord::OnChangedSchedule);
    connect(m_ui.channel, &QComboBox::currentIndexChanged, this, &CSetupRecord::OnChangedChannel);
    connect(m_ui.resolution, &QComboBox::currentIndexChanged, this, &CSetupRecord::OnChangedResolution);
    connect(m_ui.quality, &QComboBox::currentIndexChanged, this, &CSetupRecord::OnChangedQuality);
    connect(m_ui.fps, &QComboBox::currentIndexChanged, this, &CSetupRecord::OnChangedFPS);
    connect(m_ui.mode, &QComboBox::currentIndexChanged, this, &CSetupRecord::OnChangedMode);
    connect(m_ui.eventQuality, &QComboBox::currentIndexChanged, this, &CSetupRecord::OnChangedEventQuality);
    connect(m_ui.eventFPS, &QComboBox::currentIndexChanged, this, &CSetupRecord::OnChangedEventFPS);
    connect(m_ui.audioGroup, &QButtonGroup::idClicked, this, &CSetupRecord::OnChangedAudio);
    connect(m_ui.timeOverlayGroup, &QButtonGroup::idClicked, this, &CSetupRecord::OnChangedTimeOverlay);
    connect(m_ui.playbackChannel, &QComboBox::currentIndexChanged, this, &CSetupRecord::OnChangedPlaybackChannel);
    connect(m_ui.startPoint, &QComboBox::currentIndexChanged, this, &CSetupRecord::OnChangedStartPoint);
    connect(m_ui.playbackAudioGroup, &QButtonGroup::idClicked, this, &CSetupRecord::OnChangedPlaybackAudio);
    m_ui.schedule->installEventFilter(this);
    for (const PaintMode& p : kPaintModes)
        m_mode_colors << QColor(p.red, p.green, p.blue, PAINT_ALPHA);
    InitControls();
    InitDvrInfo(m_dvr_info);
}

CSetupRecord::~CSetupRecord() = default;

void CSetupRecord::InitControls()
{
    SetItemsBlocked(m_ui.quality, DefStream::Quality);
    SetItemsBlocked(m_ui.eventQuality, DefStream::Quality);
    QStringList starts;
    for (int i = 0; i < config::PlaybackStart_Count(); ++i)
        starts << QString::fromLatin1(config::PlaybackStart_Index2String(i));
    SetItemsBlocked(m_ui.startPoint, starts);
    {
        const QSignalBlocker block(m_ui.scheduleNumber);
        m_ui.scheduleNumber->setRange(1, SCHEDULES);
    }
    QTableWidget* table = m_ui.schedule;
    {
        const QSignalBlocker block(table);
        table->setRowCount(SCHEDULE_DAYS);
        table->setColumnCount(SCHEDULE_HOURS);
        QStringList hours;
        for (int hour = 0; hour < SCHEDULE_HOURS; ++hour)
            hours << QString::asprintf("%02d", hour);
        table->setVerticalHeaderLabels(dayLabels());
        table->setHorizontalHeaderLabels(hours);
    }
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int day = 0; day < SCHEDULE_DAYS; ++day)
        table->setRowHeight(day, ROW_HEIGHT);
    for (int hour = 0; hour < SCHEDULE_HOURS; ++hour)
        table->setColumnWidth(hour, HOUR_WIDTH);
    fitSchedule();
    SetOffOnIds(m_ui.audioGroup, m_ui.audioOff, m_ui.audioOn);
    SetOffOnIds(m_ui.timeOverlayGroup, m_ui.timeOverlayOff, m_ui.timeOverlayOn);
    SetOffOnIds(m_ui.playbackAudioGroup, m_ui.playbackAudioOff, m_ui.playbackAudioOn);
    UpdateControls();
}

void CSetupRecord::InitDvrInfo(const config::DvrConf_DvrInfo& info)
{
    m_dvr_info.CopyFrom(info);
    UpdateControls();
    InitConf();
}

void CSetupRecord::UpdateControls()
{
    m_model = PageModel_Of(m_dvr_info);
    SetItemsBlocked(m_ui.channel, ChannelItems(m_model.channels));
    SetItemsBlocked(m_ui.playbackChannel, ChannelItems(m_model.channels));
    SetItemsBlocked(m_ui.resolution, resolutions());
    QStringList rates;
    for (int rate : m_model.vtype == config::VideoType_NTSC ? DefStream::FPSNtsc : DefStream::FPSPal)
        rates << QString::number(rate);
    SetItemsBlocked(m_ui.fps, rates);
    SetItemsBlocked(m_ui.eventFPS, rates);
    const uint64_t sensors = static_cast<uint64_t>(m_model.sensors);
    QStringList modes;
    for (int i = 0; i < config::RecordMode_Count(sensors); ++i)
        modes << QString::fromLatin1(config::RecordMode_Index2String(sensors, i, false));
    SetItemsBlocked(m_ui.mode, modes);
    m_ui.sensor->setVisible(sensors != 0);
    m_ui.event->setVisible(sensors != 0);
}

void CSetupRecord::MakeConfValid()
{
    Record_MakeValid(&m_record, m_model);
    m_all_channel = m_record.channel(0);
    m_allEdits = {};
}

void CSetupRecord::InitConf()
{
    m_record = Record_Defaults(m_model.channels);
    SetConf(m_record);
}

void CSetupRecord::SetConf(const config::Record& record)
{
    if (&record != &m_record)
        m_record.CopyFrom(record);
    MakeConfValid();
    SetIndexBlocked(m_ui.channel, m_model.channels);
    OnChangedChannel(m_model.channels);
    CheckId(m_ui.audioGroup, m_record.misc().audio_rec() ? 1 : 0);
    CheckId(m_ui.timeOverlayGroup, m_record.misc().time_overlay() ? 1 : 0);
    // A channel beyond the list shows no selection and stays stored.
    const uint32_t chmode = m_record.playback().chmode();
    SetIndexBlocked(m_ui.playbackChannel, chmode <= uint32_t(m_model.channels) ? static_cast<int>(chmode) : -1);
    SetIndexBlocked(m_ui.startPoint, config::PlaybackStart_Type2Index(m_record.playback().start_point()));
    CheckId(m_ui.playbackAudioGroup, m_record.playback().audio_play() ? 1 : 0);
    SetValueBlocked(m_ui.scheduleNumber, 1);
    OnChangedSchedule(1);
    m_ui.manual->click();
}

config::Record CSetupRecord::GetConf()
{
    if (onAll())
        Record_ApplyAll(&m_record, m_allEdits);
    return m_record;
}

config::Record_Channel* CSetupRecord::targetAt(int index)
{
    if (index == m_model.channels)
        return &m_all_channel;
    return index >= 0 && index < m_record.channel_size() ? m_record.mutable_channel(index) : nullptr;
}

int CSetupRecord::shownResolution() const
{
    return config::Resolution_Index2Type(m_model.type, m_ui.resolution->currentIndex());
}

// ---- channel settings --------------------------------------------------------------------------

void CSetupRecord::OnChangedChannel(int index)
{
    const config::Record_Channel* t = targetAt(index);
    if (!t)
        return;
    const uint64_t sensors = static_cast<uint64_t>(m_model.sensors);
    const int mode = config::RecordMode_Type2Index(sensors, t->record_mode());
    SetIndexBlocked(m_ui.mode, mode);
    showMode(mode);
    const int resolution = config::Resolution_Type2Index(m_model.type, t->resolution());
    SetIndexBlocked(m_ui.resolution, resolution);
    showResolution(resolution);
}

void CSetupRecord::showMode(int index)
{
    config::Record_Channel* t = target();
    if (index < 0 || !t)
        return;
    const config::RecordMode mode = config::RecordMode_Index2Type(static_cast<uint64_t>(m_model.sensors), index);
    if (t->record_mode() != mode)
        t->set_record_mode(mode);
    const bool events = mode == config::RECORD_MODE_CONTINUOUS_EVENT;
    m_ui.eventQuality->setEnabled(events);
    m_ui.eventFPS->setEnabled(events);
}

void CSetupRecord::showResolution(int index)
{
    config::Record_Channel* t = target();
    if (index < 0 || !t)
        return;
    const config::Resolution r = config::Resolution_Index2Type(m_model.type, index);
    if (t->resolution() != r)
        t->set_resolution(r);
    SetIndexBlocked(m_ui.quality, t->qual(r));
    SetIndexBlocked(m_ui.fps, DefStream::FPS_REAL2IDX(m_model.vtype, static_cast<int>(t->fps(r))));
    SetIndexBlocked(m_ui.eventQuality, t->qual_evt(r));
    SetIndexBlocked(m_ui.eventFPS, DefStream::FPS_REAL2IDX(m_model.vtype, static_cast<int>(t->fps_evt(r))));
}

void CSetupRecord::OnChangedResolution(int index)
{
    showResolution(index);
    if (index >= 0 && onAll())
        m_allEdits.resolution = config::Resolution_Index2Type(m_model.type, index);
}

void CSetupRecord::OnChangedMode(int index)
{
    showMode(index);
    if (index >= 0 && onAll())
        m_allEdits.mode = config::RecordMode_Index2Type(static_cast<uint64_t>(m_model.sensors), index);
}

void CSetupRecord::writeQuality(int index, QualityList list, std::optional<config::Quality> RecordEdits::*edit)
{
    config::Record_Channel* t = target();
    if (index < 0 || !t || !config::Quality_IsValid(index))
        return;
    SetEntry((t->*list)(), shownResolution(), index);
    if (onAll())
        m_allEdits.*edit = static_cast<config::Quality>(index);
}

void CSetupRecord::writeRate(int index, RateList list, std::optional<uint32_t> RecordEdits::*edit)
{
    config::Record_Channel* t = target();
    if (index < 0 || !t)
        return;
    const auto fps = static_cast<uint32_t>(DefStream::FPS_IDX2REAL(m_model.vtype, index));
    SetEntry((t->*list)(), shownResolution(), fps);
    if (onAll())
        m_allEdits.*edit = fps;
}

void CSetupRecord::OnChangedQuality(int index)
{
    writeQuality(index, &config::Record_Channel::mutable_qual, &RecordEdits::qual);
}

void CSetupRecord::OnChangedFPS(int index) { writeRate(index, &config::Record_Channel::mutable_fps, &RecordEdits::fps); }

void CSetupRecord::OnChangedEventQuality(int index)
{
    writeQuality(index, &config::Record_Channel::mutable_qual_evt, &RecordEdits::qual_evt);
}

void CSetupRecord::OnChangedEventFPS(int index)
{
    writeRate(index, &config::Record_Channel::mutable_fps_evt, &RecordEdits::fps_evt);
}

// ---- schedules ---------------------------------------------------------------------------------

void CSetupRecord::OnRecordMode()
{
    const QString name = sender() ? sender()->objectName() : QString();
    for (int i = 0; i < int(std::size(kPaintModes)); ++i) {
        if (name.contains(QLatin1String(kPaintModes[i].button), Qt::CaseSensitive)) {
            m_record_mode = i;
            return;
        }
    }
}

void CSetupRecord::paintCell(int row, int column, int mode)
{
    auto* item = new QTableWidgetItem;
    // Modes 6..9 have no paint colour: hatched, neither what the cell showed before nor
    // the white of "Manual".
    item->setBackground(mode >= 0 && mode < m_mode_colors.size() ? QBrush(m_mode_colors[mode])
                                                                 : QBrush(Qt::gray, Qt::BDiagPattern));
    const QSignalBlocker block(m_ui.schedule);
    m_ui.schedule->setItem(row, column, item);
}

void CSetupRecord::changeCellColor(int row, int column) { paintCell(row, column, m_record_mode); }

void CSetupRecord::OnChangedScheduleMode(int currentRow, int currentColumn, int, int)
{
    const int s = m_ui.scheduleNumber->value() - 1;
    if (currentRow < 0 || currentColumn < 0 || s < 0 || s >= m_record.schedule_size())
        return;
    changeCellColor(currentRow, currentColumn);
    SetEntry(m_record.mutable_schedule(s)->mutable_record_mode(), Schedule_Cell(currentRow, currentColumn),
            kPaintModes[m_record_mode].mode);
}

void CSetupRecord::OnChangedSchedule(int value)
{
    const int s = value - 1;
    if (s < 0 || s >= m_record.schedule_size())
        return;
    const config::Record_Schedule& schedule = m_record.schedule(s);
    for (int hour = 0; hour < SCHEDULE_HOURS; ++hour)
        for (int day = 0; day < SCHEDULE_DAYS; ++day)
            paintCell(day, hour, schedule.record_mode(Schedule_Cell(day, hour)));
}

void CSetupRecord::fitSchedule()
{
    // The day names' column is as wide as the font makes it: measured, never assumed.
    QTableWidget* table = m_ui.schedule;
    const int frame = 2 * table->frameWidth();
    table->setFixedSize(frame + table->verticalHeader()->sizeHint().width() + SCHEDULE_HOURS * HOUR_WIDTH,
                        frame + table->horizontalHeader()->sizeHint().height() + SCHEDULE_DAYS * ROW_HEIGHT);
}

bool CSetupRecord::eventFilter(QObject* watched, QEvent* event)
{
    // The style sheet and the font reach the headers only when the table is shown or restyled.
    if (watched == m_ui.schedule
        && (event->type() == QEvent::Show || event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange))
        fitSchedule();
    // Taking the focus makes the table's first cell current, which would paint Sunday 00:00.
    if (watched == m_ui.schedule && event->type() == QEvent::FocusIn) {
        const bool hadCurrent = m_ui.schedule->currentIndex().isValid();
        const QSignalBlocker block(m_ui.schedule);
        watched->event(event);
        if (!hadCurrent)
            m_ui.schedule->setCurrentIndex(QModelIndex());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- switches and playback ---------------------------------------------------------------------

void CSetupRecord::OnChangedAudio(int) { m_record.mutable_misc()->set_audio_rec(IsOn(m_ui.audioGroup)); }

void CSetupRecord::OnChangedTimeOverlay(int)
{
    m_record.mutable_misc()->set_time_overlay(IsOn(m_ui.timeOverlayGroup));
}

void CSetupRecord::OnChangedPlaybackChannel(int index)
{
    if (index >= 0)
        m_record.mutable_playback()->set_chmode(static_cast<uint32_t>(index));
}

void CSetupRecord::OnChangedStartPoint(int index)
{
    if (index >= 0)
        m_record.mutable_playback()->set_start_point(config::PlaybackStart_Index2Type(index));
}

void CSetupRecord::OnChangedPlaybackAudio(int)
{
    m_record.mutable_playback()->set_audio_play(IsOn(m_ui.playbackAudioGroup));
}

QStringList CSetupRecord::dayLabels()
{
    QStringList days;
    for (const char* day : kDays)
        days << tr(day);
    return days;
}

QStringList CSetupRecord::resolutions() const
{
    QStringList items;
    for (int i = 0; i < config::Resolution_Count(m_model.type); ++i) {
        const char* label = config::Resolution_Index2String(m_model.type, m_dvr_info.vtype(), i);
        items << (config::Resolution_IsTranslated(m_model.type) ? tr(label) : QString::fromLatin1(label));
    }
    return items;
}

void CSetupRecord::languageChange()
{
    m_ui.retranslateUi(this);
    // The schedule's days and the model's resolutions are translated: written again, the
    // resolution shown stays.
    const QSignalBlocker block(m_ui.schedule);
    m_ui.schedule->setVerticalHeaderLabels(dayLabels());
    const int resolution = m_ui.resolution->currentIndex();
    SetItemsBlocked(m_ui.resolution, resolutions());
    SetIndexBlocked(m_ui.resolution, resolution);
}

void CSetupRecord::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QWidget::changeEvent(event);
}
