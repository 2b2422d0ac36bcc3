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
