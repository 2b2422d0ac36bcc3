// Arbitrary bytes as a ".conf" file opened on the configuration pages: parsed, and for a
// known model brought into the shape the pages read (the DVR information repair and every
// page's repairs), then read the way the pages fill their controls. After the repairs every
// list has the length the pages index it with, a second repair changes nothing, and the
// configuration is saved and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>

#include "DVRSetup/DefStream.h"
#include "DVRSetup/PageRules.h"
#include "DVRSetup/SetupRules.h"
#include "dvr_types/model_info.h"
#include "fuzz_util.h"
#include "sys_conf/types/account_types.h"
#include "sys_conf/types/camera_types.h"
#include "sys_conf/types/hdd_types.h"
#include "sys_conf/types/network_types.h"
#include "sys_conf/types/record_types.h"
#include "sys_conf/types/system_types.h"

namespace {

// Every repair the pages apply when a configuration is loaded.
void Repair(config::DvrConf* conf, const PageModel& model, int cells)
{
    System_MakeValid(conf->mutable_system());
    Network_MakeValid(conf->mutable_network(), model.channels, model.vtype);
    Record_MakeValid(conf->mutable_record(), model);
    Event_MakeValid(conf->mutable_event(), model, cells);
    Camera_MakeValid(conf->mutable_camera(), model.channels);
    if (!conf->account().has_admin())
        conf->mutable_account()->mutable_admin()->set_password(config::Account_Admin().password());
}

// The lengths the pages rely on.
void CheckShape(const config::DvrConf& conf, const PageModel& model, int cells)
{
    const int n = model.channels;
    CHECK(conf.system().name_id().dvr_id() < 256);
    CHECK(conf.network().stream().h264_size() == n);
    for (const config::Network_H264& s : conf.network().stream().h264()) {
        CHECK(s.qual_size() == RESOLUTIONS && s.fps_size() == RESOLUTIONS);
        CHECK(s.resolution() < RESOLUTIONS);
    }
    CHECK(conf.record().channel_size() == n && conf.record().schedule_size() == SCHEDULES);
    const uint64_t sensors = static_cast<uint64_t>(model.sensors);
    for (const config::Record_Channel& c : conf.record().channel()) {
        CHECK(c.qual_size() == RESOLUTIONS && c.fps_size() == RESOLUTIONS);
        CHECK(c.qual_evt_size() == RESOLUTIONS && c.fps_evt_size() == RESOLUTIONS);
        CHECK(config::Resolution_IsOffered(model.type, c.resolution()));
        CHECK(config::RecordMode_IsSupported(sensors, c.record_mode()));
    }
    for (const config::Record_Schedule& s : conf.record().schedule())
        CHECK(s.record_mode_size() == SCHEDULE_CELLS);
    const config::Event& event = conf.event();
    CHECK(event.motion_conf().motion_size() == n && event.sensor_conf().sensor_size() == model.sensors);
    for (const config::Event_Motion& m : event.motion_conf().motion())
        CHECK(m.zone_size() == cells);
    CHECK(event.relay().motion_size() == n && event.relay().sensor_size() == model.sensors);
    CHECK(event.email().address().receiver_size() == EMAIL_RECEIVERS);
    CHECK(conf.camera().channel_size() == n && conf.camera().ptz_size() == n && conf.camera().spot_size() == 1);
    CHECK(conf.account().has_admin());
}

// What the pages look up to fill their controls; any value must give an answer.
void ReadAsThePages(const config::DvrConf& conf, const PageModel& model, int cells)
{
    volatile int sink = 0;
    const config::System& system = conf.system();
    sink = config::TimeFormat_Type2Index(system.time_date().time_format()) +
           config::DateFormat_Type2Index(system.time_date().date_format()) +
           config::TimeZone_Find(system.time_date().time_zone()) + Capitalize(QString::fromStdString(system.language())).size();
    sink = config::NetworkType_Type2Index(conf.network().tcpip().type());
    for (const config::Network_H264& s : conf.network().stream().h264())
        sink = s.qual(s.resolution()) + DefStream::FPS_REAL2IDX(model.vtype, static_cast<int>(s.fps(s.resolution())));
    const uint64_t sensors = static_cast<uint64_t>(model.sensors);
    for (const config::Record_Channel& c : conf.record().channel()) {
        const int r = config::Resolution_Type2Index(model.type, c.resolution());
        CHECK(r >= 0);
        sink = config::RecordMode_Type2Index(sensors, c.record_mode()) + c.qual(c.resolution()) +
               DefStream::FPS_REAL2IDX(model.vtype, static_cast<int>(c.fps_evt(c.resolution())));
    }
    sink = config::PlaybackStart_Type2Index(conf.record().playback().start_point());
    sink = config::HddWriteMode_Type2Index(conf.hdd().mode().write_mode()) +
           config::SmartCheckInterval_Type2Index(conf.hdd().smart().check_interval());
    const config::Event_Motion all = Event_AllShadow(conf.event(), cells);
    CHECK(all.zone_size() == cells);
    for (const config::Event_Motion& m : conf.event().motion_conf().motion()) {
        const QByteArray zone = Zone_ToBytes(m);
        CHECK(zone.size() == cells);
        config::Event_Motion back = m;
        Zone_FromBytes(&back, zone);
        CHECK(back.SerializeAsString() == m.SerializeAsString());
    }
    for (const config::Event_Sensor& s : conf.event().sensor_conf().sensor())
        sink = config::SensorType_Type2Index(s.type());
    for (const config::Account_User& u : conf.account().users())
        sink = config::NetworkTimeout_Type2Index(u.network_timeout());
    sink = config::WaitTime_Type2Index(conf.account().logoff().wait_time());
    (void)sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    config::DvrConf conf;
    // The page refuses a file that does not parse, or of a model it does not know.
    if (!conf.ParseFromArray(data, static_cast<int>(size)))
        return 0;
    if (!DvrModel::IsValid(static_cast<int>(conf.dvr_info().model())))
        return 0;
    config::DvrConf_DvrInfo info = conf.dvr_info();
    DvrInfo_Repair(&info);
    CHECK(info.ch_num() == 4 || info.ch_num() == 8 || info.ch_num() == 16);
    const PageModel model = PageModel_Of(info);
    const int cells = Event_MotionGrid(model).cells();
    CHECK(cells > 0);

    Repair(&conf, model, cells);
    CheckShape(conf, model, cells);
    ReadAsThePages(conf, model, cells);

    const std::string repaired = conf.SerializeAsString();
    Repair(&conf, model, cells);
    CHECK(conf.SerializeAsString() == repaired);
    config::DvrConf saved;
    CHECK(saved.ParseFromString(repaired));
    CHECK(saved.SerializeAsString() == repaired);
    return 0;
}
