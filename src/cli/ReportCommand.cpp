// report and inspection-report: a batch's and an inspection's PDF reports from the command line.
#include "cli/CaptureRun.h"
#include "cli/CellStoreAccess.h"
#include "cli/Commands.h"
#include "report/BatchReport.h"
#include "report/ReportPage.h"
#include "report/WalkReport.h"

#include <QGuiApplication>
#include <QLocale>

#include <functional>

namespace voltaryn::cli {
namespace {

// Loads a report from the database with `load`, then draws it with `write`: a file that cannot be
// written is the command's failure. What the database refuses is told before the window system is
// reached, whose warnings (no runtime folder, say) would come before the error.
void DrawReport(const std::function<void()>& load, const std::function<void()>& write)
{
    RunWithStore(load);
    // QPainter lays text out with the fonts a GUI application finds; the offscreen platform gives
    // one without a display, so the report is drawn the same on a server as beside a window.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "voltaryn-cli";
    static char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    // The command line loads no translation: its reports are English, their numbers too.
    QLocale::setDefault(QLocale::c());
    try {
        write();
    } catch (const report::ReportError& error) {
        throw CliError(ExitCode::FileFailed, error.what());
    }
}

} // namespace

void RunReport(CommandContext& context, const ReportOptions& options)
{
    report::BatchReport report;
    DrawReport(
        [&] {
            CellStoreAccess db(options.db, context.clock, store::StoreAccess::ReadOnly);
            report = report::LoadBatchReport(db.Store(), QString::fromStdString(options.batch));
        },
        [&] { report::WriteBatchReport(report, QString::fromStdString(options.out), NowUtc(context.clock)); });
}

void RunInspectionReport(CommandContext& context, const InspectionReportOptions& options)
{
    std::optional<report::WalkReport> report;
    DrawReport(
        [&] {
            CellStoreAccess db(options.db, context.clock, store::StoreAccess::ReadOnly);
            report = report::LoadWalkReport(db.Store(), options.inspection, options.against);
        },
        [&] { report::WriteWalkReport(*report, QString::fromStdString(options.out), NowUtc(context.clock)); });
}

} // namespace voltaryn::cli
