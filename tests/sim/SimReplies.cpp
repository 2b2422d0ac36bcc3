// One-shot replies by mode, and the commands that change running streams.
#include <QDateTime>

#include "cgi_request.pb.h"
#include "dvr_types/dvr_types.h"
#include "sim/SimConn.h"

namespace simdvr {

QByteArray Serialized(const google::protobuf::MessageLite& m)
{
    const std::string s = m.SerializeAsString();
    return QByteArray(s.data(), static_cast<int>(s.size()));
}

cgi::LiveStatus LiveStatusOf(const Config& c)
{
    cgi::LiveStatus status;
    status.set_record_chmask(c.recordMask);
    status.set_vloss_chmask(c.vlossMask);
    status.set_motion_chmask(c.motionMask);
    status.set_sensor_chmask(c.sensorMask);
    return status;
}

uint32_t ChannelMask(const Config& c)
{
    const int n = c.channels < 1 ? 1 : (c.channels > 16 ? 16 : c.channels);
    const uint32_t all = n == 32 ? 0xFFFFFFFFu : ((1u << n) - 1u);
    return c.availableMask ? (c.availableMask & all) : all;
}

QStringList ChannelNames(const Config& c)
{
    QStringList names = c.channelNames;
    for (int i = names.size(); i < c.channels; ++i)
        names << QStringLiteral("CAM%1").arg(i + 1);
    return names;
}

cgi::DvrInfo MakeDvrInfo(const Config& c)
{
    cgi::DvrInfo info;
    info.set_model(c.model);
    info.set_vtype(c.vtype);
    info.set_dvr_name(c.dvrName.toStdString());
    info.set_ch_num(static_cast<uint32_t>(c.channels));
    info.set_available_chmask(ChannelMask(c));
    const QStringList names = ChannelNames(c);
    for (int i = 0; i < c.channels && i < names.size(); ++i)
        info.add_ch_name(names[i].toStdString());
    info.set_hardware_version(c.hardwareVersion.toStdString());
    info.set_kernel_version(c.kernelVersion.toStdString());
    info.set_app_version(c.appVersion.toStdString());
    info.set_mac_address(c.macAddress.toStdString());
    if (!c.modelName.isEmpty())
        info.set_model_name(c.modelName.toStdString());
    return info;
}

namespace {

cgi::HddInfo DefaultHdd(const Config& c)
{
    if (c.hddInfo.info_size() > 0 || c.hddInfo.has_available_time())
        return c.hddInfo;
    cgi::HddInfo h;
    h.set_available_time(3600 * 24);
    cgi::HddInfo_Info* disk = h.add_info();
    disk->set_model("SIMDISK 500");
    disk->set_mounted(true);
    disk->set_total(500000);
    disk->set_used(120000);
    return h;
}

cgi::SysLog DefaultLog(const Config& c)
{
    if (c.sysLog.log_size() > 0)
        return c.sysLog;
    cgi::SysLog log;
    const char* lines[][2] = {{"SYSTEM", "Power on"}, {"admin", "Login"}, {"admin", "Record start"}};
    uint32_t t = 1262304000;  // 2010-01-01 00:00
    for (const auto& l : lines) {
        cgi::SysLog_Log* e = log.add_log();
        e->set_time(t);
        e->set_user(l[0]);
        e->set_log(l[1]);
        t += 60;
    }
    return log;
}

cgi::PictureControlGet DefaultPicture(const Config& c)
{
    const cgi::PictureControlGet& p = c.pictureControl;
    if (p.contrast_size() || p.brightness_size() || p.saturation_size() || p.hsharpness_size()
        || p.vsharpness_size())
        return p;
    cgi::PictureControlGet out;
    for (int i = 0; i < c.channels; ++i) {
        out.add_contrast(8);
        out.add_brightness(8);
        out.add_saturation(8);
        out.add_hsharpness(8);
        out.add_vsharpness(8);
    }
    return out;
}

QByteArray DefaultOldInfoPage(const Config& c)
{
    if (!c.oldInfoPage.isEmpty())
        return c.oldInfoPage;
    return QStringLiteral("Model : %1\r\nChannels : %2\r\nVersion : %3\r\n"
                          "HDD1 : used 1200MB - free 800MB\r\nHDD2 : used 300MB - free 700MB\r\n")
        .arg(c.dvrName).arg(c.channels).arg(c.appVersion)
        .toLatin1();
}

}  // namespace

// --- one-shot replies -------------------------------------------------------------------

QByteArray Conn::replyBody(Request& r, const Config& cfg)
{
    return r.oldProtocol ? oldReply(r, cfg) : currentReply(r, cfg);
}

QByteArray Conn::currentReply(Request& r, const Config& cfg)
{
    auto result = [](int code) {
        return MakePacket(0, cgi::DATA_RESPONSE, QByteArray(1, static_cast<char>(code)), false);
    };
    const int cred = credentialCode(r, cfg);
    if (cred)
        return result(cred);
    const bool upload = r.transport == Transport::Upload;
    switch (r.mode) {
    case cgi::MODE_LIVE:
        return result(cfg.commandResultCode) + MakePacket(0, cgi::DATA_DVR_INFO, Serialized(MakeDvrInfo(cfg)), false);
    case cgi::MODE_STREAM_CHANNEL: {
        cgi::StreamChannel m;
        if (r.dataOk && r.message(&m)) {
            if (Conn* c = w->findStream(static_cast<int>(m.stream_id()))) {
                const uint32_t avail = ChannelMask(cfg);
                c->info.vchmask = m.vchmask() & avail;
                c->info.achmask = m.achmask() & avail & cfg.audioMask;
                c->info.headerOnlyMask = m.header_only_mask() & avail;
                if (m.auto_stream() != cgi::AUTO_STREAM_OFF && !c->info.oldProtocol) {
                    const int codec = m.auto_stream() == cgi::AUTO_STREAM_SUB ? 1 : 0;
                    if (codec != c->info.codec) {
                        c->info.codec = codec;
                        c->clip = GetClip(cfg.mediaDir, testmedia::Codec::H264, codec ? cfg.subSize : cfg.mainSize);
                        c->waitKey = true;
                    }
                }
                c->publish();
            }
        }
        return result(cfg.commandResultCode);
    }
    case cgi::MODE_STREAM_STOP: {
        cgi::StreamStop m;
        if (r.dataOk && r.message(&m))
            w->stopStream(static_cast<int>(m.stream_id()), cfg.closeOnStop);
        return result(cfg.commandResultCode);
    }
    case cgi::MODE_PB_CONTROL: {
        cgi::PbControl m;
        if (r.dataOk && r.message(&m)) {
            Conn* c = w->findStream(static_cast<int>(m.stream_id()));
            if (c && c->info.mode == 1) {
                c->info.pbMode = ApplyPbCommand(c->info.pbMode, m.cmd());
                c->stepPending = m.cmd() == cgi::PbControl::CMD_STEP_FORWARD
                                 || m.cmd() == cgi::PbControl::CMD_STEP_REVERSE;
                c->stepStatusPending = c->stepPending && cfg.stepStatusAfterFrame;
                if (!c->stepStatusPending)
                    c->sendPbStatus();
                c->publish();
            }
        }
        return result(cfg.commandResultCode);
    }
    case cgi::MODE_SEARCH: {
        cgi::Search s;
        r.message(&s);
        std::vector<Span> spans;
        for (Span sp : cfg.spans) {
            if (s.end_time() != 0 && (sp.end < s.start_time() || sp.start > s.end_time()))
                continue;
            sp.chmask &= s.chmask();
            if (sp.chmask)
                spans.push_back(sp);
        }
        const uint32_t now = cfg.dvrTime ? cfg.dvrTime : static_cast<uint32_t>(QDateTime::currentSecsSinceEpoch());
        const uint32_t version = cfg.calVersion ? cfg.calVersion : (s.hours_include() ? 1u : 0u);
        cgi::CalData cal = MakeCalData(spans, now, version);
        if (!cfg.calListHours)
            cal.clear_hours();
        return MakePacket(0, static_cast<uint8_t>(cfg.searchDataType), Serialized(cal), false);
    }
    case cgi::MODE_SET_DVR_CONF:
        if (upload && r.fileField == "REQ") {
            std::unique_lock<std::mutex> lock(w->s->mutex);
            w->s->config.dvrConf = r.fileData;  // read back by the next configuration read
        }
        return result(upload ? cfg.uploadResultCode : cfg.commandResultCode);
    case cgi::MODE_RECORD_TO_DVR: {
        std::unique_lock<std::mutex> lock(w->s->mutex);
        w->s->config.recordMask = w->s->config.recordMask ? 0 : ChannelMask(cfg);
        lock.unlock();
        w->liveStatusChanged();
        return result(cfg.commandResultCode);
    }
    case cgi::MODE_GET_DVR_INFO:
        return MakePacket(0, cgi::DATA_DVR_INFO, Serialized(MakeDvrInfo(cfg)), false);
    case cgi::MODE_GET_HDD_INFO:
        return MakePacket(0, cgi::DATA_HDD_INFO, Serialized(DefaultHdd(cfg)), false);
    case cgi::MODE_GET_SYS_LOG:
        return MakePacket(0, cgi::DATA_SYS_LOG, Serialized(DefaultLog(cfg)), false);
    case cgi::MODE_GET_PICTURE_CONTROL:
        return MakePacket(0, cgi::DATA_PICTURE_CONTROL, Serialized(DefaultPicture(cfg)), false);
    case cgi::MODE_GET_DVR_CONF:
        return MakePacket(0, cgi::DATA_DVR_CONF, cfg.dvrConf, false);
    default:
        return result(upload ? cfg.uploadResultCode : cfg.commandResultCode);
    }
}

void Conn::oldCommand(const Request& r)
{
    std::unique_lock<std::mutex> lock(w->s->mutex);
    const Config cfg = w->s->config;
    lock.unlock();
    const int op = r.param("OP").toInt();
    Conn* c = r.hasParam("CID") ? w->findStream(r.param("CID").toInt()) : nullptr;
    switch (op) {
    case 5:  // stream stop
        if (r.hasParam("CID"))
            w->stopStream(r.param("CID").toInt(), cfg.closeOnStop);
        break;
    case 3:  // stream channels
        if (c) {
            const uint32_t mask = r.param("CH").toUInt(nullptr, 16) & ChannelMask(cfg);
            if (c->info.audioOnly)
                c->info.achmask = mask & cfg.audioMask;
            else
                c->info.vchmask = mask;
            c->publish();
        }
        break;
    case 6:  // e-map channels: the named ones whole, the stream's others as headers
        if (c && !c->info.audioOnly) {
            const uint32_t mask = r.param("CH").toUInt(nullptr, 16) & ChannelMask(cfg);
            const uint32_t all = c->info.vchmask | c->info.headerOnlyMask | mask;
            c->info.vchmask = all;
            c->info.headerOnlyMask = all & ~mask;
            c->publish();
        }
        break;
    case 8:  // playback button
        if (c && c->info.mode == 1) {
            const int cmd = OldPbButtonToCmd(r.paramDecoded("REQ").toInt());
            if (cmd >= 0) {
                c->info.pbMode = ApplyPbCommand(c->info.pbMode, cmd);
                c->stepPending = cmd == cgi::PbControl::CMD_STEP_FORWARD || cmd == cgi::PbControl::CMD_STEP_REVERSE;
                c->publish();
            }
        }
        break;
    case 11: {  // recording on the DVR
        lock.lock();
        w->s->config.recordMask = w->s->config.recordMask ? 0 : ChannelMask(cfg);
        break;
    }
    default:
        break;
    }
}

QByteArray Conn::oldReply(Request& r, const Config& cfg)
{
    switch (r.mode) {
    case 5:
        oldCommand(r);
        return QByteArray();
    case 6: {
        const int cred = credentialCode(r, cfg);
        if (cred)
            return MakePacket(0, kOldResult, QByteArray(1, static_cast<char>(cred)), true);
        return DefaultOldInfoPage(cfg);
    }
    case 7: {
        const uint32_t now = cfg.dvrTime ? cfg.dvrTime : static_cast<uint32_t>(QDateTime::currentSecsSinceEpoch());
        const uint8_t cid = static_cast<uint8_t>(r.param("CID").toInt() & 0xFF);
        return MakePacket(cid, static_cast<uint8_t>(cfg.searchDataType), MakeOldSearchRecords(cfg.spans, now), true);
    }
    case 0:
    case 9:
    case 2:
        return MakePacket(0, kOldDvrRecord,
                          MakeOldDvrRecord(cfg.channels, static_cast<uint16_t>(ChannelMask(cfg)), ChannelNames(cfg)), true);
    default:
        return QByteArray();
    }
}

}  // namespace simdvr
