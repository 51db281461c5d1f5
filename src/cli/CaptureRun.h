#pragma once

#include "cli/Commands.h"
#include "cells/CaptureEngine.h"
#include "store/CellStore.h"

#include <QDateTime>

#include <functional>
#include <string>

// What sort and recheck share: the station's names, the run that feeds the meter's readings to the
// capture engine, and the end of the run that waits for the queue.
namespace voltaryn::cli {

// The station and operator given, or when left out the host and login names, checked as given
// ones are before anything is stored.
void FillStationAndOperator(std::string& station, std::string& operatorName);

// What a run's closing line calls its work: "sorted 20 cells in 68 s".
struct RunWords {
    const char* verb;
    const char* one = "cell";
    const char* many = "cells";
    const char* again = "place the cell again";  // after a capture that did not settle
};

// Takes a settled capture with the scanned ID waiting for it (empty: none); false when it was
// refused and does not count.
using TakeCapture = std::function<bool(const cells::CellCapture& capture, const std::string& id)>;

// Reads the display on the panel's poll and feeds each to the capture engine until `count`
// captures were taken (0: until stopped) or `finished` says so, telling lifted cells and unstable
// contacts and sending the queue as its tries fall due. `words` name the work in the closing line:
// "sorted 20 cells in 68 s: 1059 cells an hour". Then waits up to `drainTimeout` seconds for the
// queue to empty.
void RunCaptures(CommandContext& context, store::CellStore& store, bool ids, long long count, int drainTimeout,
                 const RunWords& words, const TakeCapture& take, const std::function<bool()>& finished = {});

// The run clock's now, as a capture is stamped.
QDateTime NowUtc(const RunClock& clock);

// The store's trouble, while there is any, as the window's tile says it: "  offline — 3 queued".
std::string StoreTrouble(const store::CellStore& store);

} // namespace voltaryn::cli
