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

RecordRow ManualListTitles()
{
    return {"No.s", "Time", "V", "(m)Ohm", "Amp", "Temp", "In-Cap(m)Ah", "Out-Cap(m)Ah", "T-Cap(m)Ah"};
}

ManualDownloadResult DownloadManualRecords(MeterLink& link, MeterCommands& commands, EventPump& pump,
                                           const ManualRowSink& sink, NonsenseReplies nonsense)
{
    ManualDownloadResult result;
    const Answer<std::int16_t> count = commands.ReadRecordCount();
    if (count.source == ReplySource::Invalid)
        result.end = ManualDownloadEnd::BadCount;
    if (!count.Fresh())
        return result;

    result.recordCount = *count.value;
    if (result.recordCount == 0) {
        result.end = ManualDownloadEnd::NoRecords;
        return result;
    }
    for (int number = 1; number <= result.recordCount; ++number) {
        if (!RequestManualRecord(link, number))
            return result;
        if (nonsense == NonsenseReplies::Refused)
            if (std::optional<std::string> problem = ManualRecordProblem(link.InputReport())) {
                result.end = ManualDownloadEnd::Nonsense;
                result.problem = "manual record " + std::to_string(number) + " of " + std::to_string(result.recordCount)
                                 + ": " + *problem;
                return result;
            }
        sink(RowOf(number, DecodeManualRecord(link.InputReport())), number, result.recordCount);
        ++result.rowsDelivered;
        pump.LetEventsRun();
        if (pump.StopRequested() && number < result.recordCount) {
            result.end = ManualDownloadEnd::Stopped;
            return result;
        }
    }
    result.end = ManualDownloadEnd::Completed;
    return result;
}

} // namespace voltaryn
