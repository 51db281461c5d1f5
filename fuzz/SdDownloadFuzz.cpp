// The download of an SD card file of the input's record count, its chunks coming from a meter
// that answers with the input's scripted replies.
#include "FuzzInput.h"
#include "FuzzTarget.h"
#include "ScriptedMeter.h"

#include "memory/SdDownload.h"

namespace {

using namespace voltaryn;

struct CheckingSink : SdDownloadSink {
    void StartTime(const std::string&) override {}
    void Interval(const std::string&) override {}
    void Row(const RecordRow& row) override
    {
        fuzz::Expect(row.size() == 9, "a record row has its number and eight columns");
        fuzz::Expect(row[0] == std::to_string(++rows), "rows are numbered from 1");
    }
    void Progress(const std::string& caption) override
    {
        fuzz::Expect(caption.starts_with("Download "), "a progress caption");
    }
    int rows = 0;
};

} // namespace

VOLTARYN_FUZZ_TARGET(SdDownload)
{
    fuzz::FuzzInput input(data, size);
    // The record count a listing gives for a file size of up to 16 MB (a size below the header's
    // gives a few negative ones), from the input's first two bytes.
    const std::int64_t fileSize = std::int64_t{input.Byte()} << 16 | std::int64_t{input.Byte()} << 8;
    const int records = static_cast<int>((fileSize - protocol::SdHeaderBytes) / protocol::SdRecordBytes);
    fuzz::ScriptedMeter meter(input);
    fuzz::NoEvents pump;
    CheckingSink sink;
    DownloadSdFile(meter.link, pump, 1, records, sink);
    return 0;
}
