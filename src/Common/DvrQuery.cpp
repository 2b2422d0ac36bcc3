#include "Common/DvrQuery.h"

#include "dvr_protocol/cgi_protocol.h"

QString CgiQueryFor(const DVR& dvr, cgi::Mode mode, const google::protobuf::MessageLite& data)
{
    cgi::User user;
    user.set_name(dvr.id());
    user.set_password(dvr.password());
    std::string query;
    cgi::Data2Url(mode, user, data, &query);
    return QString::fromStdString(query);
}
