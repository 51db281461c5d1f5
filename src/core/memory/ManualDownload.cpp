#include "memory/ManualDownload.h"

#include "memory/ManualRecord.h"

#include <string>

namespace voltaryn {
namespace {

RecordRow RowOf(int number, const ManualRecordTexts& texts)
{
    RecordRow row{std::to_string(number)};
    row.insert(row.end(), texts.begin(), texts.end());
    return row;
}

} // namespace

// A link call has a fresh reply exactly when the meter is still detected afterwards: a request
// that cannot be sent, or whose read fails or times out, leaves the meter undetected and the
// previous reply in place.
ManualDownloadResult DownloadManualRecords(MeterLink& link, MeterCommands& commands, EventPump& pump,
                                           const ManualRowSink& sink)
{
    ManualDownloadResult result;
    try {
        commands.ReadRecordCount();
    } catch (const ReplyError&) {
        result.end = link.DeviceDetected() ? ManualDownloadEnd::BadCount : ManualDownloadEnd::NoReply;
        return result;
    }
    if (!link.DeviceDetected())
        return result;

    result.recordCount = commands.RecordCountReply();
    if (result.recordCount == 0) {
        result.end = ManualDownloadEnd::NoRecords;
        return result;
    }
    for (int number = 1; number <= result.recordCount; ++number) {
        RequestManualRecord(link, number);
        if (!link.DeviceDetected())
            return result;
        sink(RowOf(number, DecodeManualRecord(link.InputReport())), number, result.recordCount);
        ++result.rowsDelivered;
        pump.LetEventsRun();
    }
    result.end = ManualDownloadEnd::Completed;
    return result;
}

} // namespace voltaryn
