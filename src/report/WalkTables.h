#pragma once

// The inspection report's summary and its table of every place.
#include "report/ReportPage.h"
#include "report/WalkReport.h"

namespace voltaryn::report {

// The inspection's reading of each place, as the core judged it: the latest, none when the place
// was not read or is marked missing.
const strings::InspectionRecord& RecordOf(const WalkReport& report, qint64 inspection);

// Blocks and straps by verdict, the five blocks changed most, the straps that fail, and the
// spread of the blocks' voltages and temperatures.
void WriteSummary(ReportPage& page, const WalkReport& report);
// Every place in walk order with its figures, its change and each policy's verdict; with an
// inspection compared, its resistance and the difference.
void WriteReadings(ReportPage& page, const WalkReport& report);

} // namespace voltaryn::report
