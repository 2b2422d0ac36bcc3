#include "DVRSetup/DefStream.h"

namespace {

const QList<int>& RatesOf(const config::VideoType& type)
{
    return type == 0 ? DefStream::FPSNtsc : DefStream::FPSPal;
}

struct DefaultRates {
    int channels;
    int main[2][4];  // [NTSC, PAL][resolution]
    int sub[2][4];
};

const DefaultRates kDefaults[] = {
    {4, {{30, 30, 30, 30}, {25, 25, 25, 25}}, {{30, 15, 7, 7}, {25, 9, 6, 6}}},
    {8, {{30, 30, 15, 15}, {25, 25, 9, 9}}, {{15, 7, 3, 3}, {9, 6, 3, 3}}},
    // 13 is no selectable PAL rate: the pages show it as 12.
    {16, {{30, 30, 30, 15}, {25, 25, 25, 13}}, {{15, 7, 3, 1}, {12, 6, 3, 1}}},
};

}  // namespace

const QStringList DefStream::Quality = {"Low", "Medium", "High", "Super"};
const QList<int> DefStream::FPSNtsc = {0, 1, 2, 3, 4, 5, 6, 7, 10, 15, 30};
const QList<int> DefStream::FPSPal = {0, 1, 2, 3, 4, 5, 6, 7, 9, 12, 25};

int DefStream::FPS_IDX2REAL(const config::VideoType& type, int index)
{
    const QList<int>& rates = RatesOf(type);
    return index >= 0 && index < rates.size() ? rates[index] : 0;
}

int DefStream::FPS_REAL2IDX(const config::VideoType& type, int fps)
{
    const QList<int>& rates = RatesOf(type);
    int index = 0;
    for (int i = 0; i < rates.size(); ++i)
        if (rates[i] <= fps)
            index = i;
    return index;
}

int DefStream::FPS_GetDefAll(int channels, const config::VideoType& type,
                             const config::Resolution& resolution, const KCodecType& nCodecID)
{
    if (resolution < 0 || resolution > 3 || (nCodecID != KCODEC_MAIN && nCodecID != KCODEC_SUB))
        return 0;
    const int standard = type == 0 ? 0 : 1;
    for (const DefaultRates& row : kDefaults)
        if (row.channels == channels)
            return nCodecID == KCODEC_MAIN ? row.main[standard][resolution] : row.sub[standard][resolution];
    return 0;
}
