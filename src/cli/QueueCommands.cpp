// queue list, retry and export: what waits in the station's local queue for the server, and what
// the server refused.
#include "cli/CellFields.h"
#include "cli/CellStoreAccess.h"
#include "cli/Commands.h"
#include "files/AtomicFile.h"
#include "store/QueueExport.h"

#include <iostream>
#include <sstream>

namespace voltaryn::cli {
namespace {

void ListQueue(Output& output, store::CellStore& store)
{
    for (const store::QueuedCapture& queued : store.QueuedCaptures())
        output.Row(RecordOf(store::QueuedFieldsOf(queued, false)));
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
            output.Row(RecordOf(store::QueuedFieldsOf(queued, true)));
        if (IsStandardOutput(options.out))
            return;
        file.End();
        if (const FileStatus status = ReplaceFileWith(options.out, bytes.str()); !status.Ok())
            throw CliError(ExitCode::FileFailed, status.error);
    });
}

} // namespace voltaryn::cli
