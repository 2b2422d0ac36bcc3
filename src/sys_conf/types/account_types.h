#pragma once

#include "account.pb.h"

namespace config {

// Network timeout of a user: row i holds value i (the page builds its own labels from the
// minutes: 0 "Continuous", 1, 5, 15, 30, 60).
int NetworkTimeout_Count();
int NetworkTimeout_Index2Minutes(int index);
Account_NetworkTimeout NetworkTimeout_Index2Type(int index);
int NetworkTimeout_Type2Index(const Account_NetworkTimeout& value);

// Log-off wait time: "30 s", "1 min", "3 min", "5 min", "10 min"; row i holds value i.
const char* WaitTime_Index2String(int index);
Account_Logoff_WaitTime WaitTime_Index2Type(int index);
int WaitTime_Type2Index(const Account_Logoff_WaitTime& value);

}  // namespace config
