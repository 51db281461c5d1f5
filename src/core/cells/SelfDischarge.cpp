#include "cells/SelfDischarge.h"

#include <cmath>

namespace voltaryn::cells {
namespace {

constexpr int LongestRestDays = 90;

// The lot's line lies three standard deviations below its median, the deviation estimated from
// the MAD (1.4826 MAD is σ for normally spread rates). Median and MAD ignore the suspects
// themselves, as a mean and σ would not: a tenth of leaking cells barely moves them.
//
// Below three judged cells there is no lot to compare with. A MAD of 0 means more than half the
// lot shows exactly one rate, typically no change at all at the meter's resolution: there is no
// spread to measure a cell's distance in, and a line at the median would make a suspect of every
// cell a digit below it. In both cases only the absolute limit judges.
constexpr std::size_t FewestForLotLine = 3;
constexpr double MadToSigma = 1.4826;
constexpr double SigmasBelowMedian = 3;

SelfDischargeResult Measure(const CellRecheck& cell, const SelfDischargeRules& rules)
{
    SelfDischargeResult result;
    if (cell.reference)
        result.referenceTemperature = cell.reference->temperature;
    if (cell.recheck)
        result.recheckTemperature = cell.recheck->temperature;
    if (result.referenceTemperature && result.recheckTemperature)
        result.temperatureChange = *result.recheckTemperature - *result.referenceTemperature;
    if (!cell.reference || !cell.recheck)
        return result;
    const double days = std::chrono::duration<double, std::chrono::days::period>(cell.recheck->at - cell.reference->at).count();
    result.days = days;
    result.voltageChange = cell.recheck->voltage - cell.reference->voltage;
    if (days > 0)
        result.mvPerDay = *result.voltageChange * 1000 / days;
    // A recheck at or before its reference has not rested at all. The rest is counted to the hour:
    // a tray rechecked "14 days later" a few minutes short of the sorting's clock has rested 14 days.
    constexpr double Hour = 1.0 / 24;
    result.verdict = result.mvPerDay && days + Hour >= rules.minimumRestDays ? SelfDischargeVerdict::Ok
                                                                             : SelfDischargeVerdict::Early;
    return result;
}

} // namespace

std::string_view SelfDischargeVerdictName(SelfDischargeVerdict verdict)
{
    switch (verdict) {
    case SelfDischargeVerdict::None:
        return "none";
    case SelfDischargeVerdict::Ok:
        return "ok";
    case SelfDischargeVerdict::Suspect:
        return "suspect";
    case SelfDischargeVerdict::Early:
        return "early";
    }
    return {};
}

std::string SelfDischargeRulesProblem(const SelfDischargeRules& rules)
{
    if (rules.minimumRestDays < 1 || rules.minimumRestDays > LongestRestDays)
        return "the minimum rest must be 1 to " + std::to_string(LongestRestDays) + " days, not " +
               std::to_string(rules.minimumRestDays);
    if (!std::isfinite(rules.absoluteLimitMvPerDay) || rules.absoluteLimitMvPerDay >= 0)
        return "the absolute limit must be a loss, a number of mV/day below 0";
    return {};
}

SelfDischargeLot JudgeSelfDischarge(std::span<const CellRecheck> cells, const SelfDischargeRules& rules)
{
    SelfDischargeLot lot;
    lot.cells.reserve(cells.size());
    std::vector<double> rates;
    rates.reserve(cells.size());
    for (const CellRecheck& cell : cells) {
        const SelfDischargeResult& result = lot.cells.emplace_back(Measure(cell, rules));
        if (result.verdict == SelfDischargeVerdict::Early)
            ++lot.early;
        else if (result.verdict == SelfDischargeVerdict::Ok)
            rates.push_back(*result.mvPerDay);
    }
    lot.judged = rates.size();
    lot.mvPerDay = ComputeSpread(rates);
    if (lot.mvPerDay) {
        const double median = lot.mvPerDay->median;
        for (double& rate : rates)
            rate = std::abs(rate - median);
        lot.medianMvPerDay = median;
        lot.madMvPerDay = Median(std::move(rates));
        if (lot.judged >= FewestForLotLine && *lot.madMvPerDay > 0)
            lot.lotLimitMvPerDay = median - SigmasBelowMedian * MadToSigma * *lot.madMvPerDay;
    }
    for (SelfDischargeResult& result : lot.cells) {
        if (result.verdict == SelfDischargeVerdict::Ok &&
            (*result.mvPerDay < rules.absoluteLimitMvPerDay || (lot.lotLimitMvPerDay && *result.mvPerDay < *lot.lotLimitMvPerDay))) {
            result.verdict = SelfDischargeVerdict::Suspect;
            ++lot.suspects;
        }
    }
    return lot;
}

SelfDischargeChart SelfDischargeChartOf(const SelfDischargeLot& lot, const SelfDischargeRules& rules)
{
    SelfDischargeChart chart;
    for (const SelfDischargeResult& cell : lot.cells)
        if (cell.verdict == SelfDischargeVerdict::Ok || cell.verdict == SelfDischargeVerdict::Suspect)
            chart.mvPerDay.push_back(*cell.mvPerDay);
    chart.lines.push_back({rules.absoluteLimitMvPerDay, "#c62828"});
    if (lot.lotLimitMvPerDay)
        chart.lines.push_back({*lot.lotLimitMvPerDay, "#ef6c00"});
    return chart;
}

} // namespace voltaryn::cells
