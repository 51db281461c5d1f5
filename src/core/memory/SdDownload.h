#pragma once

#include "common/EventPump.h"
#include "link/MeterLink.h"
#include "memory/SdFileAssembler.h"

namespace voltaryn {

enum class SdDownloadEnd {
    Completed,  // the file's size was counted in full
    NoReply,    // the meter stopped answering; the rows delivered stand
};

// Downloads SD card file `fileNumber` of `records` records (as its listing gave them): asks for
// its first chunk, then for the next one until the file's size is counted, and then once more.
// After each chunk its lines go to `sink`, pending events run and the progress text follows.
// The caller keeps polling paused throughout.
SdDownloadEnd DownloadSdFile(MeterLink& link, EventPump& pump, int fileNumber, int records, SdDownloadSink& sink);

} // namespace voltaryn
