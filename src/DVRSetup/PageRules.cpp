#include "DVRSetup/PageRules.h"

#include "DVRSetup/DefStream.h"
#include "DVRSetup/ModelInfoDialog.h"
#include "dvr_types/model_info.h"

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

template <class List, class Value>
void SetAt(List* list, int index, Value value)
{
    if (index >= 0 && index < list->size())
        list->Set(index, value);
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
            SetAt(stream.mutable_qual(), stream.resolution(), *edits.qual);
        if (edits.fps)
            SetAt(stream.mutable_fps(), stream.resolution(), *edits.fps);
    }
}
