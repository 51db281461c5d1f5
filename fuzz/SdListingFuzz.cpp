// The SD card's summary and file listing as the program reads them: the summary's file count,
// then blocks until the count is listed, from a meter that answers with the input's scripted
// replies. The input's first byte picks the closing block.
#include "FuzzInput.h"
#include "FuzzTarget.h"
#include "ScriptedMeter.h"

#include "memory/SdListing.h"

namespace {

using namespace voltaryn;

struct CountingSink : SdListingSink {
    void Entry(const SdFileEntry& entry) override
    {
        fuzz::Expect(entry.number >= 0 && entry.number <= 255, "a file number is one byte");
        fuzz::Expect(entry.dateTime.size() >= 17, "a date and time has two digits a field");
        ++entries;
    }
    void Progress(const std::string&) override {}
    int entries = 0;
};

} // namespace

VOLTARYN_FUZZ_TARGET(SdListing)
{
    const SdBlock block = DecodeSdBlock({data, size});
    fuzz::Expect(block.entries.size() <= protocol::SdBlockEntries, "a block holds at most five entries");
    fuzz::Expect(!block.erased || block.entries.empty(), "an erased block holds no entries");

    fuzz::FuzzInput input(data, size);
    const auto closing = input.Byte() % 2 != 0 ? SdClosingBlock::Always : SdClosingBlock::AfterEntries;
    fuzz::ScriptedMeter meter(input);
    fuzz::NoEvents pump;
    const Answer<SdCardSummary> summary = RequestSdSummary(meter.link);
    if (!summary.Fresh())
        return 0;
    CountingSink sink;
    const SdListingEnd end = ListSdFiles(meter.link, pump, summary.value->fileCount, sink, closing);
    if (end == SdListingEnd::Completed)
        fuzz::Expect(sink.entries >= summary.value->fileCount, "a completed listing lists the count");
    return 0;
}
