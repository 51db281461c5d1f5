#pragma once

#include "cells/CaptureEngine.h"
#include "cells/Grades.h"
#include "cells/SelfDischarge.h"
#include "meter/MeterSession.h"
#include "store/StoreTypes.h"
#include "ui/cells/CellSortingWindow.h"
#include "ui/common/FeatureContext.h"
#include "ui/panel/ToolbarCommands.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

namespace voltaryn {

class BatchSession;
class CaptureSounds;
class CaptureSpeech;
class StoreThread;

// Where the cell database is and what the station's clocks say; tests hand in their own.
struct CellSortingSetup {
    QString storeAddress = {};  // as the command line's --db takes it; empty: the default SQLite file
    std::function<cells::ReadingTime()> sinceStart = {};  // a steady clock for the capture engine; empty: the real one
    std::function<QDateTime()> utcNow = [] { return QDateTime::currentDateTimeUtc(); };
};
// The setup's steady clock, else one started now.
std::function<cells::ReadingTime()> SteadyClockOf(const CellSortingSetup& setup);

// The Cell Sorting flow: the toolbar's "Cells" key opens the window. While it is open every
// decoded display goes to a capture engine; a capture is graded under the batch's grades,
// committed in order through a CellStore on its own thread and then shown, with the table,
// counts, histograms and statistics of the batch. In recheck mode a capture is instead the recheck
// of a cell the batch holds, the one scanned or the tray's next, and is judged for self-discharge. Undo, retest, batch deletion, export, capacity import, the
// grade editor and capacities taken from the meter's display work on the same store.
class CellSortingController : public QObject {
    Q_OBJECT
public:
    CellSortingController(const FeatureContext& context, const MeterSession& meter, BatchSession& session,
                          CellSortingSetup setup);
    ~CellSortingController() override;

    void Register(ToolbarCommands& toolbar);
    // Opens the window, or brings it forward.
    void Open();
    // Hands the display just decoded to the capture engine while the window is open.
    void DisplayDecoded();

    CellSortingWindow* Window() const;

signals:
    // Passed on from the window, for the flows that build packs and write reports.
    void packBuilderRequested(const QString& batch);
    void reportRequested(const QString& batch);

private:
    // A new batch's suggested name, from the local time.
    static QString NewBatchName(const QDateTime& utc);
    // The capture engine's state as the tile says it.
    static QString StateText(const cells::CaptureStep& step);
    // What became of a cell not captured, with the engine now in `state`.
    static QString ProblemText(cells::CaptureProblem problem, cells::CaptureState state);
    // Opens `name`, else the newest batch, in every window; with none, starts a new one.
    void OpenBatch(const QString& name);
    // The batch the session opened, from this window or another.
    void ShowBatch();
    void NewBatch();
    void DeleteBatch();
    void Record(const cells::CellCapture& capture);
    // The capture's reading for the batch, graded by its grades, from this station now.
    store::CaptureInput InputOf(const cells::CellCapture& capture) const;
    void SetRecheck(bool on);
    // In recheck mode the tray starts at the batch's first cell without a recheck.
    void StartTray();
    // The capture as the recheck of the cell scanned, else of the tray's next; an ID the batch
    // does not hold is refused and stays in the ID field.
    void Recheck(const cells::CellCapture& capture);
    // The store's answers to a recheck: refused (the cell is not the batch's), or stored or queued.
    void RefuseRecheck(const QString& reason, const QString& label);
    // `onTile`: no other cell has touched the probes since, so the tile is still this one's.
    void ShowRechecked(const store::CaptureReceipt& receipt, const store::CaptureInput& input, bool onTile);
    // The sound of a recheck's verdict: the first grade's for ok, the reject's for a suspect.
    void AnnounceVerdict(cells::SelfDischargeVerdict verdict);
    void Undo();
    void Retest(qint64 cellNumber);
    void Export(CellSortingWindow::ExportFormat format);
    void EditGrades();
    // After the grade editor: asks whether the cells shown are graded again by the batch's new table.
    void OfferRegrade(const QString& batch);
    void ShowQueue();
    // A charger's capacity CSV into the batch's cells, after its report has been shown and accepted.
    void ImportCapacities();
    // The meter's out-capacity becomes the capacity of `cellNumber`, or of the last cell captured.
    void TakeCapacity(qint64 cellNumber);
    void SetReference(qint64 cellNumber, bool first);
    void ShowStep(const cells::CaptureStep& step);
    // The engine's state on the tile, with the store's trouble, or its news, under it.
    void ShowState();
    // The store sent `count` captures that waited in its queue.
    void QueueSent(int count);
    void SetNextLabel(const QString& label);
    // The ID the next capture takes, else in recheck mode the tray's next cell.
    void ShowNext();
    // The sound and the spoken word of a capture under the batch's grades.
    void Announce(const cells::Grade& grade);

    const FeatureContext& context_;
    const MeterSession& meter_;
    BatchSession& session_;
    CellSortingSetup setup_;
    QPointer<CellSortingWindow> window_;
    CaptureSounds* sounds_;
    CaptureSpeech* speech_;
    cells::CaptureEngine engine_;
    QString nextLabel_;        // the label the next capture takes: scanned, typed or retested
    bool recheck_ = false;
    qint64 trayNext_ = 0;      // in recheck mode, the number of the tray's next cell; 0: none left
    qint64 lastCaptured_ = 0;  // the number of the batch's cell captured last here; 0: none yet
    int touches_ = 0;          // cells that touched the probes: whose the tile is
    QString station_;
    QString storeTrouble_;     // "Offline — 3 queued"; shown under the state
    QString storeNews_;        // "Back online: 3 queued captures sent"; shown until the next capture
    QString stateText_;
    cells::CaptureProblem problem_ = cells::CaptureProblem::None;  // the last cell's, until the next touch
};

} // namespace voltaryn
