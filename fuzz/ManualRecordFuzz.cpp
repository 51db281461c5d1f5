// A manual record reply decoded on its own, and the whole download of the manual records from a
// meter that answers with the input's scripted replies (the count first).
#include "FuzzInput.h"
#include "FuzzTarget.h"
#include "ScriptedMeter.h"

#include "memory/ManualDownload.h"
#include "memory/ManualRecord.h"

namespace {

void ExpectStamp(const std::string& stamp)
{
    constexpr std::string_view Invalid = "invalid time ";
    const std::string_view time = std::string_view(stamp).starts_with(Invalid)
                                      ? std::string_view(stamp).substr(Invalid.size())
                                      : std::string_view(stamp);
    voltaryn::fuzz::Expect(time.size() == 11 && time[2] == '-' && time[5] == ':' && time[8] == ':',
                           "a time stamp reads dd-hh:mm:ss");
}

} // namespace

VOLTARYN_FUZZ_TARGET(ManualRecord)
{
    using namespace voltaryn;
    ExpectStamp(DecodeManualRecord({data, size})[0]);

    fuzz::FuzzInput input(data, size);
    fuzz::ScriptedMeter meter(input);
    MeterCommands commands(meter.link);
    fuzz::NoEvents pump;
    int lastNumber = 0;
    const ManualDownloadResult result =
        DownloadManualRecords(meter.link, commands, pump, [&](const RecordRow& row, int number, int count) {
            fuzz::Expect(number == lastNumber + 1 && number <= count, "records arrive numbered 1..count");
            fuzz::Expect(row.size() == 9, "a manual row has its number and eight texts");
            ExpectStamp(row[1]);
            lastNumber = number;
        });
    fuzz::Expect(result.rowsDelivered == lastNumber, "every delivered row is counted");
    return 0;
}
