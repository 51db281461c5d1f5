#pragma once

#include "common/EventPump.h"
#include "files/RecordTable.h"
#include "link/MeterCommands.h"
#include "link/MeterLink.h"
#include "memory/NonsenseReplies.h"
#include "meter/MeterReading.h"

#include <functional>

namespace voltaryn {

// The manual list's column titles: the units are in the cells, "(m)" marks the titles of the
// columns whose unit may carry the milli prefix.
RecordRow ManualListTitles();

// Whether the meter's memory may be read now: the meter records neither on its own (AM) nor at
// intervals (INTV), the modes in which memory and SD card transfers are refused.
inline bool MemoryReadable(const MeterReading& reading) { return !reading.AutoMemoryOn && !reading.IntervalOn; }

// How a download of the meter's manual records ended.
enum class ManualDownloadEnd {
    Completed,  // every record arrived
    NoRecords,  // the meter holds none: the caller reports "No Data !!!"
    NoReply,    // the meter stopped answering (unplugged or silent); the rows delivered stand
    BadCount,   // the count reply cannot be a record count (above 32767)
    Nonsense,   // a record reply failed its check (NonsenseReplies::Refused); the rows before it stand
    Stopped,    // the user stopped it (EventPump::StopRequested); the rows delivered stand
};

struct ManualDownloadResult {
    ManualDownloadEnd end = ManualDownloadEnd::NoReply;
    int recordCount = 0;  // the meter's record count; 0 when it could not be read
    int rowsDelivered = 0;
    std::string problem;  // Nonsense: which record, and what was wrong with it
};

// Receives one record's list row (its number, then the eight record texts) with its number and
// the record count, from which the caller shows LoadingCaption(number, count).
using ManualRowSink = std::function<void(const RecordRow& row, int number, int count)>;

// Reads the record count, then requests records 1..count one at a time, hands each decoded row to
// `sink` and lets pending events run after it. A request that gets no reply ends the download at
// once: the link has then forgotten the meter, and each further request would only search again
// (or wait for a reply that does not come). With NonsenseReplies::Refused, a record reply that is
// no record (ManualRecordProblem) ends the download before its row. A stop the user asks for
// while the events run ends it after that record.
ManualDownloadResult DownloadManualRecords(MeterLink& link, MeterCommands& commands, EventPump& pump,
                                           const ManualRowSink& sink,
                                           NonsenseReplies nonsense = NonsenseReplies::Shown);

} // namespace voltaryn
