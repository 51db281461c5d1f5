#pragma once

#include "common/EventPump.h"
#include "link/MeterLink.h"
#include "memory/NonsenseReplies.h"
#include "memory/SdFileAssembler.h"

#include <string>

namespace voltaryn {

enum class SdDownloadEnd {
    Completed,  // the file's size was counted in full
    NoReply,    // the meter stopped answering; the rows delivered stand
    Nonsense,   // a chunk does not continue the file (NonsenseReplies::Refused); the rows before it stand
    Stopped,    // the user stopped it (EventPump::StopRequested); the rows delivered stand
};

struct SdDownloadResult {
    SdDownloadEnd end = SdDownloadEnd::Completed;
    std::string problem;  // Nonsense: where the file went wrong, and how
};

// Downloads SD card file `fileNumber` of `records` records (as its listing gave them): asks for
// its first chunk, then for the next one until the file's size is counted, and then once more.
// After each chunk its lines go to `sink`, pending events run and the progress text follows.
// The caller keeps polling paused throughout. A stop the user asks for while the events run skips
// the remaining chunks; the closing request still goes out, so the meter ends the transfer.
// With NonsenseReplies::Refused each chunk is checked as it arrives (SdFileAssembler).
SdDownloadResult DownloadSdFile(MeterLink& link, EventPump& pump, int fileNumber, int records, SdDownloadSink& sink,
                                NonsenseReplies nonsense);
inline SdDownloadEnd DownloadSdFile(MeterLink& link, EventPump& pump, int fileNumber, int records,
                                    SdDownloadSink& sink)
{
    return DownloadSdFile(link, pump, fileNumber, records, sink, NonsenseReplies::Shown).end;
}

} // namespace voltaryn
