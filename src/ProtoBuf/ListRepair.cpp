#include "ListRepair.h"

#include <algorithm>

namespace {

constexpr int MAX_CHANNELS = 16;
constexpr int DEFAULT_PORT = 80;
constexpr int MAX_PORT = 65535;
constexpr int MAX_PROTOCOL_TYPE = 3;

}  // namespace

// Only what is out of range is written: an entry in range keeps its bytes.
void DVR_Repair(DVR* dvr)
{
    const int channels = dvr->chnum();
    if (channels != 4 && channels != 8 && channels != MAX_CHANNELS)
        dvr->set_chnum(channels < 4 ? 4 : channels < 8 ? 8 : MAX_CHANNELS);
    if (dvr->port() < 1 || dvr->port() > MAX_PORT)
        dvr->set_port(DEFAULT_PORT);
    if (dvr->bit_ch() >> MAX_CHANNELS)
        dvr->set_bit_ch(dvr->bit_ch() & ((1u << MAX_CHANNELS) - 1));
    if (dvr->protocol_type() < 0 || dvr->protocol_type() > MAX_PROTOCOL_TYPE)
        dvr->set_protocol_type(0);
}

void GroupList_Repair(GroupList* list)
{
    for (Group& group : *list->mutable_group())
        for (DVR& dvr : *group.mutable_dvr())
            DVR_Repair(&dvr);
}

void EMapGroupList_Repair(EMapGroupList* list)
{
    for (EMapList& group : *list->mutable_emap_list())
        for (EMap& map : *group.mutable_emap())
            for (EMapItems& item : *map.mutable_items()) {
                if (item.has_dvr())
                    DVR_Repair(item.mutable_dvr());
                if (item.channel() < 0 || item.channel() >= MAX_CHANNELS)
                    item.set_channel(std::clamp(item.channel(), 0, MAX_CHANNELS - 1));
            }
}
