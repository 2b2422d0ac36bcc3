#include "cal_data_comp.h"

#include <cassert>
#include <cstdint>

namespace cgi {
namespace cal_data {

namespace {

// Unsigned and 64-bit: times past 2038 and the last minute of 2106 round like any other.
uint64_t minuteFloor(uint32_t t)
{
    return t / 60u * 60u;
}

uint64_t minuteCeil(uint32_t t)
{
    return (uint64_t(t) + 59u) / 60u * 60u;
}

bool sameReasons(const cgi::CalItem& a, const cgi::CalItem& b)
{
    if (a.record_reason_size() != b.record_reason_size())
        return false;
    for (int i = 0; i < a.record_reason_size(); ++i) {
        if (a.record_reason(i) != b.record_reason(i))
            return false;
    }
    return true;
}

}  // namespace

int Comp(cgi::CalItem* span, const cgi::CalItem& next)
{
    assert(span != nullptr && "span != NULL");
    if (!span)
        return -1;
    if (next.record_chmask() == 0)
        return 0;
    if (span->start_time() == 0 || span->end_time() == 0) {
        span->CopyFrom(next);
        return 0;
    }
    if (minuteCeil(span->end_time()) == minuteFloor(next.start_time())
        && span->record_chmask() == next.record_chmask() && sameReasons(*span, next)) {
        span->set_end_time(next.end_time());
        return 0;
    }
    return -1;
}

}  // namespace cal_data
}  // namespace cgi
