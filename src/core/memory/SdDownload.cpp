#include "memory/SdDownload.h"

#include "memory/SdCard.h"

namespace voltaryn {

SdDownloadEnd DownloadSdFile(MeterLink& link, EventPump& pump, int fileNumber, int records, SdDownloadSink& sink)
{
    SdFileAssembler assembler(records, sink);
    bool first = true;
    do {
        if (!RequestSdChunk(link, fileNumber, first))
            return SdDownloadEnd::NoReply;
        first = false;
        assembler.Take(link.InputReport());
        pump.LetEventsRun();
        sink.Progress(assembler.ProgressCaption());
    } while (!assembler.Complete());
    // The meter is asked for one chunk more, which is not read.
    RequestSdChunk(link, fileNumber, false);
    return SdDownloadEnd::Completed;
}

} // namespace voltaryn
