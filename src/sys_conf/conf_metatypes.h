#pragma once

#include <QMetaType>

#include "account.pb.h"

// The account page keeps a copy of each user in its list rows' item data.
Q_DECLARE_METATYPE(config::Account_User)

namespace config {
// Registers the type names for string-based lookups ("config::Account_User").
void RegisterMetaTypes();
}
