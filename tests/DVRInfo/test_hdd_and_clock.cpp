// Disk lines, disk widgets and the clock.

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTimerEvent>

#include <gtest/gtest.h>

#include "DVRInfo/ClockWidget.h"
#include "DVRInfo/HDDWidget.h"
#include "DVRInfo/HddParser.h"
#include "DVRInfo/InfoParser.h"

namespace {

QStringList Shown(const CHDDWidget& widget)
{
    QStringList texts{widget.findChild<QGroupBox*>("HddGroup")->title()};
    for (const char* name : {"totalspace", "usedspace", "freespace"})
        texts << widget.findChild<QLabel*>(name)->text();
    texts << QString::number(widget.findChild<QProgressBar*>("HddProgress")->value());
    return texts;
}

}  // namespace

TEST(HddParser, ReadsTheFirstDiskLineWithSingleSeparators)
{
    using R = std::vector<std::string>;
    const std::pair<std::string, R> cases[] = {
        {"HDD1 : used 1200MB - free 800MB", {"1", "1200", "800"}},
        {"Model : X\r\nHDD2\t:\nused 0MB - free 99999999999999999999999MB\r\n", {"2", "0", "99999999999999999999999"}},
        {"HDD3 : used 1MB - free 2MB HDD4 : used 3MB - free 4MB", {"3", "1", "2"}},
        {"HDD1  : used 1200MB - free 800MB", {}},
        {"HDD1 : used 1200 MB - free 800MB", {}},
        {"HDD12 : used 1MB - free 2MB", {}},
        {"hdd1 : used 1MB - free 2MB", {}},
        {"", {}},
    };
    for (const auto& [text, result] : cases) {
        CHddParser parser;
        parser.parse(text);
        EXPECT_EQ(parser.getResult(), result) << text;
    }
}

TEST(InfoParser, DiskLinesFillTheirDisksWithinTheCount)
{
    CInfoParser parser;
    parser.parse("HDD2 : used 300MB - free 700MB\r\nHDD1 : used 1200MB - free 800MB\r\n"
                 "HDD3 : used 18446744073709551615MB - free 1MB\r\nHDD9 : used 5MB - free 5MB\nnone\n");
    std::vector<std::tuple<uint64_t, uint64_t, uint64_t>> disks;
    for (const HDD_INFO_T& d : parser.getHddInfo())
        disks.emplace_back(d.total, d.used, d.free);
    EXPECT_EQ(disks, (decltype(disks){{2000, 1200, 800}, {1000, 300, 700}, {0, 0, 0}, {0, 0, 0}}));
    // Too long for 64 bits, a disk 0 or a line without a disk change nothing.
    for (const char* line : {"HDD1 : used 99999999999999999999MB - free 1MB", "HDD0 : used 1MB - free 1MB", "HDD1"}) {
        parser.parseHdd(line);
        EXPECT_EQ(parser.getHddInfo()[0].total, 2000u) << line;
    }
}

TEST(HDDWidget, ShowsSizesWithGroupingAndAClampedBar)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    CHDDWidget widget;
    struct Case { int index; HDD_INFO_T info; QStringList shown; };
    const Case cases[] = {
        {0, {2000, 1200, 800}, {"HDD 1", "2,000 MB", "1,200 MB", "800 MB", "60"}},
        {2, {3, 1, 2}, {"HDD 3", "3 MB", "1 MB", "2 MB", "33"}},
        {-1, {0, 0, 0}, {"", "0 MB", "0 MB", "0 MB", "0"}},
        {0, {100, 250, 0}, {"HDD 1", "100 MB", "250 MB", "0 MB", "100"}},
        {0, {UINT64_MAX, UINT64_MAX / 2, UINT64_MAX / 2 + 1},
         {"HDD 1", "18,446,744,073,709,551,615 MB", "9,223,372,036,854,775,807 MB", "9,223,372,036,854,775,808 MB", "49"}},
    };
    for (const Case& c : cases) {
        widget.setInfo(c.index, c.info);
        EXPECT_EQ(Shown(widget), c.shown) << c.index;
    }
    // A language change puts the captions back and keeps the disk's values.
    widget.setInfo(1, {2000, 1200, 800});
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&widget, &change);
    EXPECT_EQ(Shown(widget), QStringList({"HDD 2", "2,000 MB", "1,200 MB", "800 MB", "60"}));
    QLocale::setDefault(QLocale::system());
}

TEST(ClockWidget, BothLabelsComeFromOneReadingEverySecond)
{
    CClockWidget clock;
    EXPECT_NE(clock.refreshTimerId(), 0);
    EXPECT_EQ(clock.dateText(), QDate::currentDate().toString("yyyy-MM-dd"));
    QSignalSpy ticks(&clock, &CClockWidget::timeout);
    QList<QDateTime> readings = {
        QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59)), QDateTime(QDate(2024, 1, 1), QTime(0, 0, 0)),
        QDateTime(QDate(2024, 3, 5), QTime(9, 5, 7)), QDateTime(QDate(2024, 3, 5), QTime(21, 5, 7))};
    int reads = 0;
    clock.setClock([&] { return readings.value(reads++); });
    const std::pair<const char*, const char*> shown[] = {
        {"2023-12-31", "23:59:59"}, {"2024-01-01", "00:00:00"}, {"2024-03-05", "09:05:07"}, {"2024-03-05", "21:05:07"}};
    for (const auto& [date, time] : shown) {
        QTimerEvent tick(clock.refreshTimerId());
        QCoreApplication::sendEvent(&clock, &tick);
        EXPECT_EQ(clock.dateText() + " " + clock.timeText(), QString(date) + " " + time);
    }
    QTimerEvent other(clock.refreshTimerId() + 1);
    QCoreApplication::sendEvent(&clock, &other);
    EXPECT_TRUE(reads == 4 && ticks.count() == 4);  // one reading per tick, none for another timer
}
