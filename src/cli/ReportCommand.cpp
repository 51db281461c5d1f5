// report: a batch's PDF report from the command line.
#include "cli/CaptureRun.h"
#include "cli/CellStoreAccess.h"
#include "cli/Commands.h"
#include "report/BatchReport.h"
#include "report/ReportPage.h"

#include <QGuiApplication>

namespace voltaryn::cli {

void RunReport(CommandContext& context, const ReportOptions& options)
{
    // QPainter lays text out with the fonts a GUI application finds; the offscreen platform gives
    // one without a display, so the report is drawn the same on a server as beside a window.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "voltaryn-cli";
    static char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    report::BatchReport report;
    RunWithStore([&] {
        CellStoreAccess db(options.db, context.clock, store::StoreAccess::ReadOnly);
        report = report::LoadBatchReport(db.Store(), QString::fromStdString(options.batch));
    });
    try {
        report::WriteBatchReport(report, QString::fromStdString(options.out), NowUtc(context.clock));
    } catch (const report::ReportError& error) {
        throw CliError(ExitCode::FileFailed, error.what());
    }
}

} // namespace voltaryn::cli
