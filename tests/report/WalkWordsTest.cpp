// The report words a trend's forecast as the command line's trend does, in English.
#include "report/WalkWords.h"

#include <gtest/gtest.h>

namespace voltaryn::report {
namespace {

using namespace std::chrono;

TEST(WalkWords, ForecastsReadAsTrendTellsThem)
{
    const sys_days from = 2024y / June / 1;
    const auto ahead = [from](int days) { return strings::LimitForecast{from + std::chrono::days{days}, false}; };
    const strings::LimitForecast now{from, true};
    const struct {
        std::optional<double> slope;
        std::optional<strings::LimitForecast> warn;
        std::optional<strings::LimitForecast> fail;
        const char* text;
    } rows[] = {
        {25, now, ahead(60), "block 7: warn now, fail in about 2 months"},
        {25, now, now, "block 7: warn now, fail now"},
        {25, ahead(-3), ahead(20), "block 7: warn by now, fail within a month"},
        {25, ahead(31), ahead(400), "block 7: warn in about 1 month, fail in about 13 months"},
        {5, ahead(800), ahead(3700), "block 7: warn in about 2 years, fail in about 10 years"},
        {1, ahead(365), ahead(1095), "block 7: warn in about 12 months, fail in about 3 years"},
        {0.01, std::nullopt, std::nullopt, "block 7: fail not within 50 years"},
        {-2, now, std::nullopt, "block 7: warn now, not rising"},
        {std::nullopt, std::nullopt, std::nullopt, "block 7: too few inspections for a trend"},
    };
    for (const auto& row : rows) {
        strings::BlockTrend trend;
        trend.block = 7;
        trend.slopePercentPerYear = row.slope;
        trend.warn = row.warn;
        trend.fail = row.fail;
        EXPECT_EQ(strings::TrendText(trend, from), row.text);
        EXPECT_EQ(TrendWords(trend, from).toStdString(), row.text);
    }
}

} // namespace
} // namespace voltaryn::report
