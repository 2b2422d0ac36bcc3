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

TEST(PageRules, RecordRepairsByModel)
{
    const PageModel noSensors = PageModel_Of(Info(8, 8, 0));  // 960H, no sensors
    const PageModel hd = PageModel_Of(Info(65, 8, 1));        // HD-SDI PAL, sensors

    config::Record record;
    for (int c = 0; c < 8; ++c) {
        config::Record_Channel* ch = record.add_channel();
        ch->set_resolution(config::RESOLUTION_CIF);
        ch->set_record_mode(static_cast<config::RecordMode>(c));
        for (int r = 0; r < 4; ++r) {
            ch->add_qual(config::QUALITY_LOW);
            ch->add_fps(7);
            ch->add_qual_evt(config::QUALITY_SUPER);
        }
        ch->add_fps_evt(1);  // one entry: replaced
    }
    const std::vector<int> lengths = {168, 100, 200, 168};
    for (int len : lengths) {
        config::Record_Schedule* s = record.add_schedule();
        for (int i = 0; i < len; ++i)
            s->add_record_mode(static_cast<config::RecordMode>(i % 10));
    }

    config::Record a = record;
    Record_MakeValid(&a, noSensors);
    ASSERT_EQ(a.channel_size(), 8);
    for (int c = 0; c < 8; ++c) {
        const config::Record_Channel& ch = a.channel(c);
        EXPECT_EQ(ch.resolution(), config::RESOLUTION_CIF);
        EXPECT_EQ(ch.record_mode(), c == 3 || c == 4 ? config::RECORD_MODE_MANUAL : c) << c;
        EXPECT_EQ(Ints(ch.qual()), (std::vector<int>{0, 0, 0, 0}));
        EXPECT_EQ(Ints(ch.qual_evt()), (std::vector<int>{3, 3, 3, 3}));
        // The main stream's defaults for 8 channels, NTSC.
        EXPECT_EQ(Ints(ch.fps_evt()), (std::vector<int>{30, 30, 15, 15}));
    }
    ASSERT_EQ(a.schedule_size(), 4);
    for (int s = 0; s < 4; ++s) {
        ASSERT_EQ(a.schedule(s).record_mode_size(), SCHEDULE_CELLS) << s;
        for (int i = 0; i < SCHEDULE_CELLS; ++i) {
            const int stored = i < lengths[s] ? i % 10 : 0;
            EXPECT_EQ(a.schedule(s).record_mode(i), stored == 3 || stored == 4 ? 0 : stored) << s << " " << i;
        }
    }

    // HD models have no resolution 0; with sensors every mode stays.
    config::Record b = record;
    Record_MakeValid(&b, hd);
    EXPECT_EQ(b.channel(0).resolution(), config::RESOLUTION_HALF_D1);
    EXPECT_EQ(b.channel(3).record_mode(), config::RECORD_MODE_SENSOR);
    EXPECT_EQ(b.schedule(0).record_mode(4), config::RECORD_MODE_MOTION_SENSOR);

    // Another channel count or schedule count: rebuilt from nothing.
    config::Record c = record;
    c.mutable_schedule()->RemoveLast();
    Record_MakeValid(&c, PageModel_Of(Info(4, 16, 1)));
    ASSERT_EQ(c.channel_size(), 16);
    EXPECT_FALSE(c.channel(0).has_resolution());
    EXPECT_EQ(c.channel(0).resolution(), config::RESOLUTION_960H);
    EXPECT_EQ(Ints(c.channel(15).fps()), (std::vector<int>{25, 25, 25, 13}));
    for (const auto& s : c.schedule())
        EXPECT_EQ(Ints(s.record_mode()), std::vector<int>(SCHEDULE_CELLS, 0));
    EXPECT_EQ(Schedule_Cell(6, 23), 167);
}

TEST(PageRules, RecordAllEditsGoToEachChannelsOwnResolution)
{
    config::Record record;
    for (int r : {0, 2, 3}) {
        config::Record_Channel* ch = record.add_channel();
        ch->set_resolution(static_cast<config::Resolution>(r));
        ch->set_record_mode(config::RECORD_MODE_MOTION);
        for (int i = 0; i < 4; ++i) {
            ch->add_qual(config::QUALITY_LOW);
            ch->add_fps(1);
            ch->add_qual_evt(config::QUALITY_LOW);
            ch->add_fps_evt(2);
        }
    }
    const config::Record untouched = record;
    Record_ApplyAll(&record, {});
    EXPECT_EQ(Bytes(record), Bytes(untouched));

    RecordEdits quality;
    quality.qual = config::QUALITY_SUPER;
    quality.fps_evt = 9u;
    Record_ApplyAll(&record, quality);
    EXPECT_EQ(Ints(record.channel(0).qual()), (std::vector<int>{3, 0, 0, 0}));
    EXPECT_EQ(Ints(record.channel(1).qual()), (std::vector<int>{0, 0, 3, 0}));
    EXPECT_EQ(Ints(record.channel(2).fps_evt()), (std::vector<int>{2, 2, 2, 9}));
    EXPECT_EQ(Ints(record.channel(2).fps()), (std::vector<int>{1, 1, 1, 1}));

    // A resolution chosen too: every channel takes it, and the rate lands there.
    RecordEdits all;
    all.resolution = config::RESOLUTION_HALF_D1;
    all.mode = config::RECORD_MODE_SCHEDULE2;
    all.fps = 25u;
    all.qual_evt = config::QUALITY_MEDIUM;
    Record_ApplyAll(&record, all);
    for (const auto& ch : record.channel()) {
        EXPECT_EQ(ch.resolution(), config::RESOLUTION_HALF_D1);
        EXPECT_EQ(ch.record_mode(), config::RECORD_MODE_SCHEDULE2);
        EXPECT_EQ(Ints(ch.fps()), (std::vector<int>{1, 25, 1, 1}));
        EXPECT_EQ(ch.qual_evt(1), config::QUALITY_MEDIUM);
    }
}

TEST(PageRules, EventListsRebuiltOnlyWhenTheirLengthIsWrongZonesAlwaysSized)
{
    const PageModel model = PageModel_Of(Info(53, 4, 0));  // 4 channels, 4 sensors
    const int cells = Event_MotionGrid(model).cells();
    ASSERT_EQ(cells, 192);

    config::Event event;
    for (int c = 0; c < 4; ++c) {
        config::Event_Motion* m = event.mutable_motion_conf()->add_motion();
        m->set_sensitivity(uint32_t(c + 1));
        for (int i = 0; i < (c == 0 ? 330 : 100); ++i)
            m->add_zone(true);
    }
    event.mutable_motion_conf()->set_pop_down(config::Event::POP_DOWN_5SEC);
    for (int j = 0; j < 3; ++j)
        event.mutable_sensor_conf()->add_sensor()->set_type(config::Event_Sensor::TYPE_NC);
    for (int c = 0; c < 4; ++c)
        event.mutable_relay()->add_motion(true);
    event.mutable_relay()->add_video_loss(true);
    event.mutable_email()->mutable_address()->set_sender("me");
    for (int i = 0; i < 3; ++i)
        event.mutable_email()->mutable_address()->add_receiver("r");

    Event_MakeValid(&event, model, cells);
    // Four motion entries: kept, their zones cut or padded with unwatched cells.
    for (int c = 0; c < 4; ++c) {
        const config::Event_Motion& m = event.motion_conf().motion(c);
        EXPECT_EQ(m.sensitivity(), uint32_t(c + 1));
        ASSERT_EQ(m.zone_size(), cells);
        EXPECT_EQ(std::count(m.zone().begin(), m.zone().end(), true), c == 0 ? cells : 100);
    }
    // Three sensors for four: every sensor at its defaults, linked to its own channel.
    ASSERT_EQ(event.sensor_conf().sensor_size(), 4);
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(event.sensor_conf().sensor(j).type(), config::Event_Sensor::TYPE_NO);
        EXPECT_EQ(event.sensor_conf().sensor(j).link_ch(), uint32_t(j));
    }
    EXPECT_EQ(std::vector<bool>(event.relay().motion().begin(), event.relay().motion().end()),
              std::vector<bool>(4, true));
    EXPECT_EQ(std::vector<bool>(event.relay().sensor().begin(), event.relay().sensor().end()),
              std::vector<bool>(4, false));
    EXPECT_EQ(event.relay().video_loss_size(), 1);
    EXPECT_EQ(event.email().address().sender(), "me");
    EXPECT_EQ(std::vector<std::string>(event.email().address().receiver().begin(),
                                       event.email().address().receiver().end()),
              std::vector<std::string>(4, ""));
    EXPECT_EQ(event.motion_conf().pop_down(), config::Event::POP_DOWN_5SEC);

    // Another channel count: every motion entry starts again, unwatched.
    Event_MakeValid(&event, PageModel_Of(Info(65, 8, 1)), 396);
    ASSERT_EQ(event.motion_conf().motion_size(), 8);
    EXPECT_FALSE(event.motion_conf().motion(0).has_sensitivity());
    EXPECT_EQ(Zone_ToBytes(event.motion_conf().motion(7)), QByteArray(396, '\0'));

    // Without sensors nothing about sensors is added.
    config::Event bare;
    Event_MakeValid(&bare, PageModel_Of(Info(10, 16, 0)), 192);
    EXPECT_FALSE(bare.has_sensor_conf());
    EXPECT_EQ(bare.relay().motion_size(), 16);
}

TEST(PageRules, EventAllShadowAndEdits)
{
    config::Event event;
    for (int c = 0; c < 3; ++c) {
        config::Event_Motion* m = event.mutable_motion_conf()->add_motion();
        m->set_sensitivity(uint32_t(c + 4));
        m->set_pop_up(c == 1);
        for (int i = 0; i < 6; ++i)
            m->add_zone(i == c);
    }
    const config::Event_Motion shadow = Event_AllShadow(event, 6);
    EXPECT_EQ(shadow.sensitivity(), 4u);
    EXPECT_EQ(Zone_ToBytes(shadow), QByteArray(6, '\1'));

    const config::Event untouched = event;
    Event_ApplyAll(&event, {});
    EXPECT_EQ(Bytes(event), Bytes(untouched));
    MotionEdits edits;
    edits.sensitivity = 12u;
    Event_ApplyAll(&event, edits);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(event.motion_conf().motion(c).sensitivity(), 12u);
        EXPECT_EQ(Zone_ToBytes(event.motion_conf().motion(c)), Zone_ToBytes(untouched.motion_conf().motion(c)));
        EXPECT_EQ(event.motion_conf().motion(c).pop_up(), c == 1);
    }
    edits.zone = QByteArray("\1\0\1", 3);  // shorter than the zones: only its cells
    edits.pop_up = false;
    Event_ApplyAll(&event, edits);
    EXPECT_EQ(Zone_ToBytes(event.motion_conf().motion(2)), QByteArray("\1\0\1\0\0\0", 6));
    EXPECT_FALSE(event.motion_conf().motion(1).pop_up());
}
