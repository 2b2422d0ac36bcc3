#pragma once

#include "cal_data.pb.h"

namespace cgi {
namespace cal_data {

// Merges the next recorded span into `span` when it continues it in the following minute
// with the same channels and recording kinds: 0 when taken (or when `next` records
// nothing and is ignored), -1 when it cannot be merged. An empty span takes `next` whole.
int Comp(cgi::CalItem* span, const cgi::CalItem& next);

}  // namespace cal_data
}  // namespace cgi
