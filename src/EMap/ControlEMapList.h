#pragma once

#include "EMapList.pb.h"

// Where the e-map list lies. Made on the stack for one call.
class CControlEMapList {
public:
    // The stored e-map groups; empty when there is no readable file.
    EMapGroupList Load();
    // Replaces the stored list; false when it could not be written and the old file stays.
    [[nodiscard]] bool Save(const EMapGroupList& list);
};
