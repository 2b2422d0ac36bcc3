#include "DVRSetup/PageRules.h"

#include "DVRSetup/DefStream.h"
#include "DVRSetup/ModelInfoDialog.h"
#include "dvr_types/model_info.h"
#include "sys_conf/types/record_types.h"

namespace {

// The largest ID the DVR's own menu can set.
constexpr uint32_t MAX_DVR_ID = 255;

}  // namespace

PageModel PageModel_Of(const config::DvrConf_DvrInfo& info)
{
    const DvrModelInfo model{DvrModel(static_cast<int>(info.model()))};
    return {static_cast<int>(info.ch_num()), static_cast<int>(model.aux_count), model.has_remote_port,
            static_cast<config::ModelType>(CModelInfoDialog::ModelIndex2Type(static_cast<int>(info.model()))),
            info.vtype() != 0 ? config::VideoType_PAL : config::VideoType_NTSC};
}

QString Capitalize(const QString& text)
{
    QString out = text.toLower();
    if (!out.isEmpty())
        out[0] = out[0].toUpper();
    return out;
}

void System_MakeValid(config::System* system)
{
    if (system->name_id().dvr_id() > MAX_DVR_ID)
        system->mutable_name_id()->set_dvr_id(0);
}

namespace {

// A per-resolution list of another length than four is replaced by the defaults.
template <class List, class Default>
void KeepFour(List* list, Default value)
{
    if (list->size() == RESOLUTIONS)
        return;
    list->Clear();
    for (int r = 0; r < RESOLUTIONS; ++r)
        list->Add(value(static_cast<config::Resolution>(r)));
}

}  // namespace

config::Network_H264 Network_DefaultStream(int channels, config::VideoType vtype)
{
    config::Network_H264 stream;
    stream.set_resolution(config::RESOLUTION_CIF);
    KeepFour(stream.mutable_qual(), [](config::Resolution) { return config::QUALITY_HIGH; });
    KeepFour(stream.mutable_fps(), [=](config::Resolution r) {
        return static_cast<uint32_t>(DefStream::FPS_GetDefAll(channels, vtype, r, KCODEC_SUB));
    });
    return stream;
}

void Network_MakeValid(config::Network* network, int channels, config::VideoType vtype)
{
    auto* streams = network->mutable_stream()->mutable_h264();
    const config::Network_H264 fresh = Network_DefaultStream(channels, vtype);
    if (streams->size() != channels) {
        streams->Clear();
        for (int c = 0; c < channels; ++c)
            *streams->Add() = fresh;
    }
    for (config::Network_H264& stream : *streams) {
        KeepFour(stream.mutable_qual(), [&](config::Resolution r) { return fresh.qual(r); });
        KeepFour(stream.mutable_fps(), [&](config::Resolution r) { return fresh.fps(r); });
    }
}

void Network_ApplyAll(config::Network* network, const StreamEdits& edits)
{
    for (config::Network_H264& stream : *network->mutable_stream()->mutable_h264()) {
        if (edits.qual)
            SetEntry(stream.mutable_qual(), stream.resolution(), *edits.qual);
        if (edits.fps)
            SetEntry(stream.mutable_fps(), stream.resolution(), *edits.fps);
    }
}

int Schedule_Cell(int day, int hour) { return day * SCHEDULE_HOURS + hour; }

config::Record Record_Defaults(int channels)
{
    config::Record record;
    for (int c = 0; c < channels; ++c) {
        config::Record_Channel* channel = record.add_channel();
        channel->set_resolution(config::RESOLUTION_960H);
        KeepFour(channel->mutable_qual(), [](config::Resolution) { return config::QUALITY_HIGH; });
    }
    return record;
}

void Record_MakeValid(config::Record* record, const PageModel& model)
{
    if (record->channel_size() != model.channels) {
        record->clear_channel();
        for (int c = 0; c < model.channels; ++c)
            record->add_channel();
    }
    const auto high = [](config::Resolution) { return config::QUALITY_HIGH; };
    const auto rate = [&](config::Resolution r) {
        return static_cast<uint32_t>(DefStream::FPS_GetDefAll(model.channels, model.vtype, r, KCODEC_MAIN));
    };
    const uint64_t sensors = static_cast<uint64_t>(model.sensors);
    for (config::Record_Channel& channel : *record->mutable_channel()) {
        if (!config::Resolution_IsOffered(model.type, channel.resolution()))
            channel.set_resolution(config::Resolution_Index2Type(model.type, 0));
        KeepFour(channel.mutable_qual(), high);
        KeepFour(channel.mutable_fps(), rate);
        KeepFour(channel.mutable_qual_evt(), high);
        KeepFour(channel.mutable_fps_evt(), rate);
        if (!config::RecordMode_IsSupported(sensors, channel.record_mode()))
            channel.set_record_mode(config::RECORD_MODE_MANUAL);
    }
    if (record->schedule_size() != SCHEDULES) {
        record->clear_schedule();
        for (int s = 0; s < SCHEDULES; ++s)
            record->add_schedule();
    }
    for (config::Record_Schedule& schedule : *record->mutable_schedule()) {
        auto* cells = schedule.mutable_record_mode();
        if (cells->size() > SCHEDULE_CELLS)
            cells->Truncate(SCHEDULE_CELLS);
        while (cells->size() < SCHEDULE_CELLS)
            cells->Add(config::RECORD_MODE_MANUAL);
        for (int i = 0; i < SCHEDULE_CELLS; ++i)
            if (!config::RecordMode_IsSupported(sensors, static_cast<config::RecordMode>(cells->Get(i))))
                cells->Set(i, config::RECORD_MODE_MANUAL);
    }
}

void Record_ApplyAll(config::Record* record, const RecordEdits& edits)
{
    for (config::Record_Channel& channel : *record->mutable_channel()) {
        if (edits.resolution)
            channel.set_resolution(*edits.resolution);
        if (edits.mode)
            channel.set_record_mode(*edits.mode);
        const int r = channel.resolution();
        if (edits.qual)
            SetEntry(channel.mutable_qual(), r, *edits.qual);
        if (edits.fps)
            SetEntry(channel.mutable_fps(), r, *edits.fps);
        if (edits.qual_evt)
            SetEntry(channel.mutable_qual_evt(), r, *edits.qual_evt);
        if (edits.fps_evt)
            SetEntry(channel.mutable_fps_evt(), r, *edits.fps_evt);
    }
}

config::MotionGrid Event_MotionGrid(const PageModel& model) { return config::MotionGrid_Of(model.type, model.vtype); }

void Event_SizeZone(config::Event_Motion* motion, int cells)
{
    auto* zone = motion->mutable_zone();
    if (zone->size() > cells)
        zone->Truncate(cells);
    while (zone->size() < cells)
        zone->Add(false);
}

namespace {

void AllOff(google::protobuf::RepeatedField<bool>* list, int n)
{
    list->Clear();
    for (int i = 0; i < n; ++i)
        list->Add(false);
}

}  // namespace

void Event_MakeValid(config::Event* event, const PageModel& model, int cells)
{
    auto* motions = event->mutable_motion_conf()->mutable_motion();
    if (motions->size() != model.channels) {
        motions->Clear();
        for (int c = 0; c < model.channels; ++c)
            motions->Add();
    }
    for (config::Event_Motion& motion : *motions)
        Event_SizeZone(&motion, cells);
    if (event->sensor_conf().sensor_size() != model.sensors) {
        auto* sensors = event->mutable_sensor_conf()->mutable_sensor();
        sensors->Clear();
        for (int j = 0; j < model.sensors; ++j)
            sensors->Add()->set_link_ch(static_cast<uint32_t>(j));
    }
    if (event->relay().motion_size() != model.channels)
        AllOff(event->mutable_relay()->mutable_motion(), model.channels);
    if (event->relay().sensor_size() != model.sensors)
        AllOff(event->mutable_relay()->mutable_sensor(), model.sensors);
    if (event->email().address().receiver_size() != EMAIL_RECEIVERS) {
        auto* receivers = event->mutable_email()->mutable_address()->mutable_receiver();
        receivers->Clear();
        for (int i = 0; i < EMAIL_RECEIVERS; ++i)
            receivers->Add();
    }
}

config::Event_Motion Event_AllShadow(const config::Event& event, int cells)
{
    config::Event_Motion shadow;
    if (event.motion_conf().motion_size() > 0)
        shadow = event.motion_conf().motion(0);
    shadow.clear_zone();
    for (int i = 0; i < cells; ++i)
        shadow.add_zone(true);
    return shadow;
}

QByteArray Zone_ToBytes(const config::Event_Motion& motion)
{
    QByteArray bytes(motion.zone_size(), '\0');
    for (int i = 0; i < motion.zone_size(); ++i)
        bytes[i] = motion.zone(i) ? 1 : 0;
    return bytes;
}

void Zone_FromBytes(config::Event_Motion* motion, const QByteArray& bytes)
{
    const int n = std::min(static_cast<int>(bytes.size()), motion->zone_size());
    for (int i = 0; i < n; ++i)
        motion->set_zone(i, bytes[i] != 0);
}

void Event_ApplyAll(config::Event* event, const MotionEdits& edits)
{
    for (config::Event_Motion& motion : *event->mutable_motion_conf()->mutable_motion()) {
        if (edits.sensitivity)
            motion.set_sensitivity(*edits.sensitivity);
        if (edits.zone)
            Zone_FromBytes(&motion, *edits.zone);
        if (edits.pop_up)
            motion.set_pop_up(*edits.pop_up);
    }
}
