#include "conf_metatypes.h"

namespace config {

void RegisterMetaTypes()
{
    qRegisterMetaType<config::Account_User>("config::Account_User");
}

}  // namespace config
