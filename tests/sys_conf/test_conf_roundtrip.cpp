#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "conf_fill.h"

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(DvrConfWire, FullSixteenChannelConfigurationSurvivesARoundTrip)
{
    const config::DvrConf conf = FullConf16();
    const std::string bytes = conf.SerializeAsString();
    ASSERT_EQ(bytes.size(), conf.ByteSizeLong());

    config::DvrConf back;
    ASSERT_TRUE(back.ParseFromArray(bytes.data(), static_cast<int>(bytes.size())));
    EXPECT_EQ(back.SerializeAsString(), bytes);

    // Entries keep their order and their own values.
    ASSERT_EQ(back.camera().channel_size(), 16);
    EXPECT_EQ(back.camera().channel(3).name(), std::string("\xC1\xA4\xB9\xAE"));
    EXPECT_EQ(back.camera().channel(15).adjustment().vsharpness(), 3u);
    ASSERT_EQ(back.event().motion_conf().motion(2).zone_size(), 192);
    EXPECT_TRUE(back.event().motion_conf().motion(2).zone(1));
    EXPECT_FALSE(back.event().motion_conf().motion(2).zone(2));
    EXPECT_TRUE(back.event().relay().video_loss(7));
    EXPECT_EQ(back.network().stream().h264(14).fps(3), 30u);
    EXPECT_EQ(back.record().channel(13).record_mode(), config::RECORD_MODE_SENSOR);
    ASSERT_EQ(back.record().schedule(3).record_mode_size(), 168);
    EXPECT_EQ(back.record().schedule(3).record_mode(167), config::RECORD_MODE_SCHEDULE1);
    EXPECT_EQ(back.system().display().vga_only_adjust().saturation(), 12u);
}

TEST(DvrConfWire, FieldNumbersAndEncodingsMatchTheGoldenBytes)
{
    const std::string bytes = FullConf16().SerializeAsString();
    std::string golden;
    const std::string path = DataPath("dvr_conf_16ch.hex");
    const bool readable = FromHex(ReadFile(path), &golden) && !golden.empty();
    if (!readable || golden != bytes) {
        const auto actual = std::filesystem::temp_directory_path() / "dvr_conf_16ch.actual.hex";
        std::ofstream(actual) << ToHex(bytes);
        ADD_FAILURE() << "serialization differs from " << path << "; actual bytes in " << actual;
        return;
    }

    // The golden bytes are also a configuration that any later build must read.
    config::DvrConf parsed;
    ASSERT_TRUE(parsed.ParseFromString(golden));
    EXPECT_EQ(parsed.record().channel(9).record_mode(), config::RECORD_MODE_SCHEDULE4);
    EXPECT_EQ(parsed.SerializeAsString(), golden);
}

TEST(DvrConfWire, PartsKeepFalseAndDefaultValuesThatWereSet)
{
    // The container tells "set to the default" from "absent": proto2 presence must hold.
    config::DvrConf conf;
    conf.mutable_hdd()->mutable_smart()->set_smart(false);
    conf.mutable_dvr_info()->set_ch_num(16);
    conf.mutable_limit()->set_apply_network_tcpip(false);

    config::DvrConf back;
    ASSERT_TRUE(back.ParseFromString(conf.SerializeAsString()));
    ASSERT_TRUE(back.hdd().smart().has_smart());
    EXPECT_FALSE(back.hdd().smart().smart());
    EXPECT_FALSE(back.hdd().has_mode());
    EXPECT_TRUE(back.dvr_info().has_ch_num());
    EXPECT_FALSE(back.dvr_info().has_model());
    EXPECT_TRUE(back.limit().has_apply_network_tcpip());
    EXPECT_FALSE(back.has_account());
}
