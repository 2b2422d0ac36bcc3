#pragma once

#include "DVRList.pb.h"

// The stream kind (DVR.protocol_type: 2 H.264, 3 MPEG-4) that the first frame of an
// old-protocol DVR told, kept per DVR (its address and port) for as long as the program runs,
// so that no later stream to it, after a group switch or a mode change, opens blind again.
// Thread-safe.
namespace StreamKinds {

// The kind learned for this DVR; 0 when none was.
int known(const DVR& dvr);
void learned(const DVR& dvr, int kind);
// The DVR with its kind filled in where the list did not hold one and it was learned.
DVR withKnownKind(const DVR& dvr);
// For tests: forgets every kind learned.
void forget();

}  // namespace StreamKinds
