// memory, sd and erase: the meter's manual records and the recordings on its SD card.
#include "cli/Commands.h"
#include "cli/ProgressLine.h"
#include "files/ListExport.h"
#include "memory/LoadingCaption.h"
#include "memory/ManualDownload.h"
#include "memory/SdDownload.h"
#include "memory/SdListing.h"
#include "recording/RecordingFile.h"

#include <algorithm>
#include <array>

namespace voltaryn::cli {
namespace {

// The names a list's nine columns go by in every format but the window's own data file.
constexpr std::array<const char*, 9> ListNames = {
    "no", "time", "voltage", "resistance", "current", "temperature", "in_capacity", "out_capacity", "total_capacity",
};

Record ListRecord(const RecordRow& row)
{
    Record record;
    for (std::size_t c = 0; c < ListNames.size(); ++c)
        record.push_back({ListNames.at(c), c < row.size() ? row[c] : ""});
    return record;
}

// Where a downloaded list goes: into a data file, as the list window saves it, or record by record
// to the output.
class ListDestination {
public:
    ListDestination(Output& output, std::string file, RecordRow titles)
        : output_(output), file_(std::move(file)), table_{std::move(titles), {}}
    {
    }

    void Add(const RecordRow& row)
    {
        if (file_.empty())
            output_.Row(ListRecord(row));
        else
            table_.rows.push_back(row);
    }
    // Writes the data file, with what has arrived.
    void Save() const
    {
        if (file_.empty())
            return;
        if (const FileStatus status = SaveGridFile(file_, table_); !status.Ok())
            throw CliError(ExitCode::FileFailed, status.error);
    }

private:
    Output& output_;
    std::string file_;
    RecordTable table_;
};

void ConnectForMemory(MeterAccess& meter)
{
    meter.Connect();
    if (!MemoryReadable(meter.Reading()))
        throw CliError(OutcomeReport{Outcome::MemoryBusy});
}

// The card's files, listed as the Memory window lists them.
std::vector<SdFileEntry> ListCard(MeterAccess& meter)
{
    const SdCardSummary summary = meter.Require(RequestSdSummary(meter.Link()));
    if (!summary.cardPresent)
        throw CliError(OutcomeReport{Outcome::NoSdCard});
    struct Collect : SdListingSink {
        std::vector<SdFileEntry> files;
        void Entry(const SdFileEntry& entry) override { files.push_back(entry); }
        void Progress(const std::string& /*caption*/) override {}
    } collect;
    NoEvents events;
    const SdListingEnd end = ListSdFiles(meter.Link(), events, summary.fileCount, collect);
    FailOn(OutcomeOf(end, static_cast<int>(collect.files.size())));
    return std::move(collect.files);
}

} // namespace

void RunMemory(CommandContext& context, const ListOptions& options)
{
    MeterAccess& meter = context.meter;
    ConnectForMemory(meter);
    ListDestination list(context.output, options.out, ManualListTitles());
    ProgressLine progress;
    NoEvents events;
    const ManualDownloadResult result = DownloadManualRecords(
        meter.Link(), meter.Commands(), events, [&](const RecordRow& row, int number, int count) {
            list.Add(row);
            progress.Show(LoadingCaption(number, count));
        });
    list.Save();
    FailOn(OutcomeOf(result));
}

void RunSdList(CommandContext& context, const NoOptions& /*options*/)
{
    ConnectForMemory(context.meter);
    for (const SdFileEntry& file : ListCard(context.meter))
        context.output.Row(
            {{"file", file.number}, {"time", file.dateTime}, {"records", file.records}, {"bytes", file.size}});
}

// The file's rows, as the data list shows them; the list is titled with the present range and
// temperature unit, as the window titles it.
void RunSdGet(CommandContext& context, const SdFileOptions& options)
{
    MeterAccess& meter = context.meter;
    ConnectForMemory(meter);
    const std::vector<SdFileEntry> files = ListCard(meter);
    const auto file =
        std::find_if(files.begin(), files.end(), [&](const SdFileEntry& f) { return f.number == options.file; });
    if (file == files.end())
        throw CliError(ExitCode::Usage, "the SD card holds no file " + std::to_string(options.file) + " (see sd list)");

    struct Rows : SdDownloadSink {
        explicit Rows(ListDestination& list) : list(list) {}
        void StartTime(const std::string& /*text*/) override {}
        void Interval(const std::string& /*text*/) override {}
        void Row(const RecordRow& row) override
        {
            list.Add(row);
            ++count;
        }
        void Progress(const std::string& caption) override { progress.Show(caption); }
        ListDestination& list;
        ProgressLine progress;
        int count = 0;
    };
    ListDestination list(context.output, options.out,
                         RecordingTitles(meter.Reading().RangeText, meter.Reading().TempUnitText));
    Rows rows(list);
    NoEvents events;
    const SdDownloadEnd end = DownloadSdFile(meter.Link(), events, file->number, file->records, rows);
    rows.progress.Finish();
    list.Save();
    FailOn(OutcomeOf(end, rows.count));
}

void RunSdDelete(CommandContext& context, const SdDeleteOptions& options)
{
    MeterAccess& meter = context.meter;
    meter.Connect();
    if (options.which == "all") {
        meter.Commands().SdDeleteAll();
    } else {
        const int number = std::stoi(options.which);
        const std::vector<SdFileEntry> files = ListCard(meter);
        if (std::none_of(files.begin(), files.end(), [&](const SdFileEntry& f) { return f.number == number; }))
            throw CliError(ExitCode::Usage, "the SD card holds no file " + options.which + " (see sd list)");
        if (!meter.Commands().SdDeleteFile(number))
            throw CliError(OutcomeReport{Outcome::NoReply, 0, 0, meter.DevicePath()});
    }
    meter.Refresh();
}

// Clears the meter's memory, whose one erase command takes the manual and automatic records alike.
void RunErase(CommandContext& context, const EraseOptions& /*options*/)
{
    context.meter.Connect();
    context.meter.Commands().ClearMeterMemory();
    context.meter.Refresh();
}

} // namespace voltaryn::cli
