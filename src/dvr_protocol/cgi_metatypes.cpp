#include "cgi_metatypes.h"

namespace cgi {

void RegisterMetaTypes()
{
    qRegisterMetaType<cgi::DvrInfo>("cgi::DvrInfo");
}

}  // namespace cgi
