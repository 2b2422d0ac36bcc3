#pragma once

#include <QString>

#include <google/protobuf/message_lite.h>

#include "DVRList.pb.h"
#include "cgi_request.pb.h"

// The query of a current-protocol request with the DVR entry's account; empty when the
// request is over the format's limits.
QString CgiQueryFor(const DVR& dvr, cgi::Mode mode,
                    const google::protobuf::MessageLite& data = cgi::NullMsg());
