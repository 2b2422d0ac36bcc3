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
