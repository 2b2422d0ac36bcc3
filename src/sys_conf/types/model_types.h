#pragma once

#include "ModelInfo.pb.h"

namespace config {

// The model type of a DVR model code: 960H, HD-SDI, AHD or AHD2. A code outside the model
// table counts as 960H.
ModelType ModelType_OfModel(int model);

// Labels of the model types, row i holding type i: "960H DVR", "HD-SDI DVR", "AHD DVR",
// "AHD2 DVR".
int ModelType_Count();
const char* ModelType_Index2String(int index);

// The model code an offline setup picks for a channel count and model type; -1 when no
// model of that type has that many channels (AHD2 with 8 or 16). A channel count other
// than 4, 8 or 16 picks model 4.
int ModelCode_OfChoice(int channels, ModelType type);

}  // namespace config
