#include "ui/cells/CellSortingController.h"

#include "cells/CellId.h"
#include "cells/GradeJson.h"
#include "cells/MeterCapacity.h"
#include "cells/NameRule.h"
#include "cells/ProbeReading.h"
#include "meter/DisplayUnits.h"
#include "store/BatchCells.h"
#include "store/CapacityImport.h"
#include "store/GradedCapture.h"
#include "store/StoreError.h"
#include "store/StoreAddress.h"
#include "ui/cells/BatchSession.h"
#include "ui/cells/CapacityImportDialog.h"
#include "ui/cells/CaptureSounds.h"
#include "ui/cells/CaptureSpeech.h"
#include "ui/cells/CellSortingWindow.h"
#include "ui/cells/GradeEditorDialog.h"
#include "ui/cells/QueueDialog.h"
#include "ui/cells/StoreThread.h"
#include "ui/common/CoreFaults.h"
#include "ui/common/QtText.h"
#include "ui/common/ScreenFit.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QSysInfo>

namespace voltaryn {
namespace {

QString FromStd(const std::string& text) { return QString::fromStdString(text); }

// The number of the cell in row `row` of `cells`; 0 past the last.
qint64 NumberAt(const std::vector<store::CellRow>& cells, std::size_t row)
{
    return row < cells.size() ? cells[row].number : 0;
}

} // namespace

QString CellSortingController::NewBatchName(const QDateTime& utc)
{
    return tr("Batch %1").arg(utc.toLocalTime().toString("yyyy-MM-dd HH:mm"));
}

QString CellSortingController::StateText(const cells::CaptureStep& step)
{
    switch (step.State) {
    case cells::CaptureState::Open: return tr("Place a cell");
    case cells::CaptureState::Settling: return tr("Settling %1/%2").arg(step.Agreeing).arg(step.Needed);
    case cells::CaptureState::Captured: return tr("Captured");
    case cells::CaptureState::WaitingForLift: return tr("Lift the cell");
    }
    return {};
}

QString CellSortingController::ProblemText(cells::CaptureProblem problem, cells::CaptureState state)
{
    if (problem == cells::CaptureProblem::LiftedEarly)
        return tr("Lifted too early — place it again");
    return state == cells::CaptureState::WaitingForLift ? tr("Unstable contact — lift the cell") : tr("Unstable contact");
}

std::function<cells::ReadingTime()> SteadyClockOf(const CellSortingSetup& setup)
{
    if (setup.sinceStart)
        return setup.sinceStart;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    return [started] { return cells::ReadingTime(started->elapsed()); };
}

CellSortingController::CellSortingController(const FeatureContext& context, const MeterSession& meter,
                                             BatchSession& session, CellSortingSetup setup)
    : context_(context), meter_(meter), session_(session), setup_(std::move(setup)), sounds_(new CaptureSounds(this)),
      speech_(new CaptureSpeech(this)), station_(QSysInfo::machineHostName())
{
    const auto notice = [this](const QString& text) {
        if (!window_.isNull())
            window_->ShowNotice(text);
    };
    connect(sounds_, &CaptureSounds::notice, this, notice);
    connect(speech_, &CaptureSpeech::notice, this, notice);
    connect(&session_, &BatchSession::failed, this, [notice](const QString& message) { notice(message.simplified()); });
    connect(&session_, &BatchSession::statusChanged, this, [this](bool allSent, const QString& text) {
        // The store's trouble stays on the tile until it is over: "Offline — 12 queued".
        storeTrouble_ = allSent ? QString() : AsSentence(text);
        ShowState();
    });
    connect(&session_, &BatchSession::queueSent, this, &CellSortingController::QueueSent);
    connect(&session_, &BatchSession::batchOpened, this, &CellSortingController::ShowBatch);
    connect(&session_, &BatchSession::cellsReloaded, this, [this] {
        if (window_.isNull())
            return;
        window_->SetBatches(session_.Batches(), session_.Batch());
        window_->ShowRules();
    });
    setup_.sinceStart = SteadyClockOf(setup_);
}

CellSortingController::~CellSortingController() = default;

CellSortingWindow* CellSortingController::Window() const { return window_; }

void CellSortingController::Register(ToolbarCommands& toolbar) { toolbar.Add("Cells", [this] { Open(); }); }

void CellSortingController::Open()
{
    if (!window_.isNull()) {
        BringForward(*window_);
        return;
    }
    window_ = new CellSortingWindow(session_, &context_.mainWindow);
    window_->setAttribute(Qt::WA_DeleteOnClose);
    connect(window_, &CellSortingWindow::batchChosen, this, &CellSortingController::OpenBatch);
    connect(window_, &CellSortingWindow::newBatchRequested, this, &CellSortingController::NewBatch);
    connect(window_, &CellSortingWindow::deleteBatchRequested, this, &CellSortingController::DeleteBatch);
    connect(window_, &CellSortingWindow::idEntered, this, &CellSortingController::SetNextLabel);
    connect(window_, &CellSortingWindow::undoRequested, this, &CellSortingController::Undo);
    connect(window_, &CellSortingWindow::retestRequested, this, &CellSortingController::Retest);
    connect(window_, &CellSortingWindow::exportRequested, this, &CellSortingController::Export);
    connect(window_, &CellSortingWindow::capacityImportRequested, this, &CellSortingController::ImportCapacities);
    connect(window_, &CellSortingWindow::packBuilderRequested, this, &CellSortingController::packBuilderRequested);
    connect(window_, &CellSortingWindow::reportRequested, this, &CellSortingController::reportRequested);
    connect(window_, &CellSortingWindow::soundToggled, sounds_, [this](bool on) { sounds_->SetSilent(!on); });
    connect(window_, &CellSortingWindow::speechToggled, speech_, &CaptureSpeech::SetEnabled);
    connect(window_, &CellSortingWindow::gradesEditRequested, this, &CellSortingController::EditGrades);
    connect(window_, &CellSortingWindow::capacityRequested, this, &CellSortingController::TakeCapacity);
    connect(window_, &CellSortingWindow::referenceRequested, this, &CellSortingController::SetReference);
    connect(window_, &CellSortingWindow::recheckToggled, this, &CellSortingController::SetRecheck);
    connect(window_, &CellSortingWindow::queueRequested, this, &CellSortingController::ShowQueue);
    recheck_ = false;
    engine_ = cells::CaptureEngine();
    stateText_ = tr("Place a cell");
    problem_ = cells::CaptureProblem::None;
    ShowState();
    // Beside the main window, whose display the operator still reads, large enough for the tile,
    // the table and the histograms.
    ShowBeside(*window_, context_.mainWindow, QSize(1280, 760));
    if (session_.Batch().isEmpty())
        OpenBatch({});
    else
        ShowBatch();
}

void CellSortingController::ShowState()
{
    const QString store = storeTrouble_.isEmpty() ? storeNews_ : storeTrouble_;
    if (!window_.isNull())
        window_->ShowState(store.isEmpty() ? stateText_ : stateText_ + "\n" + store);
}

// The tile says so until the next capture, and the table shows the captures that were queued.
void CellSortingController::QueueSent(int count)
{
    storeNews_ = AsSentence(store::BackOnlineText(count));
    ShowState();
    session_.Reload();
}

// Opens `name`, else the newest batch; with none, starts a new one.
void CellSortingController::OpenBatch(const QString& name) { session_.Open(name, NewBatchName(setup_.utcNow())); }

// The batch the session opened, from this window or another. A batch whose grades cannot be read
// is not open: its store error is told, and nothing is captured until another batch is.
void CellSortingController::ShowBatch()
{
    lastCaptured_ = 0;
    trayNext_ = 0;
    if (window_.isNull())
        return;
    window_->SetBatches(session_.Batches(), session_.Batch());
    window_->setWindowTitle(session_.Batch().isEmpty() ? tr("Cell Sorting") : tr("Cell Sorting — %1").arg(session_.Batch()));
    window_->ShowRules();
    ShowNext();
    if (recheck_)
        StartTray();
}

void CellSortingController::NewBatch()
{
    const QString name = context_.dialogs.AskText(window_, tr("New batch"), tr("Name of the new batch:"),
                                                  NewBatchName(setup_.utcNow())).trimmed();
    if (name.isEmpty() || session_.Store() == nullptr)
        return;
    const QString gradesJson = FromStd(cells::GradesToJson(cells::DefaultLiIonGrades()));
    session_.Store()->Run<bool>([name, gradesJson](store::CellStore& store) {
        store.CreateBatch(name, {}, gradesJson);
        return true;
    }, [this, name](bool) { OpenBatch(name); });
}

// The question tells the cells the database holds now, other stations' included; no capture
// comes while it is asked, and Cancel is what Enter presses.
void CellSortingController::DeleteBatch()
{
    if (session_.Batch().isEmpty() || window_.isNull() || session_.Store() == nullptr)
        return;
    const QString name = session_.Batch();
    session_.Store()->Run<qint64>([name](store::CellStore& store) { return static_cast<qint64>(store.Cells(name).size()); },
                        [this, name](qint64 cells) {
                            if (window_.isNull() || session_.Batch() != name)
                                return;
                            const RunPause pause(context_.run);
                            if (!context_.dialogs.ConfirmDestructive(
                                    window_, {tr("Delete batch %1 with its %2 %3, their measurements and packs?")
                                                  .arg(name)
                                                  .arg(cells)
                                                  .arg(cells == 1 ? tr("cell") : tr("cells")),
                                              tr("Delete")}))
                                return;
                            session_.Close();
                            session_.Store()->Run<qint64>([name](store::CellStore& store) { return store.DeleteBatch(name); },
                                                          [this](qint64) { OpenBatch({}); });
                        });
}

void CellSortingController::DisplayDecoded()
{
    if (window_.isNull() || !window_->isVisible())
        return;
    const std::vector<std::string_view> lit = WordsShown(meter_.pollLoop.Display().lit);
    const bool wasSettling = engine_.State() == cells::CaptureState::Settling;
    const cells::CaptureStep step = engine_.Feed(setup_.sinceStart(), cells::ReadProbes(meter_.reading, lit));
    // From its first touch the tile is the new cell's: the last one's grade goes.
    if (step.State == cells::CaptureState::Settling && !wasSettling) {
        ++touches_;
        window_->ClearCapture();
        problem_ = cells::CaptureProblem::None;
    }
    if (step.Capture)
        Record(*step.Capture);
    if (step.Problem != cells::CaptureProblem::None) {
        problem_ = step.Problem;
        sounds_->Play(CaptureSounds::Reject);
        speech_->Say(problem_ == cells::CaptureProblem::LiftedEarly ? tr("lifted too early") : tr("unstable"));
    }
    ShowStep(step);
}

void CellSortingController::ShowStep(const cells::CaptureStep& step)
{
    if (step.State == cells::CaptureState::Captured)
        return;
    // A cell not captured stays told until the next one touches the probes.
    stateText_ = problem_ == cells::CaptureProblem::None ? StateText(step) : ProblemText(problem_, step.State);
    ShowState();
}

void CellSortingController::Record(const cells::CellCapture& capture)
{
    if (session_.Batch().isEmpty() || session_.Store() == nullptr)
        return;
    if (recheck_) {
        Recheck(capture);
        return;
    }
    store::CaptureInput input = InputOf(capture);
    input.label = nextLabel_;
    SetNextLabel({});
    storeNews_.clear();

    const cells::Grade& grade = session_.Rules().grades.GradeOf(capture.Voltage, capture.ResistanceMilliOhm);
    // The range's unit ("40 mOhm" → "mΩ"), written as people write it.
    const QString unit = FromStd(capture.Reading.RangeText).section(' ', 1).replace("Ohm", "Ω");
    const QString resistance = FromStd(capture.Reading.ResistanceText) + " " + unit;
    window_->ShowCapture(grade, input.voltageText, resistance, tr("Captured → %1").arg(input.grade));
    Announce(grade);
    stateText_ = tr("Lift the cell");
    session_.Store()->Run<store::CaptureReceipt>(
        [input](store::CellStore& store) { return store.RecordCapture(input); },
        [this, input, grade, resistance, touch = touches_](const store::CaptureReceipt& receipt) {
            if (receipt.sentAhead > 0)
                QueueSent(receipt.sentAhead);
            if (window_.isNull() || input.batch != session_.Batch())
                return;
            // An answer that comes after the next cell touched the probes leaves the tile to it.
            const bool tileIsThisCells = touch == touches_;
            if (receipt.queued) {
                if (tileIsThisCells)
                    window_->ShowCapture(grade, input.voltageText, resistance, tr("Queued → %1").arg(input.grade));
                return;
            }
            lastCaptured_ = receipt.cellNumber;
            store::CellRow row;
            row.number = receipt.cellNumber;
            row.label = receipt.label;
            row.latest = {input.clientUuid, input.station, input.operatorName, input.measuredUtc, input.voltageV,
                          input.resistanceMohm, input.voltageText, input.resistanceText, input.rangeText,
                          input.temperatureC, input.grade};
            const auto& shown = session_.Cells().Cells();
            const auto earlier = std::find_if(shown.begin(), shown.end(),
                                              [&row](const store::CellRow& cell) { return cell.number == row.number; });
            if (earlier != shown.end())
                row.capacityMah = earlier->capacityMah;
            session_.Cells().Upsert(row);
            window_->RefreshSummary();
            if (tileIsThisCells)
                window_->ShowCapture(grade, input.voltageText, resistance,
                                     tr("Captured %1 → %2").arg(store::CellName(receipt.label, receipt.cellNumber), input.grade));
        });
}

store::CaptureInput CellSortingController::InputOf(const cells::CellCapture& capture) const
{
    store::CaptureInput input = store::GradedCapture(capture, session_.Rules().grades);
    input.batch = session_.Batch();
    input.station = station_;
    input.operatorName = qEnvironmentVariable("USER");
    input.measuredUtc = setup_.utcNow();
    return input;
}

void CellSortingController::SetRecheck(bool on)
{
    recheck_ = on;
    trayNext_ = 0;
    ShowNext();
    if (on)
        StartTray();
}

// The table follows the database, so other stations' rechecks are in it; this station's that
// still wait in its queue count too.
void CellSortingController::StartTray()
{
    if (window_.isNull() || session_.Batch().isEmpty())
        return;
    const QString batch = session_.Batch();
    session_.Store()->Run<std::vector<QString>>(
        [batch](store::CellStore& store) { return store.WaitingRechecks(batch); },
        [this, batch](const std::vector<QString>& waiting) {
            if (window_.isNull() || !recheck_ || batch != session_.Batch())
                return;
            const std::vector<store::CellRow>& cells = session_.Cells().Cells();
            trayNext_ = NumberAt(cells, store::TrayStart(cells, 0, waiting).value_or(cells.size()));
            if (trayNext_ == 0)
                window_->ShowNotice(tr("Every cell of the batch has a recheck: scan the ID of the cell to recheck"));
            ShowNext();
        });
}

void CellSortingController::Recheck(const cells::CellCapture& capture)
{
    CellTableModel& shown = session_.Cells();
    const QString label = nextLabel_;
    const std::optional<int> tray = label.isEmpty() ? shown.RowOf(trayNext_) : std::nullopt;
    if (label.isEmpty() && !tray) {
        sounds_->Play(CaptureSounds::Reject);
        window_->ShowNotice(tr("The tray is done, nothing stored: scan the cell's ID"));
        return;
    }
    const store::CaptureInput input = InputOf(capture);
    const store::CellKey key = tray ? store::CellKey(trayNext_) : store::CellKey(label);
    window_->ShowRechecking(tray ? store::CellName({}, trayNext_) : label, input.voltageText);
    // The tray goes on in number order, whatever the store answers.
    if (tray)
        trayNext_ = NumberAt(shown.Cells(), store::NextInTray(shown.Cells(), trayNext_));
    SetNextLabel({});
    storeNews_.clear();
    stateText_ = tr("Lift the cell");
    struct Rechecked {
        store::CaptureReceipt receipt;
        QString refused;  // the store's reason; empty: stored or queued
    };
    session_.Store()->Run<Rechecked>(
        [key, input](store::CellStore& store) {
            try {
                return Rechecked{store.RecordRecheck(key, input), {}};
            } catch (const store::StoreError& error) {
                if (error.Kind() != store::StoreErrorKind::NotFound)
                    throw;
                return Rechecked{{}, error.Message()};
            }
        },
        [this, input, label, touch = touches_](const Rechecked& rechecked) {
            const store::CaptureReceipt& receipt = rechecked.receipt;
            if (receipt.sentAhead > 0)
                QueueSent(receipt.sentAhead);
            if (window_.isNull() || input.batch != session_.Batch())
                return;
            if (rechecked.refused.isEmpty())
                ShowRechecked(receipt, input, touch == touches_);
            else
                RefuseRecheck(rechecked.refused, label);
        });
}

void CellSortingController::RefuseRecheck(const QString& reason, const QString& label)
{
    window_->ClearCapture();
    sounds_->Play(CaptureSounds::Reject);
    window_->ShowNotice(tr("%1, nothing stored").arg(reason));
    // The ID stays in its field for correction, and names the next capture until it is.
    if (!label.isEmpty()) {
        SetNextLabel(label);
        window_->RestoreId(nextLabel_);
    }
}

void CellSortingController::ShowRechecked(const store::CaptureReceipt& receipt, const store::CaptureInput& input,
                                          bool onTile)
{
    if (receipt.queued) {
        if (onTile)
            window_->ClearCapture();
        window_->ShowNotice(tr("The recheck of %1 is queued").arg(receipt.label));
        return;
    }
    CellTableModel& table = session_.Cells();
    const std::optional<int> place = table.RowOf(receipt.cellNumber);
    if (!place) {
        // A cell another station added since the table was read: read it again.
        session_.Reload();
        return;
    }
    store::CellRow row = table.Cells()[static_cast<std::size_t>(*place)];
    row.recheck = store::VoltageReading{receipt.clientUuid, input.measuredUtc, input.voltageV, input.temperatureC};
    table.Upsert(row);
    window_->RefreshSummary();
    // Judged over the batch: the lot's line moves with every recheck.
    const cells::SelfDischargeResult result =
        store::SelfDischargeOf(table.Cells(), session_.Rules().selfDischarge).cells[static_cast<std::size_t>(*place)];
    if (onTile)
        window_->ShowRecheck(result, store::CellName(row), input.voltageText);
    AnnounceVerdict(result.verdict);
}

void CellSortingController::AnnounceVerdict(cells::SelfDischargeVerdict verdict)
{
    if (verdict == cells::SelfDischargeVerdict::Ok)
        sounds_->Play(0);
    else if (verdict == cells::SelfDischargeVerdict::Suspect)
        sounds_->Play(CaptureSounds::Reject);
}

void CellSortingController::Announce(const cells::Grade& grade)
{
    const auto found = std::find(session_.Rules().grades.Grades.begin(), session_.Rules().grades.Grades.end(), grade);
    const bool rejected = found == session_.Rules().grades.Grades.end();
    sounds_->Play(rejected ? CaptureSounds::Reject : static_cast<int>(found - session_.Rules().grades.Grades.begin()));
    speech_->Say(rejected ? tr("reject") : FromStd(grade.Name));
}

void CellSortingController::Undo()
{
    if (session_.Batch().isEmpty() || session_.Store() == nullptr)
        return;
    const QString batch = session_.Batch();
    const QString station = station_;
    const bool recheck = recheck_;
    session_.Store()->Run<std::optional<store::WithdrawnCapture>>(
        [batch, station, recheck](store::CellStore& store) {
            return store.WithdrawLast(batch, station, recheck ? store::MeasurementKind::Recheck : store::MeasurementKind::Sort);
        },
        [this, recheck](const std::optional<store::WithdrawnCapture>& withdrawn) {
            if (window_.isNull())
                return;
            const QString cell = withdrawn ? store::CellName(withdrawn->label, withdrawn->cellNumber) : QString();
            window_->ShowState(!withdrawn ? tr("Nothing to undo")
                               : recheck  ? tr("Withdrew the recheck of %1").arg(cell)
                                          : tr("Withdrew %1").arg(cell));
            if (withdrawn) {
                window_->ClearCapture();
                // The cell placed again takes the ID it was scanned with; without one, the tray
                // goes back to it.
                if (!withdrawn->label.isEmpty()) {
                    SetNextLabel(withdrawn->label);
                    window_->RestoreId(nextLabel_);
                } else if (recheck && recheck_) {
                    trayNext_ = withdrawn->cellNumber;
                    ShowNext();
                }
            }
            session_.Reload();
        });
}

void CellSortingController::Retest(qint64 cellNumber)
{
    const auto& shown = session_.Cells().Cells();
    const auto cell = std::find_if(shown.begin(), shown.end(),
                                   [cellNumber](const store::CellRow& row) { return row.number == cellNumber; });
    if (cell == shown.end()) {
        window_->ShowNotice(tr("Select the cell to retest in the table first."));
        return;
    }
    if (session_.Store() == nullptr)
        return;
    // The next capture finds the cell by its label, or by its number when it has none.
    SetNextLabel(store::CellName(*cell));
}

void CellSortingController::SetNextLabel(const QString& label)
{
    try {
        nextLabel_ = FromStd(cells::NormalCellId(label.toStdString()));
    } catch (const cells::NameRefused& refused) {
        if (!window_.isNull())
            window_->ShowNotice(AsSentence(CoreFaults::Worded(refused.Fault())));
        return;
    }
    ShowNext();
}

void CellSortingController::ShowNext()
{
    if (window_.isNull())
        return;
    const bool tray = recheck_ && nextLabel_.isEmpty() && trayNext_ != 0;
    window_->ShowNextId(tray ? store::CellName({}, trayNext_) : nextLabel_);
}

void CellSortingController::Export(CellSortingWindow::ExportFormat format)
{
    if (window_.isNull() || session_.Batch().isEmpty())
        return;
    using Format = CellSortingWindow::ExportFormat;
    const QString fileName = context_.dialogs.AskSaveFileName(
        window_, format == Format::Json             ? tr("JSON lines (*.jsonl *.json)")
                 : format == Format::SpreadsheetCsv ? tr("CSV for spreadsheets (*.csv)")
                                                    : tr("CSV (*.csv)"));
    if (fileName.isEmpty())
        return;
    const QByteArray bytes = format == Format::SpreadsheetCsv
                                 ? window_->SpreadsheetCsv()
                                 : QByteArray::fromStdString(store::CellsExport(session_.Batch(), session_.Cells().Cells(),
                                                                                session_.Rules().selfDischarge, format == Format::Json));
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) < 0 || !file.flush())
        context_.dialogs.ShowMessage(window_, MessageIcon::Critical,
                                     tr("Could not write %1: %2").arg(fileName, file.errorString()));
}

void CellSortingController::ImportCapacities()
{
    if (window_.isNull() || session_.Batch().isEmpty() || session_.Store() == nullptr)
        return;
    const QString fileName = context_.dialogs.AskOpenFileName(window_, tr("CSV (*.csv *.txt);;All Files (*.*)"));
    if (fileName.isEmpty())
        return;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        context_.dialogs.ShowMessage(window_, MessageIcon::Critical,
                                     tr("Could not read %1: %2").arg(fileName, file.errorString()));
        return;
    }
    const QString batch = session_.Batch();
    const store::CapacityImport import =
        store::MatchCapacities(cells::ReadCapacityCsv(file.readAll().toStdString()), session_.Cells().Cells(), batch);
    QStringList problems;
    for (const std::string& problem : import.problems)
        problems << FromStd(problem);
    QStringList changes;
    for (const store::CapacityChange& change : import.changes)
        changes << FromStd(change.Text());
    const auto count = static_cast<int>(import.capacities.size());
    CapacityImportDialog report(fileName, batch, count, problems, changes, window_);
    context_.dialogs.RunModal(report);
    if (report.result() != QDialog::Accepted || window_.isNull())
        return;
    // The capacities are set in one transaction, then the batch is read back for the table,
    // statistics and histograms.
    session_.Store()->Run<bool>(
        [batch, capacities = import.capacities](store::CellStore& store) {
            store.SetCapacities(batch, capacities);
            return true;
        },
        [this, count](bool) {
            session_.Reload();
            if (!window_.isNull())
                window_->ShowNotice(tr("%1 %2 got a capacity").arg(count).arg(count == 1 ? tr("cell") : tr("cells")));
        });
}

void CellSortingController::ShowQueue()
{
    if (window_.isNull() || session_.Store() == nullptr)
        return;
    QueueDialog queue(*session_.Store(), context_.dialogs, window_);
    context_.dialogs.RunModal(queue);
}

void CellSortingController::EditGrades()
{
    if (window_.isNull() || session_.Batch().isEmpty() || session_.Store() == nullptr)
        return;
    GradeEditorDialog editor(session_.Rules().grades, window_);
    context_.dialogs.RunModal(editor);
    if (editor.result() != QDialog::Accepted || window_.isNull())
        return;
    // The next capture is graded by the new table at once; the batch keeps it for later sessions.
    session_.SetGrades(editor.Grades());
    window_->ShowRules();
    const QString batch = session_.Batch();
    const QString gradesJson = FromStd(cells::GradesToJson(session_.Rules().grades));
    session_.Store()->Run<bool>([batch, gradesJson](store::CellStore& store) {
        store.SetGrades(batch, gradesJson);
        return true;
    }, [this, batch](bool) { OfferRegrade(batch); });
}

// The cells graded by the table before may be graded again by the new one, on the store's thread.
void CellSortingController::OfferRegrade(const QString& batch)
{
    const auto cells = window_.isNull() || batch != session_.Batch() ? 0 : session_.Cells().rowCount();
    if (cells == 0
        || !context_.dialogs.ConfirmDestructive(
            window_, {(cells == 1 ? tr("Regrade the cell of %1 graded by the previous grade table?")
                                  : tr("Regrade the %1 cells of %2 graded by the previous grade table?").arg(cells))
                          .arg(batch),
                      tr("Regrade")}))
        return;
    session_.Store()->Run<store::RegradeResult>([batch](store::CellStore& store) { return store.Regrade(batch); },
                                      [this, batch](const store::RegradeResult& result) {
                                          if (window_.isNull() || batch != session_.Batch())
                                              return;
                                          QStringList changes;
                                          for (const auto& [change, count] : store::RegradeCounts(result))
                                              changes << tr("%1 → %2: %3").arg(change.first, change.second).arg(count);
                                          const auto changed = static_cast<int>(result.changed.size());
                                          const auto packed = static_cast<int>(std::ranges::count_if(
                                              result.changed, [](const store::CellRegrade& cell) { return !cell.pack.isEmpty(); }));
                                          QString notice = changes.isEmpty()
                                                               ? tr("Regraded: no cell changed grade")
                                                               : tr("Regraded: %1 %2 changed grade (%3)")
                                                                     .arg(changed)
                                                                     .arg(changed == 1 ? tr("cell") : tr("cells"),
                                                                          changes.join(", "));
                                          if (packed > 0)
                                              notice += " " + tr("%1 of them in saved packs.").arg(packed);
                                          window_->ShowNotice(notice);
                                          session_.Reload();
                                      });
}

void CellSortingController::TakeCapacity(qint64 cellNumber)
{
    if (window_.isNull() || session_.Batch().isEmpty() || session_.Store() == nullptr)
        return;
    const qint64 number = cellNumber != 0 ? cellNumber : lastCaptured_;
    const std::optional<double> capacity = cells::OutCapacityMilliAmpHours(meter_.reading);
    if (number == 0 || !capacity) {
        window_->ShowNotice(number == 0 ? tr("Select a cell, or capture one, to give it the meter's capacity.")
                                        : tr("The meter shows no out-capacity."));
        return;
    }
    // A capacity the cell has is replaced only when the user says so, the poll paused meanwhile.
    const auto& cells = session_.Cells().Cells();
    const auto held = std::ranges::find_if(cells, [number](const store::CellRow& row) { return row.number == number; });
    if (held != cells.end() && held->capacityMah && *held->capacityMah != *capacity) {
        const RunPause pause(context_.run);
        QString question = tr("Replace the capacity of %1, %2 mAh, by the meter's %3 mAh?")
                               .arg(store::CellName(*held))
                               .arg(*held->capacityMah, 0, 'f', 0)
                               .arg(*capacity, 0, 'f', 0);
        if (!held->pack.isEmpty())
            question += " " + tr("It is in saved pack %1.").arg(held->pack);
        if (!context_.dialogs.ConfirmDestructive(window_, {question, tr("Replace")}))
            return;
    }
    const QString batch = session_.Batch();
    session_.Store()->Run<qint64>([batch, number, capacity](store::CellStore& store) {
        store.SetCapacity(batch, number, capacity);
        return number;
    }, [this, batch, capacity](qint64 stored) {
        if (window_.isNull() || batch != session_.Batch())
            return;
        const auto& shown = session_.Cells().Cells();
        const auto cell = std::find_if(shown.begin(), shown.end(),
                                       [stored](const store::CellRow& row) { return row.number == stored; });
        if (cell == shown.end())
            return;
        store::CellRow row = *cell;
        row.capacityMah = capacity;
        session_.Cells().Upsert(row);
        window_->RefreshSummary();
        window_->ShowNotice(tr("%1 takes %2 mAh").arg(store::CellName(row)).arg(*capacity, 0, 'f', 0));
    });
}

// A cell charged and sorted again after storage is judged from that capture, until its first is
// taken back.
void CellSortingController::SetReference(qint64 cellNumber, bool first)
{
    if (window_.isNull() || session_.Store() == nullptr)
        return;
    const auto& shown = session_.Cells().Cells();
    const auto cell = std::ranges::find_if(shown, [cellNumber](const store::CellRow& row) { return row.number == cellNumber; });
    if (cell == shown.end()) {
        window_->ShowNotice(tr("Select the cell in the table first."));
        return;
    }
    const QString batch = session_.Batch();
    const QString capture = first ? QString() : cell->latest.clientUuid;
    session_.Store()->Run<std::optional<store::CellRow>>(
        [batch, cellNumber, capture](store::CellStore& store) {
            store.SetReference(batch, cellNumber, capture);
            return store.Cell(batch, cellNumber);
        },
        [this, batch](const std::optional<store::CellRow>& row) {
            if (window_.isNull() || batch != session_.Batch() || !row || !row->reference)
                return;
            session_.Cells().Upsert(*row);
            window_->RefreshSummary();
            window_->ShowNotice(tr("%1 is judged from its capture of %2")
                                    .arg(store::CellName(*row),
                                         QLocale().toString(row->reference->measuredUtc.toLocalTime(), QLocale::ShortFormat)));
        });
}

} // namespace voltaryn
