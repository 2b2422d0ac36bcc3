#pragma once

// The conversions and repairs of Configuration mode as plain functions over the config
// messages, so that they are tested without widgets.

#include <QByteArray>
#include <QString>

#include "camera.pb.h"
#include "dvr_conf.pb.h"

// ---- DVR information -----------------------------------------------------------------------

// The information of a valid model code: its language list and the given channel count and
// video type (0 NTSC, any other value PAL).
config::DvrConf_DvrInfo DvrInfo_ForModel(int model, int channels, int vtype);
// Fills an empty language list from the model table and replaces a channel count other than
// 4, 8 or 16 by the model's. The model code must be valid.
void DvrInfo_Repair(config::DvrConf_DvrInfo* info);

// ---- replies of a configuration read -------------------------------------------------------

enum class ConfReply {
    Parsed,      // the first packet carried a configuration
    Refused,     // the first packet was the DVR's result code
    Unreadable,  // empty, no whole packet, another data type, or not parseable
};

// Reads the first packet of a mode-22 reply into *conf. A refusal gives the DVR's
// "[ERROR]..." text in *refusal.
ConfReply DvrConf_ReadReply(const QByteArray& data, config::DvrConf* conf, QString* refusal);

// ---- camera part ----------------------------------------------------------------------------

// The camera part's lists brought to the channel count: N channels titled CH-01.., N PTZ
// entries at their defaults and one spot output, each list rebuilt only when its size is
// wrong. seq, sharpness and picture adjustments stay.
void Camera_MakeValid(config::Camera* camera, int channels);
// The defaults of a model with that many channels: PTZ ids 1..N, then Camera_MakeValid.
config::Camera Camera_Defaults(int channels);
// The channel a Single spot shows: the lowest ticked channel below N; 0 when none is.
uint32_t Spot_SingleChannel(unsigned long mask, int channels);
