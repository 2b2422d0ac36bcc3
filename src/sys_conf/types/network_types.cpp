#include "sys_conf/types/network_types.h"

#include "sys_conf/types/value_table.h"

namespace config {
namespace {

const table::Row<Network_BandWidthLimitation> kBandWidth[] = {
    {Network::BWL_OFF, "OFF"},
    {Network::BWL_100kbps, "100 kbps"},
    {Network::BWL_200kbps, "200 kbps"},
    {Network::BWL_300kbps, "300 kbps"},
    {Network::BWL_500kbps, "500 kbps"},
    {Network::BWL_1000kbps, "1000 kbps"},
    {Network::BWL_2000kbps, "2000 kbps"},
    {Network::BWL_3000kbps, "3000 kbps"},
    {Network::BWL_5000kbps, "5000 kbps"},
    {Network::BWL_10000kbps, "10000 kbps"},
};
constexpr int kBandWidthCount = table::Count(kBandWidth);

const table::Row<Network_Type> kNetworkType[] = {
    {Network::TYPE_AUTO_UPNP, "Auto UPnP"},
    {Network::TYPE_STATIC, "Static"},
    {Network::TYPE_DHCP, "DHCP"},
    {Network::TYPE_PPPOE, "PPPoE"},
};
constexpr int kNetworkTypeCount = table::Count(kNetworkType);

}  // namespace

const char* BandWidthLimitation_Index2String(int index)
{
    return table::Label(kBandWidth, kBandWidthCount, index);
}

Network_BandWidthLimitation BandWidthLimitation_Index2Type(int index)
{
    return table::Type(kBandWidth, kBandWidthCount, index);
}

int BandWidthLimitation_Type2Index(const Network_BandWidthLimitation& value)
{
    return table::IndexOf(kBandWidth, kBandWidthCount, value);
}

const char* NetworkType_Index2String(int index)
{
    return table::Label(kNetworkType, kNetworkTypeCount, index);
}

Network_Type NetworkType_Index2Type(int index)
{
    return table::Type(kNetworkType, kNetworkTypeCount, index);
}

int NetworkType_Type2Index(const Network_Type& value)
{
    return table::IndexOf(kNetworkType, kNetworkTypeCount, value);
}

}  // namespace config
