#pragma once

#include "network.pb.h"

namespace config {

// Bandwidth limit: "OFF", "100 kbps" .. "10000 kbps"; row i holds value i.
const char* BandWidthLimitation_Index2String(int index);
Network_BandWidthLimitation BandWidthLimitation_Index2Type(int index);
int BandWidthLimitation_Type2Index(const Network_BandWidthLimitation& value);

// Connection type in combo order, which is not the value order: "Auto UPnP", "Static",
// "DHCP", "PPPoE".
const char* NetworkType_Index2String(int index);
Network_Type NetworkType_Index2Type(int index);
int NetworkType_Type2Index(const Network_Type& value);

}  // namespace config
