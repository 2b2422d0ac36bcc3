#include "sys_conf/types/account_types.h"

#include "sys_conf/types/value_table.h"

namespace config {
namespace {

const Account_NetworkTimeout kNetworkTimeout[] = {
    Account::NETWORK_TIMEOUT_OFF,    Account::NETWORK_TIMEOUT_1MIN,
    Account::NETWORK_TIMEOUT_5MINS,  Account::NETWORK_TIMEOUT_15MINS,
    Account::NETWORK_TIMEOUT_30MINS, Account::NETWORK_TIMEOUT_1HOUR,
};
constexpr int kNetworkTimeoutCount = table::Count(kNetworkTimeout);
// Minutes of each row, by index.
const int kNetworkTimeoutMinutes[] = {0, 1, 5, 15, 30, 60};
static_assert(table::Count(kNetworkTimeoutMinutes) == kNetworkTimeoutCount);

const table::Row<Account_Logoff_WaitTime> kWaitTime[] = {
    {Account_Logoff::WAIT_TIME_30SEC, "30 s"},
    {Account_Logoff::WAIT_TIME_1MIN, "1 min"},
    {Account_Logoff::WAIT_TIME_3MIN, "3 min"},
    {Account_Logoff::WAIT_TIME_5MIN, "5 min"},
    {Account_Logoff::WAIT_TIME_10MIN, "10 min"},
};
constexpr int kWaitTimeCount = table::Count(kWaitTime);

}  // namespace

int NetworkTimeout_Count() { return kNetworkTimeoutCount; }

int NetworkTimeout_Index2Minutes(int index)
{
    return table::Pick(kNetworkTimeoutMinutes, kNetworkTimeoutCount, index);
}

Account_NetworkTimeout NetworkTimeout_Index2Type(int index)
{
    return table::Pick(kNetworkTimeout, kNetworkTimeoutCount, index);
}

int NetworkTimeout_Type2Index(const Account_NetworkTimeout& value)
{
    return table::Find(kNetworkTimeout, kNetworkTimeoutCount, value);
}

const char* WaitTime_Index2String(int index)
{
    return table::Label(kWaitTime, kWaitTimeCount, index);
}

Account_Logoff_WaitTime WaitTime_Index2Type(int index)
{
    return table::Type(kWaitTime, kWaitTimeCount, index);
}

int WaitTime_Type2Index(const Account_Logoff_WaitTime& value)
{
    return table::IndexOf(kWaitTime, kWaitTimeCount, value);
}

}  // namespace config
