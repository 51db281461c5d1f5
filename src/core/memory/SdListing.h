#pragma once

#include "common/EventPump.h"
#include "link/MeterLink.h"
#include "memory/SdCard.h"

#include <string>

namespace voltaryn {

// How a listing of the SD card's files ended.
enum class SdListingEnd {
    Completed,   // the files listed reached the summary's file count
    EmptyBlock,  // a block held no entries (an erased block reads so), which counts as the end
    Unreadable,  // a block's entry count was above 5, so its entries ran past the report; that
                 // block's entries are not listed, and the listing says it could not be read to its end
    NoReply,     // the meter stopped answering; the entries listed stand
};

// Whether the listing asks for one block more at its end.
enum class SdClosingBlock {
    AfterEntries,  // only when the last block held entries (the file listing's own)
    Always,        // whenever the files listed reached the count (the delete panel's fill)
};

// Receives what a listing finds, as it finds it.
class SdListingSink {
public:
    virtual ~SdListingSink() = default;
    virtual void Entry(const SdFileEntry& entry) = 0;
    // The progress text, "Loading=> 71.43 %", after each block.
    virtual void Progress(const std::string& caption) = 0;
};

// Lists the card's files block by block (1, 2, 3, ...), letting events run before each request,
// until the entries listed reach `fileCount` (the summary's), and hands each entry to `sink`.
// A block without entries counts as the rest of the files. Progress is the share of `fileCount`
// listed; with a count of 0 there is none to show. The caller keeps polling paused throughout.
SdListingEnd ListSdFiles(MeterLink& link, EventPump& pump, int fileCount, SdListingSink& sink,
                         SdClosingBlock closing = SdClosingBlock::AfterEntries);

} // namespace voltaryn
