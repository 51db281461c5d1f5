#include "memory/SdDownload.h"

#include "memory/SdCard.h"

namespace voltaryn {

SdDownloadResult DownloadSdFile(MeterLink& link, EventPump& pump, int fileNumber, int records,
                                SdDownloadSink& sink)
{
    SdDownloadResult result;
    SdFileAssembler assembler(records, sink);
    do {
        if (!RequestSdChunk(link, fileNumber, result.chunks == 0))
            return result;
        assembler.Take(link.InputReport());
        ++result.chunks;
        pump.LetEventsRun();
        sink.Progress(assembler.ProgressCaption());
    } while (!assembler.Complete());
    // The meter is asked for one chunk more, which is not read.
    RequestSdChunk(link, fileNumber, false);
    result.end = SdDownloadEnd::Completed;
    return result;
}

} // namespace voltaryn
