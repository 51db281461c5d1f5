#include "memory/SdDownload.h"

#include "memory/SdCard.h"

namespace voltaryn {

SdDownloadResult DownloadSdFile(MeterLink& link, EventPump& pump, int fileNumber, int records, SdDownloadSink& sink,
                                NonsenseReplies nonsense)
{
    SdFileAssembler assembler(records, sink, nonsense);
    bool first = true;
    bool stopped = false;
    std::string shown;
    do {
        if (!RequestSdChunk(link, fileNumber, first))
            return {SdDownloadEnd::NoReply, {}};
        first = false;
        assembler.Take(link.InputReport());
        if (!assembler.Problem().empty())
            return {SdDownloadEnd::Nonsense, "SD file " + std::to_string(fileNumber) + ": " + assembler.Problem()};
        pump.LetEventsRun();
        // The caption moves in steps of 0.01 %, which several chunks may share.
        if (std::string caption = assembler.ProgressCaption(); caption != shown) {
            sink.Progress(caption);
            shown = std::move(caption);
        }
        stopped = pump.StopRequested() && !assembler.Complete();
    } while (!assembler.Complete() && !stopped);
    // The meter is asked for one chunk more, which is not read.
    RequestSdChunk(link, fileNumber, false);
    return {stopped ? SdDownloadEnd::Stopped : SdDownloadEnd::Completed, {}};
}

} // namespace voltaryn
