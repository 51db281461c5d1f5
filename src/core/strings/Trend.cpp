#include "strings/Trend.h"

#include <algorithm>
#include <cmath>

namespace voltaryn::strings {
namespace {

using std::chrono::days;
using std::chrono::sys_days;

constexpr double DaysPerYear = 365.2425;
constexpr double DaysPerMonth = DaysPerYear / 12;

struct Line {
    sys_days origin;
    double intercept = 0;         // % at the origin
    double slopePerYear = 0;
};

double YearsBetween(sys_days from, sys_days to) { return static_cast<double>((to - from).count()) / DaysPerYear; }

// Over the last TrendPoints points with a change; none below FewestTrendPoints or when they all
// share one day.
std::optional<Line> FitLine(const std::vector<TrendPoint>& points)
{
    std::vector<const TrendPoint*> used;
    for (auto point = points.rbegin(); point != points.rend() && used.size() < TrendPoints; ++point)
        if (point->changePercent)
            used.push_back(&*point);
    if (used.size() < FewestTrendPoints)
        return std::nullopt;
    const sys_days origin = used.back()->date;
    double meanX = 0;
    double meanY = 0;
    for (const TrendPoint* point : used) {
        meanX += YearsBetween(origin, point->date);
        meanY += *point->changePercent;
    }
    meanX /= static_cast<double>(used.size());
    meanY /= static_cast<double>(used.size());
    double sxx = 0;
    double sxy = 0;
    for (const TrendPoint* point : used) {
        const double dx = YearsBetween(origin, point->date) - meanX;
        sxx += dx * dx;
        sxy += dx * (*point->changePercent - meanY);
    }
    if (sxx <= 0)
        return std::nullopt;
    const double slope = sxy / sxx;
    return Line{origin, meanY - slope * meanX, slope};
}

std::optional<LimitForecast> Forecast(const TrendPoint& latest, const std::optional<Line>& line, double limit)
{
    if (*latest.changePercent >= limit - LimitTolerance)
        return LimitForecast{latest.date, true};
    if (!line || line->slopePerYear <= 0)
        return std::nullopt;
    const double years = (limit - line->intercept) / line->slopePerYear;
    if (years > YearsBetween(line->origin, latest.date) + static_cast<double>(FarthestForecast.count()))
        return std::nullopt;
    const sys_days crossing = line->origin + days(std::llround(years * DaysPerYear));
    return LimitForecast{std::max(crossing, latest.date), false};
}

BlockTrend TrendOf(int block, std::span<const InspectionRecord> inspections, const std::optional<Baseline>& baseline,
                   const ChangeLimits& limits)
{
    BlockTrend trend{block, {}, std::nullopt, std::nullopt, std::nullopt, std::nullopt};
    for (const InspectionRecord& inspection : inspections) {
        if (const std::optional<double> milliohm = MilliohmAt(inspection, BlockPlace(block))) {
            std::optional<double> change;
            if (baseline && baseline->milliohm > 0)
                change = (*milliohm / baseline->milliohm - 1) * 100;
            trend.points.push_back({inspection.id, inspection.date, *milliohm, change});
        }
    }
    const std::optional<Line> line = FitLine(trend.points);
    if (line) {
        trend.slopePercentPerYear = line->slopePerYear;
        trend.lineStart = LineStart{line->origin, line->intercept};
    }
    for (auto latest = trend.points.rbegin(); latest != trend.points.rend(); ++latest) {
        if (latest->changePercent) {
            trend.warn = Forecast(*latest, line, limits.warnPercent);
            trend.fail = Forecast(*latest, line, limits.failPercent);
            break;
        }
    }
    return trend;
}

std::string Counted(long count, const char* unit)
{
    return std::to_string(count) + " " + unit + (count == 1 ? "" : "s");
}

std::string WhenText(const LimitForecast& forecast, sys_days from)
{
    const ForecastDistance distance = DistanceOf(forecast, from);
    switch (distance.kind) {
    case ForecastDistance::Kind::Now: return "now";
    case ForecastDistance::Kind::ByNow: return "by now";
    case ForecastDistance::Kind::WithinAMonth: return "within a month";
    case ForecastDistance::Kind::Months: return "in about " + Counted(distance.count, "month");
    case ForecastDistance::Kind::Years: return "in about " + Counted(distance.count, "year");
    }
    return {};
}

} // namespace

std::optional<double> FittedChange(const BlockTrend& trend, sys_days date)
{
    if (!trend.slopePercentPerYear || !trend.lineStart)
        return std::nullopt;
    return trend.lineStart->percent + *trend.slopePercentPerYear * YearsBetween(trend.lineStart->date, date);
}

ForecastDistance DistanceOf(const LimitForecast& forecast, sys_days from)
{
    using enum ForecastDistance::Kind;
    if (forecast.now)
        return {Now};
    const auto ahead = static_cast<double>((forecast.date - from).count());
    if (ahead <= 0)
        return {ByNow};
    if (ahead < DaysPerMonth)
        return {WithinAMonth};
    if (ahead < 24 * DaysPerMonth)
        return {Months, std::lround(ahead / DaysPerMonth)};
    return {Years, std::lround(ahead / DaysPerYear)};
}

std::vector<BlockTrend> StringTrends(const StringLayout& layout, std::span<const InspectionRecord> inspections,
                                     std::span<const std::optional<Baseline>> baselines, const ChangeLimits& limits)
{
    std::vector<BlockTrend> trends;
    trends.reserve(static_cast<std::size_t>(std::max(layout.blocks, 0)));
    for (int block = 1; block <= layout.blocks; ++block) {
        const auto index = static_cast<std::size_t>(block - 1);
        trends.push_back(TrendOf(block, inspections, index < baselines.size() ? baselines[index] : std::nullopt, limits));
    }
    return trends;
}

std::string TrendText(const BlockTrend& trend, sys_days from)
{
    std::string text = PlaceText(BlockPlace(trend.block)) + ": ";
    if (trend.warn)
        text += "warn " + WhenText(*trend.warn, from) + ", ";
    if (trend.fail)
        return text + "fail " + WhenText(*trend.fail, from);
    if (!trend.slopePercentPerYear)
        return text + "too few inspections for a trend";
    if (*trend.slopePercentPerYear <= 0)
        return text + "not rising";
    return text + "fail not within " + Counted(FarthestForecast.count(), "year");
}

} // namespace voltaryn::strings
