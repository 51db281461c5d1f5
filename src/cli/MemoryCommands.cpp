// memory, sd and erase: the meter's manual records and the recordings on its SD card.
#include "cli/Commands.h"
#include "cli/ProgressLine.h"
#include "cli/ReadingRecord.h"
#include "files/AtomicFile.h"
#include "files/ListExport.h"
#include "memory/LoadingCaption.h"
#include "memory/ManualDownload.h"
#include "memory/SdDownload.h"
#include "memory/SdListing.h"
#include "recording/RecordingFile.h"

#include <algorithm>
#include <sstream>

namespace voltaryn::cli {
namespace {

// Where a downloaded list goes: reading by reading to the output, or into a file in its format
// (the window's data file, as the list window saves it, by default). A file is replaced only by a
// whole download; what arrived of one cut short is kept beside it, as NAME.partial.
class ListDestination {
public:
    ListDestination(CommandContext& context, std::string file, RecordRow titles)
        : output_(context.output), file_(std::move(file)), format_(FormatFor(context.format, file_)),
          table_{std::move(titles), {}}, fileOutput_(buffer_, format_)
    {
    }

    void Add(const RecordRow& row, const Reading& reading)
    {
        ++count_;
        if (IsStandardOutput(file_))
            output_.Row(ReadingRecord(reading));
        else if (format_ == Format::Data)
            table_.rows.push_back(row);
        else
            fileOutput_.Row(ReadingRecord(reading));
    }

    // Writes the file: the download's when it is `whole`, else what arrived, if anything did.
    void Finish(bool whole)
    {
        if (IsStandardOutput(file_) || (!whole && count_ == 0))
            return;
        const std::filesystem::path target = whole ? std::filesystem::path(file_) : PartialName(file_);
        FileStatus status;
        if (format_ == Format::Data) {
            status = SaveGridFile(target, table_);
        } else {
            fileOutput_.End();
            status = ReplaceFileWith(target, buffer_.str());
        }
        if (!status.Ok())
            throw CliError(ExitCode::FileFailed, status.error);
    }

private:
    Output& output_;
    std::string file_;
    Format format_;
    RecordTable table_;
    std::ostringstream buffer_;
    Output fileOutput_;
    int count_ = 0;
};

// Ends a download: the file written as the outcome allows, then the outcome told.
void Finish(ListDestination& list, const std::optional<OutcomeReport>& outcome)
{
    list.Finish(!outcome || EntryOf(outcome->outcome).exitCode == ExitCode::Success);
    FailOn(outcome);
}

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
    ListDestination list(context, options.out, ManualListTitles());
    ProgressLine progress;
    NoEvents events;
    const ManualDownloadResult result = DownloadManualRecords(
        meter.Link(), meter.Commands(), events,
        [&](const RecordRow& row, int number, int count) {
            list.Add(row, ManualReading(row));
            progress.Show(LoadingCaption(number, count));
        },
        NonsenseReplies::Refused);
    Finish(list, OutcomeOf(result));
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
        Rows(ListDestination& list, std::string temperatureUnit) : list(list), unit(std::move(temperatureUnit)) {}
        void StartTime(const std::string& text) override { readings.emplace(text, unit); }
        void Interval(const std::string& /*text*/) override {}
        void Row(const RecordRow& row) override
        {
            if (!readings)
                readings.emplace("", unit);
            list.Add(row, readings->Next(row));
            ++count;
        }
        void Progress(const std::string& caption) override { progress.Show(caption); }
        ListDestination& list;
        std::string unit;
        std::optional<SdReadings> readings;
        ProgressLine progress;
        int count = 0;
    };
    const MeterReading& reading = meter.Reading();
    ListDestination list(context, options.out, RecordingTitles(reading.RangeText, reading.TempUnitText));
    Rows rows(list, reading.TempIsCelsius ? "°C" : "°F");
    NoEvents events;
    const SdDownloadResult end =
        DownloadSdFile(meter.Link(), events, file->number, file->records, rows, NonsenseReplies::Refused);
    rows.progress.Finish();
    Finish(list, OutcomeOf(end.end, rows.count, end.problem));
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
