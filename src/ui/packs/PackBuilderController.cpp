#include "ui/packs/PackBuilderController.h"

#include "cells/CellReplacement.h"
#include "cells/PackBuilder.h"
#include "cells/PackMap.h"
#include "report/BatchReport.h"
#include "report/PackSheetPainter.h"
#include "report/ReportPage.h"
#include "store/BatchCells.h"
#include "store/CellStore.h"
#include "ui/cells/BatchSession.h"
#include "ui/cells/StoreThread.h"
#include "ui/common/CoreFaults.h"
#include "ui/common/ScreenFit.h"

#include <QCoreApplication>
#include <QtConcurrent/QtConcurrentRun>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <array>

namespace voltaryn {
namespace {

// A change as a signed figure: "+1.2", "−0.4".
QString Change(double value, int decimals)
{
    return (value >= 0 ? "+" : "−") + QString::number(std::abs(value), 'f', decimals);
}

// Each group's cells in their places: what a saved pack keeps of the pack built.
std::vector<std::vector<std::string>> Places(const cells::Pack& pack)
{
    std::vector<std::vector<std::string>> places;
    places.reserve(pack.groups.size());
    for (const cells::PackGroup& group : pack.groups)
        places.push_back(group.cellIds);
    return places;
}

bool WriteFile(const QString& name, const QByteArray& bytes, QString& error)
{
    QFile file(name);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() && file.flush())
        return true;
    error = QCoreApplication::translate("voltaryn::PackBuilderController", "Could not write %1: %2")
                .arg(name, file.errorString());
    return false;
}

} // namespace

PackBuilderController::PackBuilderController(const FeatureContext& context, BatchSession& session,
                                             cells::PackSearchOptions search)
    : context_(context), session_(session), searchOptions_(std::move(search))
{
    connect(&session_, &BatchSession::batchOpened, this, &PackBuilderController::ShowBatch);
    // A build takes the cells as they are then; the batches other stations start show at once.
    connect(&session_, &BatchSession::cellsReloaded, this, [this] {
        if (!window_.isNull())
            window_->SetBatches(session_.Batches(), session_.Batch());
    });
    connect(&session_, &BatchSession::failed, this,
            [this](const QString& message) { Tell(tr("Cell database: %1").arg(message.simplified())); });
    searchThread_.setMaxThreadCount(1);
    connect(&search_, &QFutureWatcher<cells::PackOutcome>::finished, this, &PackBuilderController::BuildEnded);
}

// The search reads the cells it was given and nothing of the controller's but its progress, which
// it posts: it is stopped and waited for.
PackBuilderController::~PackBuilderController()
{
    if (cancel_)
        *cancel_ = true;
    search_.waitForFinished();
}

PackBuilderWindow* PackBuilderController::Window() const { return window_; }

void PackBuilderController::Register(ToolbarCommands& toolbar) { toolbar.Add("Packs", [this] { Open(); }); }

void PackBuilderController::Open(const QString& batch)
{
    if (window_.isNull()) {
        window_ = new PackBuilderWindow(&context_.mainWindow);
        window_->setAttribute(Qt::WA_DeleteOnClose);
        window_->SetShape(shape_);
        connect(window_, &PackBuilderWindow::batchChosen, &session_, [this](const QString& name) { session_.Open(name); });
        connect(window_, &PackBuilderWindow::buildRequested, this, &PackBuilderController::Build);
        connect(window_, &PackBuilderWindow::cancelRequested, this, [this] {
            if (cancel_)
                *cancel_ = true;
        });
        connect(window_, &PackBuilderWindow::replaceRequested, this, &PackBuilderController::Replace);
        connect(window_, &PackBuilderWindow::saveRequested, this, &PackBuilderController::Save);
        connect(window_, &PackBuilderWindow::exportCsvRequested, this, &PackBuilderController::ExportCsv);
        connect(window_, &PackBuilderWindow::exportPdfRequested, this, &PackBuilderController::ExportPdf);
        connect(window_, &PackBuilderWindow::reportRequested, this,
                [this] { WriteReport(session_.Batch(), [this](const QString& text) { Tell(text); }); });
        built_.reset();
    }
    BringForward(*window_);
    if (session_.Batch().isEmpty() || (!batch.isEmpty() && batch != session_.Batch()))
        session_.Open(batch);
    else
        ShowBatch();
}

void PackBuilderController::Tell(const QString& text)
{
    if (!window_.isNull())
        window_->ShowMessage(text);
}

// The batch open in every window. A build under way, or a pack built, was of the batch open before.
void PackBuilderController::ShowBatch()
{
    if (window_.isNull())
        return;
    if (cancel_)
        *cancel_ = true;
    built_.reset();
    window_->ClearPack();
    const QString& batch = session_.Batch();
    window_->setWindowTitle(batch.isEmpty() ? tr("Pack Builder") : tr("Pack Builder — %1").arg(batch));
    QStringList grades;
    for (const cells::Grade& grade : session_.Rules().grades.Grades)
        grades << QString::fromStdString(grade.Name);
    window_->SetBatches(session_.Batches(), batch);
    window_->SetGrades(grades, grades);
    if (batch.isEmpty()) {
        Tell(tr("The cell database holds no batch yet: sort cells into one first."));
        return;
    }
    const std::vector<store::CellRow>& rows = session_.Cells().Cells();
    Tell(tr("%1 cells in the batch, %2 of them in saved packs.")
             .arg(rows.size())
             .arg(std::ranges::count_if(rows, [](const store::CellRow& row) { return !row.pack.isEmpty(); })));
}

QString PackBuilderController::LeftOutSentence(const cells::PackOffer& offer)
{
    const std::array<QString, cells::LeftOutReasons> reasons{QString(),
                                                            tr("%1 of other grades"),
                                                            tr("%1 rejected"),
                                                            tr("%1 in a saved pack"),
                                                            tr("%1 suspected of self-discharge"),
                                                            tr("%1 without a capacity"),
                                                            tr("%1 without a resistance")};
    QStringList parts;
    for (std::size_t why = 1; why < reasons.size(); ++why)
        if (offer.leftOut.at(why) > 0)
            parts << reasons.at(why).arg(offer.leftOut.at(why));
    return parts.isEmpty() ? QString() : " " + tr("Left out: %1.").arg(parts.join(QStringLiteral(", ")));
}

void PackBuilderController::Build()
{
    if (search_.isRunning() || window_.isNull() || session_.Batch().isEmpty())
        return;
    const cells::PackRequest request = window_->Request();
    if (request.eligibleGrades.empty()) {
        Tell(tr("Tick at least one grade."));
        return;
    }
    // The usable cells of the ticked grades; the others are counted by why they were left out.
    cells::PackOffer offer = store::PackOfferOf(session_.Cells().Cells(), session_.Rules(),
                                                {request.eligibleGrades, window_->IncludeSuspects()});
    building_ = {session_.Batch(), request, std::move(offer.cells), {}};
    shape_ = {request.series, request.parallel};
    leftOut_ = LeftOutSentence(offer);
    window_->SetBuilding(true);
    window_->ShowMessage(tr("Building %1S%2P from %3 cells…").arg(request.series).arg(request.parallel).arg(building_.cells.size()));
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    cells::PackSearchOptions options = searchOptions_;
    options.progress = [this, cancel = cancel_](double spent) {
        QMetaObject::invokeMethod(
            this,
            [this, spent] {
                if (!window_.isNull())
                    window_->SetProgress(spent);
            },
            Qt::QueuedConnection);
        return !*cancel;
    };
    search_.setFuture(QtConcurrent::run(&searchThread_, [cells = building_.cells, request, options] {
        return cells::BuildPack(cells, request, options);
    }));
}

void PackBuilderController::BuildEnded()
{
    const cells::PackOutcome outcome = search_.result();
    if (window_.isNull())
        return;
    window_->SetBuilding(false);
    if (*cancel_) {
        window_->ShowMessage(tr("Build cancelled."));
        return;
    }
    if (!outcome.pack) {
        built_.reset();
        window_->ClearPack();
        window_->ShowMessage(tr("Cannot build: %1.").arg(CoreFaults::Worded(outcome.fault.value())) + leftOut_);
        return;
    }
    building_.pack = *outcome.pack;
    built_ = std::move(building_);
    window_->SetProgress(1);
    ShowPack();
    window_->ShowMessage(tr("Built %1S%2P from %3 cells; %4 spares left.")
                             .arg(built_->request.series)
                             .arg(built_->request.parallel)
                             .arg(built_->cells.size())
                             .arg(built_->pack.unusedIds.size())
                         + leftOut_);
}

void PackBuilderController::ShowPack() { window_->ShowPack(cells::MapPack(built_->cells, built_->pack)); }

void PackBuilderController::Replace(const QString& cellId)
{
    if (!built_)
        return;
    const cells::ReplacementOutcome outcome =
        cells::ReplaceCell(built_->cells, built_->request, built_->pack, cellId.toStdString());
    if (!outcome.replacement) {
        Tell(tr("Cannot replace %1: %2").arg(cellId, CoreFaults::Worded(outcome.fault.value())));
        return;
    }
    const cells::CellReplacement& replacement = *outcome.replacement;
    built_->pack = replacement.pack;
    built_->savedAs.clear();
    ShowPack();
    Tell(tr("Replaced %1 by %2: %3 mAh, %4 mΩ. Capacity spread now %5 mAh (%6), resistance spread %7 mΩ (%8), "
            "objective %9.")
             .arg(cellId, QString::fromStdString(replacement.spareId), Change(replacement.capacityChange, 0),
                  Change(replacement.resistanceChange, 2), QString::number(replacement.pack.capacitySpread, 'f', 1),
                  Change(replacement.capacitySpreadChange, 1), QString::number(replacement.pack.resistanceSpread, 'f', 3),
                  Change(replacement.resistanceSpreadChange, 3), Change(replacement.costChange, 5)));
}

void PackBuilderController::Save()
{
    if (!built_ || session_.Store() == nullptr)
        return;
    const cells::PackRequest& request = built_->request;
    const QString name = context_.dialogs.AskText(window_, tr("Save pack"), tr("Name of the pack:"),
                                                  QString("%1S%2P").arg(request.series).arg(request.parallel))
                             .trimmed();
    if (name.isEmpty())
        return;
    std::map<QString, qint64> numbers;
    for (const store::CellRow& row : session_.Cells().Cells())
        numbers[store::CellName(row)] = row.number;
    store::PackLayout layout{name, request.series, request.parallel, {}, {}};
    for (std::size_t g = 0; g < built_->pack.groups.size(); ++g) {
        const std::vector<std::string>& ids = built_->pack.groups[g].cellIds;
        for (std::size_t p = 0; p < ids.size(); ++p)
            layout.cells.push_back({static_cast<int>(g), static_cast<int>(p), numbers.at(QString::fromStdString(ids[p]))});
    }
    const QString batch = built_->batch;
    const auto places = Places(built_->pack);
    session_.Store()->Run<bool>(
        [batch, layout](store::CellStore& store) {
            store.SavePack(batch, layout);
            return true;
        },
        [this, name, batch, places](bool) {
            if (built_ && built_->batch == batch && Places(built_->pack) == places)
                built_->savedAs = name;
            session_.Reload();  // its cells are packed now
            Tell(tr(R"(Saved pack "%1" in batch "%2".)").arg(name, batch));
        });
}

void PackBuilderController::ExportCsv()
{
    if (!built_)
        return;
    const QString name = context_.dialogs.AskSaveFileName(window_, tr("CSV (*.csv)"));
    QString error;
    if (!name.isEmpty()
        && !WriteFile(name, QByteArray::fromStdString(cells::PackMapCsv(cells::MapPack(built_->cells, built_->pack))), error))
        Tell(error);
}

void PackBuilderController::ExportPdf()
{
    if (!built_)
        return;
    const QString name = context_.dialogs.AskSaveFileName(window_, tr("PDF (*.pdf)"));
    if (name.isEmpty())
        return;
    try {
        report::WritePackSheet(name, {built_->savedAs, built_->batch}, cells::MapPack(built_->cells, built_->pack));
    } catch (const report::ReportError& error) {
        Tell(error.what());
    }
}

void PackBuilderController::WriteReport(const QString& batch, const std::function<void(const QString&)>& tell)
{
    if (batch.isEmpty() || session_.Store() == nullptr)
        return;
    const QString name = context_.dialogs.AskSaveFileName(window_, tr("PDF (*.pdf)"));
    if (name.isEmpty())
        return;
    struct Loaded {
        report::BatchReport batch;
    };
    session_.Store()->Run<Loaded>([batch](store::CellStore& store) { return Loaded{report::LoadBatchReport(store, batch)}; },
                        [name, tell](const Loaded& loaded) {
                            try {
                                report::WriteBatchReport(loaded.batch, name, QDateTime::currentDateTimeUtc());
                                tell(tr("Wrote the report of %1 to %2.").arg(loaded.batch.batch.name, name));
                            } catch (const report::ReportError& error) {
                                tell(error.what());
                            }
                        });
}

} // namespace voltaryn
