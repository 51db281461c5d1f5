#include "memory/SdListing.h"

#include "memory/LoadingCaption.h"

namespace voltaryn {

SdListingResult ListSdFiles(MeterLink& link, EventPump& pump, int fileCount, SdListingSink& sink,
                            SdClosingBlock closing)
{
    SdListingResult result;
    int listed = 0;
    bool lastHeldEntries = false;
    do {
        pump.LetEventsRun();
        const Answer<SdBlock> answer = RequestSdBlock(link, ++result.blocksRequested);
        if (!answer.Fresh())
            return result;
        const SdBlock& block = *answer.value;
        if (!block.Readable()) {
            result.end = SdListingEnd::Unreadable;
            return result;
        }
        for (const SdFileEntry& entry : block.entries)
            sink.Entry(entry);
        result.entriesListed += block.entryCount;
        lastHeldEntries = block.entryCount > 0;
        listed = lastHeldEntries ? listed + block.entryCount : fileCount;
        if (fileCount > 0)
            sink.Progress(LoadingCaption(listed, fileCount));
    } while (listed < fileCount);

    result.end = lastHeldEntries ? SdListingEnd::Completed : SdListingEnd::EmptyBlock;
    // The meter is asked once more; the block it sends is not listed.
    if (lastHeldEntries || closing == SdClosingBlock::Always)
        RequestSdBlock(link, ++result.blocksRequested);
    return result;
}

} // namespace voltaryn
