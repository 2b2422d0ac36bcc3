#pragma once

#include "EMapList.pb.h"

// Where the e-map list lies. Made on the stack for one call.
class CControlEMapList {
public:
    // The stored e-map groups; empty when there is no readable file.
    EMapGroupList Load();
    // Replaces the stored list.
    void Save(const EMapGroupList& list);
};
