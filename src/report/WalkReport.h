#pragma once

// The report of one inspection of a battery string, as PDF.
#include "store/StringJudging.h"

#include <QDateTime>

#include <optional>
#include <vector>

namespace voltaryn::store {
class CellStore;
}

namespace voltaryn::report {

// An inspection of the string with its verdicts.
struct JudgedInspection {
    store::InspectionInfo info;
    strings::InspectionVerdicts verdicts;
};

// What an inspection report shows, as read from the database.
struct WalkReport {
    store::JudgedString judged;
    JudgedInspection inspection;
    std::optional<JudgedInspection> against;  // another inspection of the string, compared with
    std::vector<strings::BlockTrend> trends;  // as they stood at the inspection
};

// Reads inspection `inspection`, and `against` beside it; throws a StoreError (NotFound when there
// is no such inspection, or `against` is not one of the same string).
WalkReport LoadWalkReport(store::CellStore& store, qint64 inspection, std::optional<qint64> against = std::nullopt);

// Writes the report as PDF, in the user's language: the string, the inspection and the policies
// that judged it; a summary, the string's chart, a table of every block and strap (beside the
// compared inspection's), and the trend of each block that warns or fails with its forecast.
// Each page numbered, the first dated `producedUtc`. Throws a ReportError when the file cannot be
// written.
void WriteWalkReport(const WalkReport& report, const QString& file, const QDateTime& producedUtc);

} // namespace voltaryn::report
