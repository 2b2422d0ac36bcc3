#pragma once

#include "DVRList.pb.h"
#include "EMapList.pb.h"
#include "GroupList.pb.h"

// Values of a list file brought into their valid ranges, once, where the file is read: channel
// counts 4, 8 or 16, ports 1 to 65535 (else 80), channel masks of 16 channels, stream kinds 0 to
// 3, camera indexes 0 to 15. Whatever is in range stays as stored.
void DVR_Repair(DVR* dvr);
void GroupList_Repair(GroupList* list);
void EMapGroupList_Repair(EMapGroupList* list);
