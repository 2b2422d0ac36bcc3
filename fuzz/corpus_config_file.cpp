// Writes the starting corpus of fuzz_config_file into the folder given as argv[1]:
// configurations as the program saves them for models of 4, 8 and 16 channels, NTSC and
// PAL, and ones whose lists do not fit their model (which the pages repair).
#include <tuple>
#include <vector>

#include "DVRSetup/PageRules.h"
#include "DVRSetup/SetupRules.h"
#include "corpus_util.h"

namespace {

// A whole configuration of the model, as the pages' defaults and repairs make it.
config::DvrConf Complete(int model, int channels, int vtype)
{
    config::DvrConf conf;
    *conf.mutable_dvr_info() = DvrInfo_ForModel(model, channels, vtype);
    const PageModel page = PageModel_Of(conf.dvr_info());
    const int cells = Event_MotionGrid(page).cells();
    System_MakeValid(conf.mutable_system());
    conf.mutable_system()->mutable_time_date()->set_time_zone("Europe/Berlin");
    Network_MakeValid(conf.mutable_network(), page.channels, page.vtype);
    *conf.mutable_record() = Record_Defaults(page.channels);
    Record_MakeValid(conf.mutable_record(), page);
    Event_MakeValid(conf.mutable_event(), page, cells);
    *conf.mutable_camera() = Camera_Defaults(page.channels);
    conf.mutable_account()->mutable_admin()->set_password("1234");
    conf.mutable_account()->add_users()->set_name("guest");
    conf.mutable_limit()->set_apply_network_tcpip(true);
    return conf;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> seeds;
    for (const auto& [model, channels, vtype] : {std::tuple{4, 16, 0}, std::tuple{4, 4, 1}, std::tuple{14, 8, 0}, std::tuple{64, 16, 1}, std::tuple{120, 8, 0}})
        seeds.push_back(Complete(model, channels, vtype).SerializeAsString());
    // Lists of another model: an 8-channel configuration under a 16-channel header.
    config::DvrConf mixed = Complete(14, 8, 1);
    *mixed.mutable_dvr_info() = DvrInfo_ForModel(4, 16, 1);
    seeds.push_back(mixed.SerializeAsString());
    // Zones and schedules cut short, a channel count the model does not have.
    config::DvrConf cut = Complete(4, 4, 0);
    cut.mutable_event()->mutable_motion_conf()->mutable_motion(0)->mutable_zone()->Truncate(3);
    cut.mutable_record()->mutable_schedule(1)->mutable_record_mode()->Truncate(100);
    cut.mutable_dvr_info()->set_ch_num(5);
    seeds.push_back(cut.SerializeAsString());
    return corpus::WriteSeeds(argc, argv, seeds);
}
