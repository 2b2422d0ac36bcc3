#pragma once

// The conversions and repairs of the System, Network, Record and Event pages as plain
// functions over the config messages, so that they are tested without widgets. Every
// index <-> value mapping they use comes from the value tables of sys_conf/types.

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

#include "dvr_conf.pb.h"
#include "sys_conf/types/event_types.h"

// ---- the model ------------------------------------------------------------------------------

// What the pages take from a model record: channels N, sensors S, the relay output, the
// model type and the video standard (0 NTSC, 1 PAL). The model code must be valid.
struct PageModel {
    int channels;
    int sensors;
    bool relay;
    config::ModelType type;
    config::VideoType vtype;
};
PageModel PageModel_Of(const config::DvrConf_DvrInfo& info);

// ---- system part ----------------------------------------------------------------------------

// The text in lower case, then its first character in upper case: "english" and "ENGLISH"
// both give "English", "chinese_tw" gives "Chinese_tw".
QString Capitalize(const QString& text);
// An ID the DVR cannot hold (256 or more) becomes 0.
void System_MakeValid(config::System* system);

// ---- per-resolution lists -------------------------------------------------------------------

// The stream settings keep one quality and one rate per config::Resolution.
constexpr int RESOLUTIONS = 4;

// ---- network part ---------------------------------------------------------------------------

// The Network page's own default stream of a channel: resolution 0, quality high and the sub
// stream's default rate at each resolution.
config::Network_H264 Network_DefaultStream(int channels, config::VideoType vtype);
// One stream entry per channel: a list of another length is replaced by N default entries,
// and an entry's quality or rate list of other than four entries by the default list. A
// channel's resolution is never changed.
void Network_MakeValid(config::Network* network, int channels, config::VideoType vtype);

// What the operator chose while the stream channel stood on "All".
struct StreamEdits {
    std::optional<config::Quality> qual;
    std::optional<uint32_t> fps;
};
// Each choice reaches every channel's entry at that channel's own resolution.
void Network_ApplyAll(config::Network* network, const StreamEdits& edits);
