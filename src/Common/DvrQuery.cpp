#include "Common/DvrQuery.h"

#include <QtGlobal>

#include "dvr_protocol/cgi_protocol.h"

QString CgiQueryFor(const DVR& dvr, cgi::Mode mode, const google::protobuf::MessageLite& data)
{
    cgi::User user;
    user.set_name(dvr.id());
    user.set_password(dvr.password());
    std::string query;
    if (cgi::Data2Url(mode, user, data, &query) != 0) {
        qWarning("request of mode %d over the query limits, not sent", int(mode));
        return QString();
    }
    return QString::fromStdString(query);
}
