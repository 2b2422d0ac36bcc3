#include "EMap/EMapLive.h"

#include "Common/DvrQuery.h"
#include "Network/OldQuery.h"
#include "cgi_request.pb.h"

namespace {

constexpr int MAX_CHANNELS = 16;

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

uint32_t EMap_ChannelBit(int channel)
{
    return channel >= 0 && channel < MAX_CHANNELS ? 1u << channel : 0;
}

EMapStreamPlan EMap_PlanStreams(const EMap& map)
{
    EMapStreamPlan plan;
    for (const EMapItems& item : map.items()) {
        int stream = -1;
        for (int j = 0; j < plan.streams.size() && stream < 0; ++j) {
            if (plan.streams[j].address() == item.dvr().address() && plan.streams[j].port() == item.dvr().port())
                stream = j;
        }
        if (stream < 0) {
            DVR dvr = item.dvr();
            dvr.set_bit_ch(0);
            plan.streams.append(dvr);
            stream = int(plan.streams.size()) - 1;
        }
        DVR& dvr = plan.streams[stream];
        dvr.set_bit_ch(dvr.bit_ch() | EMap_ChannelBit(item.channel()));
        plan.streamOfItem.append(stream);
    }
    return plan;
}

QString EMap_PopupQuery(const DVR& cameraDvr, uint32_t streamMask, int clientId, uint32_t openMask)
{
    if (cameraDvr.old_protocol())
        return COldQuery::EMapChannel(clientId, openMask);
    // A camera on the map outside the DVR's own selection still keeps its status.
    const uint32_t video = cameraDvr.bit_ch() | streamMask;
    cgi::StreamChannel channels;
    channels.set_mode(cgi::MODE_LIVE);
    channels.set_stream_id(static_cast<uint32_t>(clientId));
    channels.set_vchmask(video);
    channels.set_achmask(0);
    channels.set_header_only_mask(video & ~openMask);
    return CgiQueryFor(cameraDvr, cgi::MODE_STREAM_CHANNEL, channels);
}

QString EMap_CameraTitle(const DVR& dvr, int camera)
{
    return camera >= 0 && camera < dvr.chname_size() ? Utf8(dvr.chname(camera)) : QString();
}

QString EMap_LogLine(const QString& strTime, const DVR& dvr, int camera, EMap_Status::ENUM status)
{
    static const char* const words[] = {"connected", "disconnected", "video loss", "motion",
                                        "sensor",    "motion + sensor", "record on", "record off"};
    if (status < EMap_Status::CONNECTED || status > EMap_Status::RECORD_OFF)
        return QString();
    return strTime + QStringLiteral("  %1  %2  ").arg(Utf8(dvr.name()), EMap_CameraTitle(dvr, camera))
           + QLatin1String(words[status - 1]);
}
