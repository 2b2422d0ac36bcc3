// Arbitrary bytes as a search reply of either DVR generation and as ".qdx" minute records:
// the calendar stays within its limits and every grid key is a real date and hour.
#include <cstddef>
#include <cstdint>

#include "search_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    const char* bytes = reinterpret_cast<const char*>(data);
    const int len = static_cast<int>(size);

    CSearchDataParser current(false);
    current.setNetData(bytes, len);
    searchcheck::CheckModel(current, CSearchDataParser::MAX_NET_DATES);

    CSearchDataParser old(true);
    old.setNetData(bytes, len);
    searchcheck::CheckModel(old, CSearchDataParser::MAX_NET_DATES);

    CSearchDataParser local(false);
    local.setLocalData(bytes, len);
    searchcheck::CheckModel(local, CSearchDataParser::MAX_LOCAL_DATES);
    return 0;
}
