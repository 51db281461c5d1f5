#include "SimHarness.h"

#include <gtest/gtest.h>

#include <vector>

namespace voltaryn::sim {
namespace {

using namespace std::chrono_literals;

TEST(SimCommands, AnswersQueriesAndTheDisplayButNotKeysOrSettingsExceptDeletingOneSdFile)
{
    SimulatedMeter meter([] { return SimTime{}; });
    const std::vector<std::uint8_t> answered[] = {
        {0, 65, 0, 1}, {0, 65, 2, 1}, {0, 65, 2, 2}, {0, 65, 2, 3}, {0, 65, 2, 4},
        {0, 65, 2, 5}, {0, 65, 2, 6, 1}, {0, 65, 3, 4, 2, 7}, {0, 66, 0, 0},
    };
    const std::vector<std::uint8_t> unanswered[] = {
        {0, 65, 1, 7, 1}, {0, 65, 3, 1, 24, 1, 2, 3, 4, 5}, {0, 65, 3, 2, 10}, {0, 65, 3, 3},
        {0, 65, 3, 4, 1}, {0, 65, 3, 5, 4}, {0, 65, 3, 6, 1, 0, 1, 0, 2, 0, 3, 0, 4, 0, 0},
    };
    for (const auto& request : answered)
        EXPECT_TRUE(meter.Handle(request)) << testing::PrintToString(request);
    for (const auto& request : unanswered)
        EXPECT_FALSE(meter.Handle(request)) << testing::PrintToString(request);
}

} // namespace
} // namespace voltaryn::sim
