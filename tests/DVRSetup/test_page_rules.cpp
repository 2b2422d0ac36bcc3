// The repairs and "ALL" rules of the System, Network, Record and Event pages, without widgets.

#include <gtest/gtest.h>

#include "DVRSetup/DefStream.h"
#include "DVRSetup/PageRules.h"
#include "setup_test_util.h"

using namespace setuptest;

namespace {

config::Network_H264 Stream(config::Resolution r, std::vector<int> qual, std::vector<uint32_t> fps)
{
    config::Network_H264 s;
    s.set_resolution(r);
    for (int q : qual)
        s.add_qual(static_cast<config::Quality>(q));
    for (uint32_t f : fps)
        s.add_fps(f);
    return s;
}

template <class List>
std::vector<int> Ints(const List& list)
{
    return std::vector<int>(list.begin(), list.end());
}

}  // namespace

TEST(PageRules, ModelFacts)
{
    const struct {
        int model, channels, vtype;
        int sensors;
        bool relay;
        config::ModelType type;
    } rows[] = {{4, 16, 0, 8, true, config::ModelType_960H},  {65, 8, 1, 8, true, config::ModelType_HDSDI},
                {10, 16, 0, 0, false, config::ModelType_960H}, {55, 8, 0, 0, true, config::ModelType_AHD},
                {116, 4, 3, 4, true, config::ModelType_AHD2}};
    for (const auto& row : rows) {
        const PageModel m = PageModel_Of(Info(row.model, row.channels, row.vtype));
        EXPECT_EQ(m.channels, row.channels) << row.model;
        EXPECT_EQ(m.sensors, row.sensors) << row.model;
        EXPECT_EQ(m.relay, row.relay) << row.model;
        EXPECT_EQ(m.type, row.type) << row.model;
        EXPECT_EQ(m.vtype, row.vtype ? config::VideoType_PAL : config::VideoType_NTSC) << row.model;
    }
}

TEST(PageRules, NetworkStreamsOnePerChannelEachWithFourEntries)
{
    // The sub stream's rates, not the record page's main stream ones.
    const config::Network_H264 fresh = Network_DefaultStream(16, config::VideoType_PAL);
    EXPECT_EQ(fresh.resolution(), config::RESOLUTION_CIF);
    EXPECT_EQ(Ints(fresh.qual()), (std::vector<int>{2, 2, 2, 2}));
    EXPECT_EQ(Ints(fresh.fps()), (std::vector<int>{12, 6, 3, 1}));
    EXPECT_EQ(Ints(Network_DefaultStream(4, config::VideoType_NTSC).fps()), (std::vector<int>{30, 15, 7, 7}));

    config::Network kept;
    for (int c = 0; c < 4; ++c)
        *kept.mutable_stream()->add_h264() = Stream(config::RESOLUTION_D1, {0, 1, 3, c % 4}, {1, 2, 3, 4});
    // A short quality list and a long rate list on channel 2 only.
    *kept.mutable_stream()->mutable_h264(2) = Stream(config::RESOLUTION_960H, {0, 1, 3}, {1, 2, 3, 4, 5});
    config::Network repaired = kept;
    Network_MakeValid(&repaired, 4, config::VideoType_NTSC);
    const config::Network_H264 four = Network_DefaultStream(4, config::VideoType_NTSC);
    for (int c = 0; c < 4; ++c) {
        const config::Network_H264& s = repaired.stream().h264(c);
        EXPECT_EQ(Bytes(s), c == 2 ? Bytes(Stream(config::RESOLUTION_960H, {2, 2, 2, 2}, {30, 15, 7, 7}))
                                   : Bytes(kept.stream().h264(c)))
            << c;
    }
    // Another count: every entry is replaced.
    Network_MakeValid(&kept, 8, config::VideoType_NTSC);
    ASSERT_EQ(kept.stream().h264_size(), 8);
    for (const auto& s : kept.stream().h264())
        EXPECT_EQ(Bytes(s), Bytes(Network_DefaultStream(8, config::VideoType_NTSC)));
}

TEST(PageRules, NetworkAllEditsReachEachChannelAtItsOwnResolution)
{
    config::Network net;
    for (int r : {0, 3, 1})
        *net.mutable_stream()->add_h264() =
            Stream(static_cast<config::Resolution>(r), {0, 0, 0, 0}, {5, 5, 5, 5});
    const config::Network untouched = net;
    Network_ApplyAll(&net, {});
    EXPECT_EQ(Bytes(net), Bytes(untouched));
    Network_ApplyAll(&net, {config::QUALITY_SUPER, std::nullopt});
    Network_ApplyAll(&net, {std::nullopt, 25u});
    EXPECT_EQ(Ints(net.stream().h264(0).qual()), (std::vector<int>{3, 0, 0, 0}));
    EXPECT_EQ(Ints(net.stream().h264(1).qual()), (std::vector<int>{0, 0, 0, 3}));
    EXPECT_EQ(Ints(net.stream().h264(2).fps()), (std::vector<int>{5, 25, 5, 5}));
    EXPECT_EQ(net.stream().h264(1).resolution(), config::RESOLUTION_960H);
}
