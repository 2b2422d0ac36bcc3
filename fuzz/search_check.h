#pragma once

// What a search model must hold whatever it was filled from.

#include <QDate>

#include "Common/SearchDataParser.h"
#include "fuzz_util.h"

namespace searchcheck {

// Every grid key a real date and hour, the calendar within its limit.
inline void CheckModel(CSearchDataParser& parser, int maxDates)
{
    for (const auto& entry : parser.getMinData()) {
        const CDateHour& key = entry.first;
        CHECK(QDate(key.date.year, key.date.month, key.date.day).isValid());
        CHECK(key.hour >= 0 && key.hour < HOURS_OF_DAY);
    }
    const size_t dates = parser.getData().size();
    CHECK(dates <= parser.getMinData().size() && dates <= static_cast<size_t>(maxDates));
}

}  // namespace searchcheck
