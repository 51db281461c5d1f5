#pragma once

#include "cells/BatchStatistics.h"
#include "cells/Histogram.h"

#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace voltaryn::cells {

// Self-discharge screening: a lot's open-circuit voltages measured again after weeks of rest. A
// cell that loses voltage much faster than its lot, or faster than an absolute rate, leaks and
// would drain its parallel group in a pack months later.

struct VoltageReading {
    double voltage = 0;  // V
    std::chrono::system_clock::time_point at;
    std::optional<double> temperature;  // °C
};

// One cell's two readings: the reference (its first capture, or one taken after a charge; the
// caller chooses) and the latest recheck.
struct CellRecheck {
    std::optional<VoltageReading> reference;
    std::optional<VoltageReading> recheck;
};

enum class SelfDischargeVerdict {
    None,     // no reference or no recheck
    Ok,
    Suspect,  // loses voltage faster than the absolute limit or the lot's line
    Early,    // rechecked before the minimum rest: not judged
};

// "none", "ok", "suspect", "early".
std::string_view SelfDischargeVerdictName(SelfDischargeVerdict verdict);

// A lot's settings.
struct SelfDischargeRules {
    double absoluteLimitMvPerDay = -8.0;  // a cell losing faster (more negative) is a suspect
    int minimumRestDays = 14;             // 1..90

    bool operator==(const SelfDischargeRules&) const = default;
};

// Why `rules` cannot judge a lot; empty when they can.
std::string SelfDischargeRulesProblem(const SelfDischargeRules& rules);

struct SelfDischargeResult {
    SelfDischargeVerdict verdict = SelfDischargeVerdict::None;
    // From the reference to the recheck, when the cell has both.
    std::optional<double> days;
    std::optional<double> voltageChange;  // V, recheck less reference
    std::optional<double> mvPerDay;       // absent as well when the recheck is not after the reference
    std::optional<double> referenceTemperature;  // °C
    std::optional<double> recheckTemperature;
    std::optional<double> temperatureChange;  // recheck less reference, when both are known
};

// The figures of a lot are over its judged cells (ok or suspect): early cells do not count.
struct SelfDischargeLot {
    std::vector<SelfDischargeResult> cells;  // in input order
    std::size_t judged = 0;
    std::size_t early = 0;
    std::size_t suspects = 0;
    std::optional<double> medianMvPerDay;
    std::optional<double> madMvPerDay;  // median absolute deviation from the median
    // median - 3 x 1.4826 x MAD; absent below three judged cells or with a MAD of 0, when only
    // the absolute limit judges.
    std::optional<double> lotLimitMvPerDay;
    std::optional<Spread> mvPerDay;
};

// Judges every cell of a lot under rules SelfDischargeRulesProblem accepts. A cell rechecked
// fewer than minimumRestDays after its reference (the same moment or before it included) is
// early; a judged cell is a suspect when its mV/day lies below the absolute limit or below the
// lot's line.
SelfDischargeLot JudgeSelfDischarge(std::span<const CellRecheck> cells, const SelfDischargeRules& rules);

// What a histogram of a lot's self-discharge shows: the judged cells' mV/day, in input order, with
// the absolute limit (red) and, when the lot has one, its line (orange).
struct SelfDischargeChart {
    std::vector<double> mvPerDay;
    std::vector<HistogramLine> lines;
};

SelfDischargeChart SelfDischargeChartOf(const SelfDischargeLot& lot, const SelfDischargeRules& rules);

} // namespace voltaryn::cells
