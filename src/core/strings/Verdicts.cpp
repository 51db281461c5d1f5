#include "strings/Verdicts.h"

#include <algorithm>
#include <cstdio>

namespace voltaryn::strings {
namespace {

std::optional<double> Mean(const std::vector<std::optional<Reading>>& readings)
{
    double sum = 0;
    int count = 0;
    for (const std::optional<Reading>& reading : readings) {
        if (reading && reading->milliohm) {
            sum += *reading->milliohm;
            ++count;
        }
    }
    if (count == 0 || sum <= 0)
        return std::nullopt;
    return sum / count;
}

std::optional<double> Coolest(const std::vector<std::optional<Reading>>& blocks)
{
    std::optional<double> coolest;
    for (const std::optional<Reading>& reading : blocks)
        if (reading && reading->celsius && (!coolest || *reading->celsius < *coolest))
            coolest = reading->celsius;
    return coolest;
}

std::optional<double> ChangePercent(std::optional<double> milliohm, std::optional<double> reference)
{
    if (!milliohm || !reference || *reference <= 0)
        return std::nullopt;
    return (*milliohm / *reference - 1) * 100;
}

Verdict ByLimits(double change, const ChangeLimits& limits)
{
    if (change >= limits.failPercent - LimitTolerance)
        return Verdict::Fail;
    return change >= limits.warnPercent - LimitTolerance ? Verdict::Warn : Verdict::Pass;
}

Verdict FailsAbove(double figure, double limit) { return figure > limit + LimitTolerance ? Verdict::Fail : Verdict::Pass; }

// What one inspection's readings are held against.
struct Judging {
    const StringLayout& layout;
    const InspectionRecord& inspection;
    std::optional<double> blockMean;
    std::optional<double> strapMean;
    std::optional<double> coolest;
};

// One reading with its reference (a block's baseline, a strap's first reading from an earlier
// inspection). Each rule returns nullopt for a kind of place it does not judge.
struct Judged {
    Place place;
    const Reading& reading;
    std::optional<double> reference;
};

PolicyResult Result(FigureKind kind, std::optional<double> figure, Verdict verdict)
{
    return {{}, figure ? verdict : Verdict::None, kind, figure, std::nullopt, std::nullopt, std::nullopt};
}

std::optional<PolicyResult> Apply(const BaselineRule& rule, const Judged& judged, const Judging&)
{
    if (judged.place.kind != PlaceKind::Block)
        return std::nullopt;
    const std::optional<double> change = ChangePercent(judged.reading.milliohm, judged.reference);
    return Result(FigureKind::ChangeVsBaseline, change, change ? ByLimits(*change, rule.limits) : Verdict::None);
}

std::optional<PolicyResult> Apply(const StringAverageRule& rule, const Judged& judged, const Judging& judging)
{
    if (judged.place.kind != PlaceKind::Block)
        return std::nullopt;
    const std::optional<double> change = ChangePercent(judged.reading.milliohm, judging.blockMean);
    return Result(FigureKind::ChangeVsStringAverage, change, change ? ByLimits(*change, rule.limits) : Verdict::None);
}

std::optional<PolicyResult> Apply(const FloatVoltageRule& rule, const Judged& judged, const Judging& judging)
{
    if (judged.place.kind != PlaceKind::Block)
        return std::nullopt;
    if (!judged.reading.volts)
        return Result(FigureKind::VoltsPerCell, std::nullopt, Verdict::None);
    const double perCell = *judged.reading.volts / judging.layout.cellsPerBlock;
    const std::optional<double> celsius =
        judged.reading.celsius ? judged.reading.celsius : judging.inspection.ambientCelsius;
    const double shift = celsius ? rule.mvPerCelsiusPerCell / 1000 * (*celsius - FloatReferenceCelsius) : 0;
    const FloatBand& band = rule.BandOf(judging.layout.chemistry);
    const FloatBand moved{band.low + shift, band.high + shift};
    const double outside = std::max(moved.low - perCell, perCell - moved.high);
    const Verdict verdict = outside <= LimitTolerance                               ? Verdict::Pass
                            : outside <= rule.failMarginVolts + LimitTolerance ? Verdict::Warn
                                                                           : Verdict::Fail;
    PolicyResult result = Result(FigureKind::VoltsPerCell, perCell, verdict);
    result.band = moved;
    result.celsius = celsius;
    return result;
}

std::optional<PolicyResult> Apply(const StrapRule& rule, const Judged& judged, const Judging& judging)
{
    if (judged.place.kind != PlaceKind::Strap)
        return std::nullopt;
    const std::optional<double> milliohm = judged.reading.milliohm;
    if (judged.reference) {
        const std::optional<double> change = ChangePercent(milliohm, judged.reference);
        return Result(FigureKind::ChangeVsFirstReading, change, change ? FailsAbove(*change, rule.laterPercent) : Verdict::None);
    }
    const std::optional<double> change = ChangePercent(milliohm, judging.strapMean);
    if (!change)
        return Result(FigureKind::ChangeVsStrapMean, std::nullopt, Verdict::None);
    // The floor in µΩ above the mean, as a per cent of it.
    const double limit = std::max(rule.installPercent, rule.installMicroohm / 1000 / *judging.strapMean * 100);
    PolicyResult result = Result(FigureKind::ChangeVsStrapMean, change, FailsAbove(*change, limit));
    result.limit = limit;
    return result;
}

std::optional<PolicyResult> Apply(const TemperatureRule& rule, const Judged& judged, const Judging& judging)
{
    if (judged.place.kind != PlaceKind::Block)
        return std::nullopt;
    std::optional<double> above;
    if (judged.reading.celsius && judging.coolest)
        above = *judged.reading.celsius - *judging.coolest;
    return Result(FigureKind::AboveCoolest, above, above ? FailsAbove(*above, rule.aboveCoolestCelsius) : Verdict::None);
}

ReadingVerdict JudgeReading(const PolicySet& set, const Judged& judged, const Judging& judging)
{
    ReadingVerdict verdict{judged.place, Verdict::None, judged.reference,
                           ChangePercent(judged.reading.milliohm, judged.reference), {}};
    verdict.results.reserve(set.policies.size());
    for (const Policy& policy : set.policies) {
        std::optional<PolicyResult> result = std::visit([&](const auto& rule) { return Apply(rule, judged, judging); }, policy.rule);
        if (!result)
            continue;
        result->policy = policy.name;
        verdict.verdict = std::max(verdict.verdict, result->verdict);
        verdict.results.push_back(std::move(*result));
    }
    return verdict;
}

std::string Formatted(const char* format, double a, double b = 0, double c = 0)
{
    char text[96];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

std::string NotJudgedText(FigureKind kind)
{
    switch (kind) {
    case FigureKind::ChangeVsBaseline: return "no baseline";
    case FigureKind::ChangeVsStringAverage: return "no string average";
    case FigureKind::VoltsPerCell: return "no voltage";
    case FigureKind::ChangeVsStrapMean: return "no strap mean";
    case FigureKind::ChangeVsFirstReading: return "no first reading";
    case FigureKind::AboveCoolest: return "no temperature";
    }
    return "not judged";
}

void Count(InspectionSummary& summary, const ReadingVerdict& verdict)
{
    ++(verdict.place.kind == PlaceKind::Block ? summary.blocks : summary.straps);
    summary.warn += verdict.verdict == Verdict::Warn ? 1 : 0;
    summary.fail += verdict.verdict == Verdict::Fail ? 1 : 0;
}

} // namespace

std::string_view VerdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::None: return "none";
    case Verdict::Pass: return "pass";
    case Verdict::Warn: return "warn";
    case Verdict::Fail: return "fail";
    }
    return {};
}

const PolicyResult* PolicyResultOf(const ReadingVerdict& verdict, std::string_view policy)
{
    const auto found = std::ranges::find(verdict.results, policy, &PolicyResult::policy);
    return found == verdict.results.end() ? nullptr : &*found;
}

std::string PolicyResultText(const PolicyResult& result)
{
    if (!result.figure)
        return NotJudgedText(result.kind);
    const double figure = *result.figure;
    switch (result.kind) {
    case FigureKind::ChangeVsBaseline: return Formatted("%+.1f %% vs baseline", figure);
    case FigureKind::ChangeVsStringAverage: return Formatted("%+.1f %% vs string average", figure);
    case FigureKind::VoltsPerCell: {
        const FloatBand band = result.band.value_or(FloatBand{});
        return Formatted("%.3f V/cell, float %.3f–%.3f V", figure, band.low, band.high) +
               (result.celsius ? Formatted(" at %.1f °C", *result.celsius) : " at 25 °C");
    }
    case FigureKind::ChangeVsStrapMean:
        return Formatted("%+.1f %% vs strap mean, fails above %+.1f %%", figure, result.limit.value_or(0));
    case FigureKind::ChangeVsFirstReading: return Formatted("%+.1f %% vs first reading", figure);
    case FigureKind::AboveCoolest: return Formatted("%+.1f °C vs coolest block", figure);
    }
    return {};
}

InspectionVerdicts JudgeInspection(const StringLayout& layout, const PolicySet& set, const InspectionRecord& inspection,
                                   std::span<const std::optional<Baseline>> baselines,
                                   std::span<const std::optional<FirstReading>> strapFirsts)
{
    const Judging judging{layout, inspection, Mean(inspection.blocks), Mean(inspection.straps), Coolest(inspection.blocks)};
    InspectionVerdicts verdicts;
    verdicts.readings.reserve(inspection.blocks.size() + inspection.straps.size());
    const auto judge = [&](Place place, std::optional<double> reference) {
        if (const Reading* reading = ReadingAt(inspection, place)) {
            verdicts.readings.push_back(JudgeReading(set, {place, *reading, reference}, judging));
            Count(verdicts.summary, verdicts.readings.back());
        }
    };
    for (int number = 1; number <= layout.blocks; ++number) {
        const auto index = static_cast<std::size_t>(number - 1);
        std::optional<double> baseline;
        if (index < baselines.size() && baselines[index])
            baseline = baselines[index]->milliohm;
        judge(BlockPlace(number), baseline);
        std::optional<double> first;
        if (index < strapFirsts.size() && strapFirsts[index] && strapFirsts[index]->inspection != inspection.id)
            first = strapFirsts[index]->milliohm;
        if (layout.straps && number < layout.blocks)
            judge(StrapPlace(number), first);
    }
    return verdicts;
}

std::string SummaryText(const InspectionSummary& summary)
{
    return std::to_string(summary.blocks) + (summary.blocks == 1 ? " block, " : " blocks, ") + std::to_string(summary.straps) +
           (summary.straps == 1 ? " strap: " : " straps: ") + std::to_string(summary.warn) + " warn, " +
           std::to_string(summary.fail) + " fail";
}

} // namespace voltaryn::strings
