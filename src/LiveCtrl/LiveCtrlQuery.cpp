#include "LiveCtrlQuery.h"

#include <QRegularExpression>

#include "Common/DvrQuery.h"
#include "Network/OldQuery.h"
#include "dvr_protocol/cgi_protocol.h"
#include "dvr_protocol/parser.h"

namespace {

struct PtzfMove {
    const char* key;
    cgi::Ptzf_Cmd cmd;
    int oldCode;  // -1: the old protocol has no such move
};

constexpr PtzfMove PTZF_MOVES[] = {
    {"zoom_in", cgi::Ptzf::CMD_ZOOM_IN, 0},       {"zoom_out", cgi::Ptzf::CMD_ZOOM_OUT, 1},
    {"focus_far", cgi::Ptzf::CMD_FOCUS_FAR, 2},   {"focus_near", cgi::Ptzf::CMD_FOCUS_NEAR, 3},
    {"iris_open", cgi::Ptzf::CMD_IRIS_OPEN, -1},  {"iris_close", cgi::Ptzf::CMD_IRIS_CLOSE, -1},
    {"right", cgi::Ptzf::CMD_RIGHT, 4},           {"left", cgi::Ptzf::CMD_LEFT, 5},
    {"up", cgi::Ptzf::CMD_UP, 6},                 {"down", cgi::Ptzf::CMD_DOWN, 7},
};

// Old protocol: the request texts of the PTZ commands that are not moves.
constexpr int OLD_PRESET = 9;
constexpr int OLD_STOP = 8;
constexpr int OLD_TOUR_START = 10;
constexpr int OLD_TOUR_END = 11;

constexpr int AUTO_OFF_SECONDS[] = {5, 10, 20, 30};

QString PtzfCurrent(const CommandTarget& t, const QString& name, int speed, int presetIndex)
{
    cgi::Ptzf ptzf;
    ptzf.set_channel(static_cast<uint32_t>(t.channel));
    ptzf.set_speed(static_cast<uint32_t>(speed));
    if (name.contains(QLatin1String("Set")) || name.contains(QLatin1String("Go"))) {
        ptzf.set_cmd(name.contains(QLatin1String("Set")) ? cgi::Ptzf::CMD_PRESET_SET : cgi::Ptzf::CMD_PRESET_GO);
        ptzf.set_preset(static_cast<uint32_t>(presetIndex));
    } else if (name.contains(QLatin1String("ptzf_"))) {
        const QString key = name.mid(5);
        const PtzfMove* move = nullptr;
        for (const PtzfMove& m : PTZF_MOVES)
            if (key == QLatin1String(m.key))
                move = &m;
        if (!move)
            return QString();
        ptzf.set_cmd(move->cmd);
    } else {
        ptzf.set_cmd(cgi::Ptzf::CMD_STOP);
    }
    return LiveCtrl_CgiQuery(cgi::MODE_PTZF, t.dvr, ptzf);
}

QString PtzfOld(const CommandTarget& t, const QString& name, int speed, int presetIndex)
{
    QString request;
    if (name.contains(QLatin1String("Set"))) {
        request = QStringLiteral("%1S%2").arg(OLD_PRESET).arg(presetIndex + 1);
    } else if (name.contains(QLatin1String("Go"))) {
        request = QStringLiteral("%1G%2").arg(OLD_PRESET).arg(presetIndex + 1);
    } else if (name.contains(QLatin1String("ptzf_"))) {
        const QString key = name.mid(5);
        for (const PtzfMove& m : PTZF_MOVES)
            if (key == QLatin1String(m.key) && m.oldCode >= 0)
                request = QStringLiteral("%1S%2").arg(m.oldCode).arg(speed);
        if (request.isEmpty())
            return QString();
    } else {
        request = QString::number(OLD_STOP);
    }
    return COldQuery::Ptz(t.clientId, t.channel, request);
}

}  // namespace

QString LiveCtrl_CgiQuery(cgi::Mode mode, const DVR& dvr, const google::protobuf::MessageLite& data)
{
    return CgiQueryFor(dvr, mode, data);
}

QString Ptzf_Query(const CommandTarget& target, const QString& name, int speed, int presetIndex)
{
    return target.dvr.old_protocol() ? PtzfOld(target, name, speed, presetIndex)
                                     : PtzfCurrent(target, name, speed, presetIndex);
}

QString AutoPreset_StartQuery(const CommandTarget& target, int startIndex, int endIndex, int interval)
{
    if (target.dvr.old_protocol()) {
        const QString request = QStringLiteral("%1G%2,%3,%4")
                                    .arg(OLD_TOUR_START).arg(startIndex + 1).arg(endIndex + 1).arg(interval);
        return COldQuery::Ptz(target.clientId, target.channel, request);
    }
    cgi::AutoPreset tour;
    tour.set_cmd(cgi::AutoPreset::CMD_START);
    tour.set_channel(static_cast<uint32_t>(target.channel));
    tour.set_start_preset(static_cast<uint32_t>(startIndex));
    // The DVR takes the end as one past the last preset of the tour.
    tour.set_end_preset(static_cast<uint32_t>(endIndex + 1));
    tour.set_interval(static_cast<uint32_t>(interval));
    return LiveCtrl_CgiQuery(cgi::MODE_AUTO_PRESET, target.dvr, tour);
}

QString AutoPreset_EndQuery(const CommandTarget& target)
{
    if (target.dvr.old_protocol())
        return COldQuery::Ptz(target.clientId, target.channel, QStringLiteral("%1").arg(OLD_TOUR_END));
    cgi::AutoPreset tour;
    tour.set_cmd(cgi::AutoPreset::CMD_STOP);
    tour.set_channel(static_cast<uint32_t>(target.channel));
    return LiveCtrl_CgiQuery(cgi::MODE_AUTO_PRESET, target.dvr, tour);
}

QString RelayPort_Query(const DVR& dvr, int clientId, unsigned int port, bool on)
{
    if (dvr.old_protocol())
        return COldQuery::Relay(clientId, QStringLiteral("%1,%2").arg(port).arg(on ? 1 : 0));
    cgi::RelayPort relay;
    relay.set_cmd(on ? cgi::RelayPort::CMD_ON : cgi::RelayPort::CMD_OFF);
    return LiveCtrl_CgiQuery(cgi::MODE_RELAY_PORT, dvr, relay);
}

int RelayPort_AutoOffSeconds(const QString& objectName)
{
    static const QRegularExpression name(QStringLiteral("^AutoOff([0-9])$"));
    const QRegularExpressionMatch m = name.match(objectName);
    const int index = m.hasMatch() ? m.captured(1).toInt() : -1;
    return index >= 0 && index < int(std::size(AUTO_OFF_SECONDS)) ? AUTO_OFF_SECONDS[index] : -1;
}

QString PictureControl_ReadQuery(const DVR& dvr)
{
    return LiveCtrl_CgiQuery(cgi::MODE_GET_PICTURE_CONTROL, dvr, cgi::NullMsg());
}

QString PictureControl_SetQuery(const DVR& dvr, int channel, cgi::PictureControlSet_Type type, unsigned int value)
{
    cgi::PictureControlSet set;
    set.set_channel(static_cast<uint32_t>(channel));
    set.set_type(type);
    set.set_value(value);
    return LiveCtrl_CgiQuery(cgi::MODE_SET_PICTURE_CONTROL, dvr, set);
}

bool PictureControl_Parse(const QByteArray& reply, cgi::PictureControlGet* picture)
{
    const auto* begin = reinterpret_cast<const unsigned char*>(reply.constData());
    const auto* end = begin + reply.size();
    const cgi::Parser parser(false);
    const unsigned char* stx = nullptr;
    const unsigned char* etx = nullptr;
    if (reply.isEmpty() || !parser.FindPacket(begin, end, &stx, &etx))
        return false;
    if (parser.GetPayLoad(stx).data_type != cgi::DATA_PICTURE_CONTROL)
        return false;
    cgi::PictureControlGet parsed;
    if (!parsed.ParseFromArray(parser.GetDataPoint(stx), static_cast<int>(parser.GetDataSize(stx, etx))))
        return false;
    picture->Swap(&parsed);
    return true;
}
