#pragma once

// The rules that join a battery string in the store to the core's judging, written once for the
// command line, the window and the report.
#include "store/StringTypes.h"
#include "strings/Baselines.h"
#include "strings/WalkRecord.h"
#include "strings/Policies.h"
#include "strings/Trend.h"
#include "strings/Verdicts.h"

#include <chrono>
#include <vector>

namespace voltaryn::store {

class CellStore;

// The local day of a moment, as inspections and installations are dated.
std::chrono::sys_days InspectionDay(const QDateTime& utc);
strings::StringLayout LayoutOf(const StringInfo& string);
// The string's policies: its own, else the built-in ones; a set the core refuses is
// StoreError(Failed), naming the string.
strings::PolicySet PoliciesOf(const StringInfo& string);

// An inspection of the string with no place read yet.
strings::InspectionRecord EmptyRecord(const StringInfo& string, const QDateTime& startedUtc, std::optional<double> ambientC);
// The string's inspections as the core reads them, the earliest first: each place's latest
// reading, a block marked missing none. Dates are the local days the inspections began.
std::vector<strings::InspectionRecord> InspectionRecordsOf(const StringHistory& history);
// The baselines chosen in the store as the core takes them.
strings::BaselineChoice BaselineChoiceOf(const std::vector<BaselineChoice>& choices);

// A string with everything its readings are judged by, read from the store at once.
struct JudgedString {
    StringInfo string;
    strings::StringLayout layout;
    strings::PolicySet policies;
    std::vector<InspectionInfo> inspections;  // the earliest first
    std::vector<StringReading> readings;      // retests too
    QDateTime rememberedUtc;                  // as StringHistory's
    std::vector<strings::InspectionRecord> records;  // the same inspections
    strings::BaselineChoice choice;
    std::vector<std::optional<strings::Baseline>> baselines;
    std::vector<std::optional<strings::FirstReading>> strapFirsts;

    // Finds the baselines and straps' first readings again, after `records` changed.
    void Rebase();
    // Judges `record` (one of `records`).
    strings::InspectionVerdicts Judge(const strings::InspectionRecord& record) const;

    // The verdicts of the inspection with the store's id `inspection`; none when the string has
    // no such inspection.
    std::optional<strings::InspectionVerdicts> Verdicts(qint64 inspection) const;
    // Every block's trend over the inspections up to the one with the store's id `through` (all of
    // them without it, or when the string has no such inspection).
    std::vector<strings::BlockTrend> Trends(std::optional<qint64> through = std::nullopt) const;
};
// The string as CellStore::StringHistoryOf() gives it; StoreError(NotFound) for a string the site
// does not hold.
JudgedString ReadJudgedString(CellStore& store, const QString& site, const QString& string);

} // namespace voltaryn::store
