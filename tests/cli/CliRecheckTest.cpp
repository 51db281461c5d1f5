// --demo-days: the lot that --demo-cells sorted, rechecked after storage.
#include "cli/CliRun.h"
#include "sim/StoredLot.h"

#include <gmock/gmock.h>
#include <nlohmann/json.hpp>

#include <ctime>
#include <iomanip>
#include <sstream>

namespace voltaryn {
namespace {

// A capture's time (ISO 8601 UTC, with milliseconds) in seconds since the epoch.
double EpochSeconds(const std::string& iso)
{
    std::tm utc{};
    std::istringstream in(iso);
    in >> std::get_time(&utc, "%Y-%m-%dT%H:%M:%S");
    double fraction = 0;
    in >> fraction;
    return static_cast<double>(timegm(&utc)) + fraction;
}

// The recheck's clock starts the days after --demo-time, and it measures the sorted cells in the
// order of their numbers: each lower by its own self-discharge over those days (within the
// display's noise on both readings), with the resistance it had.
TEST(CliRecheck, MeasuresTheSortedCellsInTheirOrderDaysLater)
{
    TempFolder folder;
    const std::string db = "sqlite://" + (folder / "cells.db").string();
    constexpr int Days = 14;
    const auto sort = [&](const Args& recheck, const std::string& batch) {
        const Args run = Join(Join({"--demo-cells=7", "--demo-time", DemoTime}, recheck),
                              {"-f", "json", "sort", "--batch", batch, "--db", db, "--count", "30"});
        std::vector<nlohmann::json> captures;
        for (const std::string& line : Lines(OutputOf(folder, run)))
            captures.push_back(nlohmann::json::parse(line));
        return captures;
    };
    const std::vector<nlohmann::json> sorted = sort({}, "lot 7");
    const std::vector<nlohmann::json> rechecked = sort({"--demo-days", std::to_string(Days)}, "lot 7 stored");
    ASSERT_EQ(rechecked.size(), 30u);
    ASSERT_EQ(sorted.size(), 30u);
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        SCOPED_TRACE(rechecked[i].dump());
        const double volts = sorted[i]["voltage_v"];
        const double milliOhms = sorted[i]["resistance_mohm"];
        const double loss = sim::SelfDischargeRate(7, static_cast<int>(i)) * Days / 1000;
        EXPECT_NEAR(rechecked[i]["voltage_v"].get<double>(), volts + loss, 0.005);
        EXPECT_NEAR(rechecked[i]["resistance_mohm"].get<double>(), milliOhms, 0.001 * milliOhms + 0.1);
        const double apart = EpochSeconds(rechecked[i]["time"]) - EpochSeconds(sorted[i]["time"]);
        EXPECT_NEAR(apart, Days * 86400.0, 120);
    }
}

} // namespace
} // namespace voltaryn
