#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "dvr_types/model_info.h"

namespace {
const std::set<int> kRowless = [] {
    std::set<int> s = {18, 66, 69, 72, 90, 93, 114, 115, 126, 127, 129, 130};
    for (int i = 21; i <= 25; ++i) s.insert(i);
    for (int i = 31; i <= 50; ++i) s.insert(i);
    for (int i = 57; i <= 63; ++i) s.insert(i);
    for (int i = 79; i <= 84; ++i) s.insert(i);
    for (int i = 97; i <= 99; ++i) s.insert(i);
    for (int i = 102; i <= 109; ++i) s.insert(i);
    for (int i = 117; i <= 119; ++i) s.insert(i);
    return s;
}();
}  // namespace

TEST(DvrModelTable, SeventyTwoValidCodes)
{
    int valid = 0;
    for (int code = -10; code <= 300; ++code) {
        const bool expect = code >= 0 && code <= 135 && kRowless.count(code) == 0;
        EXPECT_EQ(DvrModel::IsValid(code), expect) << code;
        valid += DvrModel::IsValid(code) ? 1 : 0;
    }
    EXPECT_EQ(valid, 72);
}

TEST(DvrModelTable, RowsAreWellFormedAndDistinct)
{
    const std::regex designation("[a-z0-9]{6,8}");
    std::set<std::string> names;
    for (int code = 0; code <= 135; ++code) {
        if (!DvrModel::IsValid(code))
            continue;
        const DvrModelInfo info{DvrModel(code)};
        EXPECT_EQ(info.model.value(), code);
        EXPECT_TRUE(std::regex_match(info.name, designation)) << info.name;
        EXPECT_TRUE(names.insert(info.name).second) << info.name;
        EXPECT_TRUE(info.channel_count == 4 || info.channel_count == 8 || info.channel_count == 16);
        EXPECT_TRUE(info.aux_count == 0 || info.aux_count == 4 || info.aux_count == 8);
        EXPECT_EQ(info.app_firmware_pattern, info.name + "app_*.bin");
        EXPECT_EQ(info.kernel_firmware_pattern, info.name + "kernel_*.bin");
        const std::vector<std::string> langs = {"english", "korean", "russian", "turkish", "norwegian",
                                                "german", "french", "chinese_tw", "japanese"};
        EXPECT_EQ(info.languages, langs);
    }
}

TEST(DvrModelTable, CapabilitiesOfSomeRows)
{
    struct Row {
        int code;
        uint64_t ch;
        uint64_t aux;
        bool relay;
    };
    const Row rows[] = {
        {4, 16, 8, true},  {2, 4, 0, false},  {56, 4, 0, true},   {6, 4, 4, true},
        {11, 8, 0, false}, {8, 8, 0, true},   {26, 8, 4, true},   {1, 8, 8, true},
        {10, 16, 0, false}, {54, 16, 0, true}, {28, 16, 4, true}, {135, 4, 4, true},
        {133, 16, 0, false}, {65, 8, 8, true}, {116, 4, 4, true}, {51, 16, 4, true},
    };
    for (const Row& r : rows) {
        const DvrModelInfo info{DvrModel(r.code)};
        EXPECT_EQ(info.channel_count, r.ch) << r.code;
        EXPECT_EQ(info.aux_count, r.aux) << r.code;
        EXPECT_EQ(info.has_remote_port, r.relay) << r.code;
    }
}

TEST(DvrModelTable, InitReplacesTheWholeRecord)
{
    DvrModelInfo info{DvrModel(4)};
    info.languages.push_back("extra");
    info.Init(DvrModel(2));
    EXPECT_EQ(info.model.value(), 2);
    EXPECT_EQ(info.channel_count, 4u);
    EXPECT_FALSE(info.has_remote_port);
    EXPECT_EQ(info.languages.size(), 9u);
}

#ifndef NDEBUG
TEST(DvrModelTableDeathTest, InvalidCodeIsAProgrammingError)
{
    EXPECT_DEATH({ DvrModel m(18); (void)m; }, "IsValid");
}
#endif
