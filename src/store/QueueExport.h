#pragma once

// The station's offline queue as every surface lists and writes it out.
#include "store/BatchCells.h"

namespace voltaryn::store {

// batch, label, time (ISO 8601 UTC), station, grade, kind (sort or recheck), state (waiting, or
// set aside when the server refused it for good), reason; with
// `everything`, also operator, voltage_v, resistance_mohm, range, temperature_c and uuid, so that
// a file of them can stand in for the queue.
std::vector<CellField> QueuedFieldsOf(const QueuedCapture& queued, bool everything);

// The queue with everything of each capture, as the machine CSV or as JSON lines (see CellsExport).
std::string QueueExport(const std::vector<QueuedCapture>& queue, bool json);

} // namespace voltaryn::store
