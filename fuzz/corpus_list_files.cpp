// Seeds for fuzz_list_files: the bodies of a DVR list and of an e-map list, each with fields of
// a later version at every level, and the DVR list cut in a DVR record.
#include "EMapList.pb.h"
#include "GroupList.pb.h"
#include "corpus_util.h"

namespace {

// Field 99 as a varint, as a later version might add it.
const std::string LATER("\x98\x06\x01", 3);

DVR Dvr(int n)
{
    DVR dvr;
    dvr.set_name("DVR " + std::to_string(n));
    dvr.set_address("192.168.0." + std::to_string(n));
    dvr.set_port(8000 + n);
    dvr.set_id("admin");
    dvr.set_password("1234");
    dvr.set_chnum(n % 2 ? 16 : 4);
    dvr.set_bit_ch(0xF);
    dvr.add_chname("Door");
    dvr.add_chname("Yard");
    dvr.set_old_protocol(n == 3);
    dvr.set_protocol_type(n == 3 ? 2 : 1);
    return dvr;
}

}  // namespace

int main(int argc, char** argv)
{
    GroupList dvrs;
    for (int g = 0; g < 3; ++g) {
        Group* group = dvrs.add_group();
        group->set_name("Group " + std::to_string(g + 1));
        group->set_auto_connect(g - 1);
        for (int d = 1; d <= 3; ++d)
            *group->add_dvr() = Dvr(d);
    }
    const std::string plain = dvrs.SerializeAsString();
    dvrs.mutable_unknown_fields()->append(LATER);
    dvrs.mutable_group(0)->mutable_unknown_fields()->append(LATER);
    dvrs.mutable_group(0)->mutable_dvr(0)->mutable_unknown_fields()->append(LATER);

    EMapGroupList maps;
    for (int g = 0; g < 2; ++g) {
        EMapList* group = maps.add_emap_list();
        group->set_name("Floor " + std::to_string(g + 1));
        EMap* map = group->add_emap();
        map->set_name("Plan");
        map->set_map_image_path("/maps/plan.png");
        for (int c = 0; c < 3; ++c) {
            EMapItems* item = map->add_items();
            *item->mutable_dvr() = Dvr(c + 1);
            item->set_pos_x(40 * c);
            item->set_pos_y(30);
            item->set_channel(c);
        }
    }
    const std::string plainMaps = maps.SerializeAsString();
    maps.mutable_unknown_fields()->append(LATER);
    maps.mutable_emap_list(0)->mutable_unknown_fields()->append(LATER);
    maps.mutable_emap_list(0)->mutable_emap(0)->mutable_unknown_fields()->append(LATER);
    maps.mutable_emap_list(0)->mutable_emap(0)->mutable_items(0)->mutable_unknown_fields()->append(LATER);

    return corpus::WriteSeeds(argc, argv,
                              {plain, dvrs.SerializeAsString(), plain.substr(0, plain.size() * 6 / 10),
                               plainMaps, maps.SerializeAsString()});
}
