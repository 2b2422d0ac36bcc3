#pragma once

#include <QMetaType>

#include "cgi_response.pb.h"

// DvrInfo is copied from the stream threads to the widgets through queued signals.
Q_DECLARE_METATYPE(cgi::DvrInfo)

namespace cgi {
void RegisterMetaTypes();
}
