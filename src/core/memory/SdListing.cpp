#include "memory/SdListing.h"

#include "memory/LoadingCaption.h"

namespace voltaryn {

SdListingEnd ListSdFiles(MeterLink& link, EventPump& pump, int fileCount, SdListingSink& sink,
                         SdClosingBlock closing)
{
    int block = 0;
    int listed = 0;
    bool lastHeldEntries = false;
    do {
        pump.LetEventsRun();
        const Answer<SdBlock> answer = RequestSdBlock(link, ++block);
        if (!answer.Fresh())
            return SdListingEnd::NoReply;
        if (!answer.value->Readable())
            return SdListingEnd::Unreadable;
        for (const SdFileEntry& entry : answer.value->entries)
            sink.Entry(entry);
        lastHeldEntries = answer.value->entryCount > 0;
        listed = lastHeldEntries ? listed + answer.value->entryCount : fileCount;
        if (fileCount > 0)
            sink.Progress(LoadingCaption(listed, fileCount));
    } while (listed < fileCount);

    // The meter is asked once more; the block it sends is not listed.
    if (lastHeldEntries || closing == SdClosingBlock::Always)
        RequestSdBlock(link, ++block);
    return lastHeldEntries ? SdListingEnd::Completed : SdListingEnd::EmptyBlock;
}

} // namespace voltaryn
