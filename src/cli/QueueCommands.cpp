// queue list, retry and export: what waits in the station's local queue for the server, and what
// the server refused.
#include "cli/CellFields.h"
#include "cli/CellStoreAccess.h"
#include "cli/Commands.h"
#include "files/AtomicFile.h"

#include <iostream>
#include <sstream>

namespace voltaryn::cli {
namespace {

// A capture of the queue: where and when it was taken, its grade and its state; with
// `measurements`, everything it holds, so that the file can stand in for it.
Record QueuedRecord(const store::QueuedCapture& queued, bool measurements)
{
    const store::CaptureInput& capture = queued.capture;
    Record record{{"batch", capture.batch.toStdString()},
                  {"label", capture.label.toStdString()},
                  {"time", IsoTime(capture.measuredUtc)},
                  {"station", capture.station.toStdString()},
                  {"grade", capture.grade.toStdString()},
                  {"kind", capture.kind == store::MeasurementKind::Recheck ? "recheck" : "sort"},
                  {"state", queued.setAsideReason.isEmpty() ? "waiting" : "set aside"},
                  {"reason", queued.setAsideReason.toStdString()}};
    if (measurements)
        record.insert(record.end(), {{"operator", capture.operatorName.toStdString()},
                                     {"voltage_v", Measured(capture.voltageV)},
                                     {"resistance_mohm", Measured(capture.resistanceMohm)},
                                     {"range", capture.rangeText.toStdString()},
                                     {"temperature_c", Measured(capture.temperatureC)},
                                     {"uuid", capture.clientUuid.toStdString()}});
    return record;
}

void ListQueue(Output& output, store::CellStore& store)
{
    for (const store::QueuedCapture& queued : store.QueuedCaptures())
        output.Row(QueuedRecord(queued, false));
}

} // namespace

void RunQueueList(CommandContext& context, const DatabaseOptions& options)
{
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock);
        ListQueue(context.output, db.Store());
    });
}

// What still waits, or was set aside again, is listed after the try.
void RunQueueRetry(CommandContext& context, const DatabaseOptions& options)
{
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock);
        if (const int sent = db.Store().RetrySetAside(); sent > 0)
            std::cerr << store::QueuedSentText(sent).toStdString() << '\n';
        ListQueue(context.output, db.Store());
        FailIfQueued(db.Store().Status());
    });
}

void RunQueueExport(CommandContext& context, const QueueExportOptions& options)
{
    const Format format = FormatFor(context.format, options.out);
    if (format == Format::Data)
        throw CliError(ExitCode::Usage, options.out + " names no format: end it in .csv, .tsv, .json or .jsonl, or "
                                                      "give --format");
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock);
        std::ostringstream bytes;
        Output file(bytes, format);
        Output& output = IsStandardOutput(options.out) ? context.output : file;
        for (const store::QueuedCapture& queued : db.Store().QueuedCaptures())
            output.Row(QueuedRecord(queued, true));
        if (IsStandardOutput(options.out))
            return;
        file.End();
        if (const FileStatus status = ReplaceFileWith(options.out, bytes.str()); !status.Ok())
            throw CliError(ExitCode::FileFailed, status.error);
    });
}

} // namespace voltaryn::cli
