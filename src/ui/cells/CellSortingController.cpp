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
#include "ui/cells/CapacityImportDialog.h"
#include "ui/cells/CaptureSounds.h"
#include "ui/cells/CaptureSpeech.h"
#include "ui/cells/CellSortingWindow.h"
#include "ui/cells/GradeEditorDialog.h"
#include "ui/cells/QueueDialog.h"
#include "ui/cells/StoreThread.h"
#include "ui/common/QtText.h"
#include "ui/common/ScreenFit.h"

#include <QElapsedTimer>
#include <QFile>
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

CellSortingController::CellSortingController(const FeatureContext& context, const MeterSession& meter,
                                             CellSortingSetup setup)
    : context_(context), meter_(meter), setup_(std::move(setup)), sounds_(new CaptureSounds(this)),
      speech_(new CaptureSpeech(this)), station_(QSysInfo::machineHostName())
{
    const auto notice = [this](const QString& text) {
        if (!window_.isNull())
            window_->ShowNotice(text);
    };
    connect(sounds_, &CaptureSounds::notice, this, notice);
    connect(speech_, &CaptureSpeech::notice, this, notice);
    if (!setup_.sinceStart) {
        auto started = std::make_shared<QElapsedTimer>();
        started->start();
        setup_.sinceStart = [started] { return cells::ReadingTime(started->elapsed()); };
    }
}

CellSortingController::~CellSortingController() = default;

CellSortingWindow* CellSortingController::Window() const { return window_; }

void CellSortingController::Register(ToolbarCommands& toolbar) { toolbar.Add("Cells", [this] { Open(); }); }

void CellSortingController::Open()
{
    if (!window_.isNull()) {
        window_->show();
        window_->raise();
        window_->activateWindow();
        return;
    }
    window_ = new CellSortingWindow(&context_.mainWindow);
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
    OpenStore();
    ListBatches({});
}

void CellSortingController::OpenStore()
{
    if (store_)
        return;
    store::StoreAddress address;
    try {
        address = store::ParseStoreAddress(setup_.storeAddress);
    } catch (const std::exception& error) {
        context_.dialogs.ShowMessage(window_, MessageIcon::Critical, error.what());
        return;
    }
    store::StoreOptions options;
    options.clock = setup_.utcNow;
    store_ = std::make_unique<StoreThread>(address, options);
    connect(store_.get(), &StoreThread::failed, this, [this](const QString& message) {
        Answered();
        if (!window_.isNull())
            window_->ShowNotice(message.simplified());
    });
    connect(store_.get(), &StoreThread::statusChanged, this, [this](bool allSent, const QString& text) {
        // The store's trouble stays on the tile until it is over: "Offline — 12 queued".
        storeTrouble_ = allSent ? QString() : AsSentence(text);
        ShowState();
    });
    connect(store_.get(), &StoreThread::queueSent, this, &CellSortingController::QueueSent);
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
    if (!batch_.isEmpty())
        ReloadCells();
}

// Lists the store's batches and opens `open`, else the newest; with none, starts a new one.
void CellSortingController::ListBatches(const QString& open)
{
    if (!store_)
        return;
    const QString fresh = NewBatchName(setup_.utcNow());
    const QString gradesJson = FromStd(cells::GradesToJson(cells::DefaultLiIonGrades()));
    store_->Run<QStringList>(
        [fresh, gradesJson](store::CellStore& store) {
            QStringList names;
            for (const store::BatchSummary& summary : store.ListBatches())
                names << summary.batch.name;
            if (names.isEmpty()) {
                store.CreateBatch(fresh, {}, gradesJson);
                names << fresh;
            }
            return names;
        },
        [this, open](const QStringList& names) {
            Answered();
            if (window_.isNull())
                return;
            const QString chosen = names.contains(open) ? open : names.constLast();
            window_->SetBatches(names, chosen);
            OpenBatch(chosen);
        });
}

// A batch whose grades cannot be read is not opened: its store error is told, and nothing is
// captured until another batch is.
void CellSortingController::OpenBatch(const QString& name)
{
    struct Opened {
        store::BatchRules rules;
        std::vector<store::CellRow> cells;
    };
    batch_.clear();
    store_->Run<Opened>(
        [name](store::CellStore& store) {
            const std::optional<store::BatchInfo> batch = store.FindBatch(name);
            if (!batch)
                throw store::StoreError(store::StoreErrorKind::NotFound, QStringLiteral("There is no batch \"%1\"").arg(name));
            return Opened{store::RulesOf(*batch), store.Cells(name)};
        },
        [this, name](const Opened& opened) {
            Answered();
            batch_ = name;
            lastCaptured_ = 0;
            grades_ = opened.rules.grades;
            selfDischarge_ = opened.rules.selfDischarge;
            if (window_.isNull())
                return;
            window_->setWindowTitle(tr("Cell Sorting — %1").arg(name));
            window_->SetGrades(grades_);
            window_->SetSelfDischarge(selfDischarge_);
            window_->Cells().Reset(opened.cells);
            window_->RefreshSummary();
            trayNext_ = 0;
            ShowNext();
            if (recheck_)
                StartTray();
        });
}

void CellSortingController::NewBatch()
{
    const QString name = context_.dialogs.AskText(window_, tr("New batch"), tr("Name of the new batch:"),
                                                  NewBatchName(setup_.utcNow())).trimmed();
    if (name.isEmpty() || !store_)
        return;
    const QString gradesJson = FromStd(cells::GradesToJson(cells::DefaultLiIonGrades()));
    store_->Run<bool>([name, gradesJson](store::CellStore& store) {
        store.CreateBatch(name, {}, gradesJson);
        return true;
    }, [this, name](bool) {
        Answered();
        ListBatches(name);
    });
}

// The question tells the cells the database holds now, other stations' included; no capture
// comes while it is asked, and Cancel is what Enter presses.
void CellSortingController::DeleteBatch()
{
    if (batch_.isEmpty() || window_.isNull() || !store_)
        return;
    const QString name = batch_;
    store_->Run<qint64>([name](store::CellStore& store) { return static_cast<qint64>(store.Cells(name).size()); },
                        [this, name](qint64 cells) {
                            Answered();
                            if (window_.isNull() || batch_ != name)
                                return;
                            const RunPause pause(context_.run);
                            if (!context_.dialogs.ConfirmDestructive(
                                    window_, {tr("Delete batch %1 with its %2 %3, their measurements and packs?")
                                                  .arg(name)
                                                  .arg(cells)
                                                  .arg(cells == 1 ? tr("cell") : tr("cells")),
                                              tr("Delete")}))
                                return;
                            batch_.clear();
                            store_->Run<qint64>([name](store::CellStore& store) { return store.DeleteBatch(name); },
                                                [this](qint64) {
                                                    Answered();
                                                    ListBatches({});
                                                });
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
    if (batch_.isEmpty() || !store_)
        return;
    if (recheck_) {
        Recheck(capture);
        return;
    }
    store::CaptureInput input = InputOf(capture);
    input.label = nextLabel_;
    SetNextLabel({});
    storeNews_.clear();

    const cells::Grade& grade = grades_.GradeOf(capture.Voltage, capture.ResistanceMilliOhm);
    // The range's unit ("40 mOhm" → "mΩ"), written as people write it.
    const QString unit = FromStd(capture.Reading.RangeText).section(' ', 1).replace("Ohm", "Ω");
    const QString resistance = FromStd(capture.Reading.ResistanceText) + " " + unit;
    window_->ShowCapture(grade, input.voltageText, resistance, tr("Captured → %1").arg(input.grade));
    Announce(grade);
    stateText_ = tr("Lift the cell");
    store_->Run<store::CaptureReceipt>(
        [input](store::CellStore& store) { return store.RecordCapture(input); },
        [this, input, grade, resistance](const store::CaptureReceipt& receipt) {
            Answered();
            if (receipt.sentAhead > 0)
                QueueSent(receipt.sentAhead);
            if (window_.isNull() || input.batch != batch_)
                return;
            if (receipt.queued) {
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
            const auto& shown = window_->Cells().Cells();
            const auto earlier = std::find_if(shown.begin(), shown.end(),
                                              [&row](const store::CellRow& cell) { return cell.number == row.number; });
            if (earlier != shown.end())
                row.capacityMah = earlier->capacityMah;
            window_->Cells().Upsert(row);
            window_->RefreshSummary();
            window_->ShowCapture(grade, input.voltageText, resistance,
                                 tr("Captured %1 → %2").arg(store::CellName(receipt.label, receipt.cellNumber), input.grade));
        });
}

store::CaptureInput CellSortingController::InputOf(const cells::CellCapture& capture) const
{
    store::CaptureInput input = store::GradedCapture(capture, grades_);
    input.batch = batch_;
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

void CellSortingController::StartTray()
{
    if (batch_.isEmpty() || !store_)
        return;
    const QString batch = batch_;
    store_->Run<qint64>(
        [batch](store::CellStore& store) {
            const std::vector<store::CellRow> cells = store.Cells(batch);
            return NumberAt(cells, store::TrayStart(cells).value_or(cells.size()));
        },
        [this, batch](qint64 first) {
            Answered();
            if (window_.isNull() || batch != batch_ || !recheck_)
                return;
            trayNext_ = first;
            if (first == 0)
                window_->ShowNotice(tr("Every cell of the batch has a recheck: scan the ID of the cell to recheck"));
            ShowNext();
        });
}

void CellSortingController::Recheck(const cells::CellCapture& capture)
{
    CellTableModel& shown = window_->Cells();
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
    store_->Run<Rechecked>(
        [key, input](store::CellStore& store) {
            try {
                return Rechecked{store.RecordRecheck(key, input), {}};
            } catch (const store::StoreError& error) {
                if (error.Kind() != store::StoreErrorKind::NotFound)
                    throw;
                return Rechecked{{}, error.Message()};
            }
        },
        [this, input, label](const Rechecked& rechecked) {
            Answered();
            const store::CaptureReceipt& receipt = rechecked.receipt;
            if (receipt.sentAhead > 0)
                QueueSent(receipt.sentAhead);
            if (window_.isNull() || input.batch != batch_)
                return;
            if (rechecked.refused.isEmpty())
                ShowRechecked(receipt, input);
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

void CellSortingController::ShowRechecked(const store::CaptureReceipt& receipt, const store::CaptureInput& input)
{
    if (receipt.queued) {
        window_->ClearCapture();
        window_->ShowNotice(tr("The recheck of %1 is queued").arg(receipt.label));
        return;
    }
    CellTableModel& table = window_->Cells();
    const std::optional<int> place = table.RowOf(receipt.cellNumber);
    if (!place) {
        // A cell another station added since the table was read: read it again.
        ReloadCells();
        return;
    }
    store::CellRow row = table.Cells()[static_cast<std::size_t>(*place)];
    row.recheck = store::VoltageReading{receipt.clientUuid, input.measuredUtc, input.voltageV, input.temperatureC};
    table.Upsert(row);
    window_->RefreshSummary();
    // Judged over the batch: the lot's line moves with every recheck.
    const cells::SelfDischargeResult result =
        store::SelfDischargeOf(table.Cells(), selfDischarge_).cells[static_cast<std::size_t>(*place)];
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
    const auto found = std::find(grades_.Grades.begin(), grades_.Grades.end(), grade);
    const bool rejected = found == grades_.Grades.end();
    sounds_->Play(rejected ? CaptureSounds::Reject : static_cast<int>(found - grades_.Grades.begin()));
    speech_->Say(rejected ? tr("reject") : FromStd(grade.Name));
}

void CellSortingController::Undo()
{
    if (batch_.isEmpty() || !store_)
        return;
    const QString batch = batch_;
    const QString station = station_;
    store_->Run<std::optional<store::WithdrawnCapture>>(
        [batch, station](store::CellStore& store) { return store.WithdrawLast(batch, station); },
        [this](const std::optional<store::WithdrawnCapture>& withdrawn) {
            Answered();
            if (window_.isNull())
                return;
            window_->ShowState(withdrawn ? tr("Withdrew %1").arg(store::CellName(withdrawn->label, withdrawn->cellNumber))
                                         : tr("Nothing to undo"));
            if (withdrawn) {
                window_->ClearCapture();
                // The cell placed again takes the ID it was scanned with.
                if (!withdrawn->label.isEmpty()) {
                    SetNextLabel(withdrawn->label);
                    window_->RestoreId(nextLabel_);
                }
            }
            ReloadCells();
        });
}

void CellSortingController::Retest(qint64 cellNumber)
{
    const auto& shown = window_->Cells().Cells();
    const auto cell = std::find_if(shown.begin(), shown.end(),
                                   [cellNumber](const store::CellRow& row) { return row.number == cellNumber; });
    if (cell == shown.end()) {
        window_->ShowNotice(tr("Select the cell to retest in the table first."));
        return;
    }
    if (!store_)
        return;
    // The next capture finds the cell by its label, or by its number when it has none.
    SetNextLabel(store::CellName(*cell));
}

void CellSortingController::ReloadCells()
{
    const QString batch = batch_;
    store_->Run<std::vector<store::CellRow>>([batch](store::CellStore& store) { return store.Cells(batch); },
                                             [this, batch](const std::vector<store::CellRow>& cells) {
                                                 Answered();
                                                 if (window_.isNull() || batch != batch_)
                                                     return;
                                                 window_->Cells().Reset(cells);
                                                 window_->RefreshSummary();
                                             });
}

void CellSortingController::SetNextLabel(const QString& label)
{
    try {
        nextLabel_ = FromStd(cells::NormalCellId(label.toStdString()));
    } catch (const cells::NameRefused& refused) {
        if (!window_.isNull())
            window_->ShowNotice(FromStd(refused.what()));
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
    if (window_.isNull() || batch_.isEmpty())
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
                                 : QByteArray::fromStdString(store::CellsExport(batch_, window_->Cells().Cells(),
                                                                                selfDischarge_, format == Format::Json));
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) < 0 || !file.flush())
        context_.dialogs.ShowMessage(window_, MessageIcon::Critical,
                                     tr("Could not write %1: %2").arg(fileName, file.errorString()));
}

void CellSortingController::ImportCapacities()
{
    if (window_.isNull() || batch_.isEmpty() || !store_)
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
    const QString batch = batch_;
    const store::CapacityImport import =
        store::MatchCapacities(cells::ReadCapacityCsv(file.readAll().toStdString()), window_->Cells().Cells(), batch);
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
    store_->Run<std::vector<store::CellRow>>(
        [batch, capacities = import.capacities](store::CellStore& store) {
            store.SetCapacities(batch, capacities);
            return store.Cells(batch);
        },
        [this, batch, count](const std::vector<store::CellRow>& cells) {
            Answered();
            if (window_.isNull() || batch != batch_)
                return;
            window_->Cells().Reset(cells);
            window_->RefreshSummary();
            window_->ShowNotice(tr("%1 %2 got a capacity").arg(count).arg(count == 1 ? tr("cell") : tr("cells")));
        });
}

void CellSortingController::ShowQueue()
{
    if (window_.isNull() || !store_)
        return;
    QueueDialog queue(*store_, context_.dialogs, window_);
    context_.dialogs.RunModal(queue);
}

void CellSortingController::EditGrades()
{
    if (window_.isNull() || batch_.isEmpty() || !store_)
        return;
    GradeEditorDialog editor(grades_, window_);
    context_.dialogs.RunModal(editor);
    if (editor.result() != QDialog::Accepted || window_.isNull())
        return;
    // The next capture is graded by the new table at once; the batch keeps it for later sessions.
    grades_ = editor.Grades();
    window_->SetGrades(grades_);
    window_->RefreshSummary();
    const QString batch = batch_;
    const QString gradesJson = FromStd(cells::GradesToJson(grades_));
    store_->Run<bool>([batch, gradesJson](store::CellStore& store) {
        store.SetGrades(batch, gradesJson);
        return true;
    }, [this](bool) { Answered(); });
}

void CellSortingController::TakeCapacity(qint64 cellNumber)
{
    if (window_.isNull() || batch_.isEmpty() || !store_)
        return;
    const qint64 number = cellNumber != 0 ? cellNumber : lastCaptured_;
    const std::optional<double> capacity = cells::OutCapacityMilliAmpHours(meter_.reading);
    if (number == 0 || !capacity) {
        window_->ShowNotice(number == 0 ? tr("Select a cell, or capture one, to give it the meter's capacity.")
                                        : tr("The meter shows no out-capacity."));
        return;
    }
    // A capacity the cell has is replaced only when the user says so, the poll paused meanwhile.
    const auto& cells = window_->Cells().Cells();
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
    const QString batch = batch_;
    store_->Run<qint64>([batch, number, capacity](store::CellStore& store) {
        store.SetCapacity(batch, number, capacity);
        return number;
    }, [this, batch, capacity](qint64 stored) {
        Answered();
        if (window_.isNull() || batch != batch_)
            return;
        const auto& shown = window_->Cells().Cells();
        const auto cell = std::find_if(shown.begin(), shown.end(),
                                       [stored](const store::CellRow& row) { return row.number == stored; });
        if (cell == shown.end())
            return;
        store::CellRow row = *cell;
        row.capacityMah = capacity;
        window_->Cells().Upsert(row);
        window_->RefreshSummary();
        window_->ShowNotice(tr("%1 takes %2 mAh").arg(store::CellName(row)).arg(*capacity, 0, 'f', 0));
    });
}

} // namespace voltaryn
