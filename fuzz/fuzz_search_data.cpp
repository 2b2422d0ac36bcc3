// Arbitrary bytes as a search reply of either DVR generation and as ".qdx" minute records:
// the calendar stays within its limits and every grid key is a real date and hour.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QDate>

#include "Common/SearchDataParser.h"
#include "fuzz_util.h"

namespace {

void CheckModel(CSearchDataParser& parser, int maxDates)
{
    for (const auto& entry : parser.getMinData()) {
        const CDateHour& key = entry.first;
        CHECK(QDate(key.date.year, key.date.month, key.date.day).isValid());
        CHECK(key.hour >= 0 && key.hour < HOURS_OF_DAY);
    }
    const size_t dates = parser.getData().size();
    CHECK(dates <= parser.getMinData().size() && dates <= static_cast<size_t>(maxDates));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    const char* bytes = reinterpret_cast<const char*>(data);
    const int len = static_cast<int>(size);

    CSearchDataParser current(false);
    current.setNetData(bytes, len);
    CheckModel(current, CSearchDataParser::MAX_NET_DATES);

    CSearchDataParser old(true);
    old.setNetData(bytes, len);
    CheckModel(old, CSearchDataParser::MAX_NET_DATES);

    CSearchDataParser local(false);
    local.setLocalData(bytes, len);
    CheckModel(local, CSearchDataParser::MAX_LOCAL_DATES);
    return 0;
}
