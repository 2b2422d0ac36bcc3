#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <tuple>

#include "dvr_types/model_info.h"

TEST(DvrModelTable, SeventyTwoValidCodesWithWellFormedDistinctRows)
{
    const std::pair<int, int> rowless[] = {{18, 18},   {21, 25},   {31, 50},   {57, 63},   {66, 66},   {69, 69},
                                           {72, 72},   {79, 84},   {90, 90},   {93, 93},   {97, 99},   {102, 109},
                                           {114, 115}, {117, 119}, {126, 127}, {129, 130}, {136, 300}, {-10, -1}};
    const std::vector<std::string> languages = {"english", "korean", "russian",    "turkish", "norwegian",
                                                "german",  "french", "chinese_tw", "japanese"};
    std::set<std::string> names;
    for (int code = -10; code <= 300; ++code) {
        bool valid = true;
        for (const auto& [first, last] : rowless)
            valid = valid && (code < first || code > last);
        ASSERT_EQ(DvrModel::IsValid(code), valid) << code;
        if (!valid)
            continue;
        const DvrModelInfo info{DvrModel(code)};
        EXPECT_EQ(info.model.value(), code);
        EXPECT_TRUE(std::regex_match(info.name, std::regex("[a-z0-9]{6,8}"))) << info.name;
        EXPECT_TRUE(names.insert(info.name).second) << info.name;
        EXPECT_TRUE(info.channel_count == 4 || info.channel_count == 8 || info.channel_count == 16) << code;
        EXPECT_TRUE(info.aux_count == 0 || info.aux_count == 4 || info.aux_count == 8) << code;
        EXPECT_EQ(info.app_firmware_pattern, info.name + "app_*.bin");
        EXPECT_EQ(info.kernel_firmware_pattern, info.name + "kernel_*.bin");
        EXPECT_EQ(info.languages, languages);
    }
    EXPECT_EQ(names.size(), 72u);
}

TEST(DvrModelTable, CapabilitiesOfSomeRowsAndInitReplacesTheRecord)
{
    // code, channels, aux (sensor) inputs, relay port
    const std::tuple<int, uint64_t, uint64_t, bool> rows[] = {
        {4, 16, 8, true},   {2, 4, 0, false},   {56, 4, 0, true},   {6, 4, 4, true},    {11, 8, 0, false},
        {8, 8, 0, true},    {26, 8, 4, true},   {1, 8, 8, true},    {10, 16, 0, false}, {54, 16, 0, true},
        {28, 16, 4, true},  {135, 4, 4, true},  {133, 16, 0, false}, {65, 8, 8, true},  {116, 4, 4, true},
        {51, 16, 4, true},
    };
    for (const auto& [code, channels, aux, relay] : rows) {
        const DvrModelInfo info{DvrModel(code)};
        EXPECT_EQ(std::make_tuple(info.channel_count, info.aux_count, info.has_remote_port),
                  std::make_tuple(channels, aux, relay)) << code;
    }
    DvrModelInfo info{DvrModel(4)};
    info.languages.push_back("extra");
    info.Init(DvrModel(2));
    EXPECT_EQ(std::make_tuple(info.model.value(), info.channel_count, info.has_remote_port, info.languages.size()),
              std::make_tuple(2, uint64_t(4), false, size_t(9)));
}

#ifndef NDEBUG
TEST(DvrModelTableDeathTest, InvalidCodeIsAProgrammingError)
{
    EXPECT_DEATH({ DvrModel m(18); (void)m; }, "IsValid");
}
#endif
