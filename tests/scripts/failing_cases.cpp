// Cases with known outcomes, whose real gtest output the test of the failed-test names reads.
#include <string>

#include <gtest/gtest.h>

TEST(Plain, Fails) { FAIL() << "fails on purpose"; }

TEST(Plain, Passes) { SUCCEED(); }

class Delays : public ::testing::TestWithParam<int> {};

TEST_P(Delays, EndInTime) { EXPECT_LT(GetParam(), 1000) << "fails on purpose"; }

// Named as the late-stop cases are: the name alone does not hold the parameter.
INSTANTIATE_TEST_SUITE_P(Late, Delays, ::testing::Values(750, 1500),
                         [](const ::testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "ms"; });
