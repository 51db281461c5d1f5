#pragma once

#include "strings/Baselines.h"
#include "strings/WalkRecord.h"
#include "strings/Policies.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace voltaryn::strings {

// In order of worsening: a reading's verdict is the worst of its policies'. None: the policy could
// not judge (no baseline, no temperature).
enum class Verdict { None, Pass, Warn, Fail };

// "none", "pass", "warn", "fail".
std::string_view VerdictName(Verdict verdict);

// What a policy's figure measures.
enum class FigureKind {
    ChangeVsBaseline,       // %
    ChangeVsStringAverage,  // %
    VoltsPerCell,           // V, against `band`
    ChangeVsStrapMean,      // %, against `limit`
    ChangeVsFirstReading,   // %
    AboveCoolest,           // °C
};

struct PolicyResult {
    std::string policy;  // its name
    Verdict verdict = Verdict::None;
    FigureKind kind = FigureKind::ChangeVsBaseline;
    std::optional<double> figure;   // none when the policy could not judge
    std::optional<FloatBand> band;  // VoltsPerCell: the band at the temperature below
    std::optional<double> celsius;  // VoltsPerCell: the temperature the band was moved to; none: 25 °C
    std::optional<double> limit;    // ChangeVsStrapMean: the fail line in %, 5 µΩ above the mean at least

    bool operator==(const PolicyResult&) const = default;
};

// The figure in English: "+34.2 % vs baseline", "2.263 V/cell, float 2.200–2.270 V at 35.0 °C",
// "no baseline".
std::string PolicyResultText(const PolicyResult& result);

struct ReadingVerdict {
    Place place;
    Verdict verdict = Verdict::None;
    // A block's baseline, a strap's first reading (from an earlier inspection), and the change
    // against it in %.
    std::optional<double> referenceMilliohm;
    std::optional<double> changePercent;
    std::vector<PolicyResult> results;  // the policies that judge the place's kind, in the set's order
};

// The result of the policy named `policy` among the verdict's; none when it does not judge the place.
const PolicyResult* PolicyResultOf(const ReadingVerdict& verdict, std::string_view policy);

struct InspectionSummary {
    int blocks = 0;  // read
    int straps = 0;
    int warn = 0;    // readings whose verdict is warn
    int fail = 0;

    bool operator==(const InspectionSummary&) const = default;
};

struct InspectionVerdicts {
    std::vector<ReadingVerdict> readings;  // in walk order
    InspectionSummary summary;
};

// Judges every reading of `inspection` by a set PolicySetProblem accepts. `baselines` are the
// string's (BlockBaselines) and `strapFirsts` its straps' first readings (StrapFirstReadings): a
// strap whose first reading is in this inspection is judged against this inspection's straps.
// Blocks without a reading are not judged and do not enter the string average.
InspectionVerdicts JudgeInspection(const StringLayout& layout, const PolicySet& set, const InspectionRecord& inspection,
                                   std::span<const std::optional<Baseline>> baselines,
                                   std::span<const std::optional<FirstReading>> strapFirsts);

// "4 blocks, 3 straps: 1 warn, 2 fail".
std::string SummaryText(const InspectionSummary& summary);

} // namespace voltaryn::strings
