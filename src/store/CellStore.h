#pragma once

#include "store/StoreAddress.h"
#include "store/StoreTypes.h"
#include "store/StringTypes.h"

#include <chrono>
#include <functional>
#include <memory>

namespace voltaryn::store {

class OfflineQueue;
class SqlConnection;

struct StoreOptions {
    // The offline queue's file, for a PostgreSQL store; empty: offline-queue.db beside DefaultSqlitePath().
    QString queuePath;
    // The clock that dates new batches, packs and migrations.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTimeUtc(); };
    // The clock the tries to reach the server again go by: the time since any fixed start.
    std::function<std::chrono::steady_clock::duration()> retryClock = [] {
        return std::chrono::steady_clock::now().time_since_epoch();
    };
    // What the store is opened for: reading alone opens a SQLite file that may not be written.
    StoreAccess access = StoreAccess::ReadWrite;
    // The station named beside the grade tables it sets; empty: the host name.
    QString station = {};
};

// The database of cell-sorting batches. Synchronous: open and use it on one thread (a worker,
// so the window never waits on the network); another thread opens a CellStore of its own.
// Every failure is thrown as a StoreError. On PostgreSQL, captures taken while the server is
// unreachable wait in a local queue and are sent, in order and once each, by SendQueueIfDue(),
// Flush() or the next capture after the server is back; everything else needs the server.
class CellStore {
public:
    explicit CellStore(StoreOptions options = {});
    ~CellStore();
    CellStore(const CellStore&) = delete;
    CellStore& operator=(const CellStore&) = delete;

    // Opens (and creates or upgrades) the database. A PostgreSQL server that cannot be reached
    // leaves the store offline, queueing captures, rather than failing.
    void Open(const StoreAddress& address);
    StoreStatus Status() const;
    // Tries the server again now, when it is away, and sends the queued captures; returns how many
    // the server took.
    int Flush();
    // While the server is away, or captures wait, tries it again on the schedule RecordCapture()
    // keeps and sends the queue; returns how many captures the server took. Costs nothing while
    // the server answers and nothing waits: call it whenever the station is idle.
    int SendQueueIfDue();
    // The captures in the offline queue, waiting or set aside, in the order taken.
    std::vector<QueuedCapture> QueuedCaptures();
    // The cells named by the rechecks of `batch` that wait in the queue (set aside ones do not), as
    // RecordRecheck() named them; none without a queue.
    std::vector<QString> WaitingRechecks(const QString& batch);
    // Whether another station or program has changed the database since the last call; the first
    // call starts watching and answers true, and so does the first after the server came back.
    // Offline: false. Cheap enough for every idle moment: one pragma on SQLite, one round trip on
    // PostgreSQL, which also finds a server that went away.
    bool OthersChanged();
    // Lets the captures set aside wait again, then sends the queue; returns how many were sent.
    int RetrySetAside();

    // grades: the grade table as JSON, kept as it is given.
    void CreateBatch(const QString& name, const QString& notes = {}, const QString& gradesJson = QStringLiteral("[]"));
    std::optional<BatchInfo> FindBatch(const QString& name);
    // The batch `name`, created as CreateBatch() does when it does not exist yet. Stations that
    // start the same new batch at once all get the one batch; the first one's grades count. While
    // the server is away: the batch as this station last saw it, so that sorting can go on into
    // the queue; StoreError(Unreachable) for a batch it has not seen. `created`, when given, tells
    // whether this call created it.
    BatchInfo FindOrCreateBatch(const QString& name, const QString& notes, const QString& gradesJson,
                                bool* created = nullptr);
    std::vector<BatchSummary> ListBatches();
    // Replaces the batch's grade table (JSON, kept as it is given), from now on and set by this
    // station; later captures are graded by it. The table it replaces is kept in GradeTables().
    void SetGrades(const QString& batch, const QString& gradesJson);
    // Every grade table the batch had, each with the time it took effect: the earliest first, the
    // current one (BatchInfo's) last.
    std::vector<GradeTableEntry> GradeTables(const QString& batch);
    // Grades every cell again, from its latest sorting capture under the batch's current grade
    // table, in one transaction; cells in saved packs too (a grade is a label: the pack stays as
    // saved), which the result names. A capture without a voltage or resistance keeps its grade.
    // This station's queued captures are sent first, so that they are graded again as well.
    RegradeResult Regrade(const QString& batch);
    // Every measurement of the cell, sorting captures and rechecks, withdrawn ones too, in the
    // order they were taken; StoreError(NotFound) for a cell the batch does not hold.
    std::vector<HistoryEntry> History(const QString& batch, const CellKey& cell);
    // Deletes a batch with its cells, measurements and packs; returns how many cells it held.
    qint64 DeleteBatch(const QString& name);

    // Committed before it returns (or queued, as the receipt says); a batch, label, station,
    // operator or grade the name rule refuses is refused first (StoreError Invalid), the same on
    // every engine. While the store is offline a
    // capture first tries the server again, 2 s after it went away, then at doubling spells up to
    // 30 s; once it answers the queue is sent ahead of the capture.
    CaptureReceipt RecordCapture(CaptureInput capture);
    // A recheck of `cell`, a cell the batch holds: RecordCapture() of the reading as a recheck
    // named by the cell, committed or queued under the same rules. It never changes the cell's
    // grade or latest capture. A cell the batch does not hold, or no longer holds (its every
    // capture withdrawn), is refused as StoreError(NotFound), which names it, and nothing is
    // stored; coming from the queue, such a recheck is set aside for that reason.
    CaptureReceipt RecordRecheck(const CellKey& cell, CaptureInput reading);
    // Every cell of the batch, in number order, read in one query.
    std::vector<CellRow> Cells(const QString& batch);
    // The cell as Cells() reads it; empty when the batch does not hold it.
    std::optional<CellRow> Cell(const QString& batch, const CellKey& cell);
    // Takes the cell's sorting capture `clientUuid` (one in force) as the reading its self-discharge
    // is judged from, as the one taken after charge; empty: its first capture again.
    void SetReference(const QString& batch, const CellKey& cell, const QString& clientUuid);
    // Keeps the batch's self-discharge rules (BatchInfo::selfDischarge); rules outside their ranges
    // are refused as StoreError(Invalid).
    void SetSelfDischarge(const QString& batch, const SelfDischargeRules& rules);
    // Withdraws the station's latest capture of `kind` into the batch that is still in force: a
    // sorting capture takes its cell's grade back to the one before, a recheck its cell's recheck.
    std::optional<WithdrawnCapture> WithdrawLast(const QString& batch, const QString& station,
                                                 MeasurementKind kind = MeasurementKind::Sort);
    void SetCapacity(const QString& batch, const CellKey& cell, std::optional<double> capacityMah);
    // Every capacity in one transaction: none is set when a cell is not found.
    void SetCapacities(const QString& batch, const std::vector<CellCapacity>& capacities);

    // A cell sits in one saved pack at most: a pack with a cell another pack holds is refused.
    void SavePack(const QString& batch, const PackLayout& pack);
    std::vector<PackLayout> Packs(const QString& batch);

    // Battery strings. A site or string name the name rule refuses is refused first (Invalid); a
    // name taken is a Conflict, one not there NotFound. A string's readings are captures: see
    // CaptureInput::inspection.
    void AddSite(const SiteInfo& site);
    std::vector<SiteInfo> Sites();  // by name
    // The string's figures as they are given: the caller has checked them by the core's rules.
    void AddString(const StringInfo& string);
    // The strings of `site`, or of every site for none; by site, then name.
    std::vector<StringInfo> Strings(const QString& site = {});
    std::optional<StringInfo> FindString(const QString& site, const QString& string);
    // Keeps the string's figures and policies as they are given (`site` and `name` say which). Once
    // the string has an inspection its blocks, voltage, chemistry, cells and straps stay: its
    // readings belong to those places (Conflict).
    void EditString(const StringInfo& string);
    // Keeps the string's policies (JSON, as it is given; empty: the built-in ones).
    void SetPolicies(const QString& site, const QString& string, const QString& policiesJson);
    // The string's inspections, the earliest first.
    std::vector<InspectionInfo> Inspections(const QString& site, const QString& string);
    std::optional<InspectionInfo> Inspection(qint64 id);
    // Every reading of the inspection, retests too, in the walk's order (a place's in the order
    // taken: the last is in force).
    std::vector<StringReading> InspectionReadings(qint64 inspection);
    // Every reading of every inspection of the string, by inspection as Inspections() lists them.
    std::vector<StringReading> StringReadings(const QString& site, const QString& string);
    // Chooses a block's baseline; a choice of neither an inspection nor a resistance takes the
    // default rule back.
    void SetBaseline(const QString& site, const QString& string, const BaselineChoice& choice);
    // The string with all its readings are judged by, as this station sees it: the server's, and
    // the readings still waiting in the queue. Each read from the server is remembered in the
    // queue; while the server is away, the copy remembered last (StringHistory::rememberedUtc
    // says when), and StoreError(Unreachable) for a string this station has not seen.
    StringHistory StringHistoryOf(const QString& site, const QString& string);

private:
    SqlConnection& Server();
    OfflineQueue& Queue();
    bool Connect();
    // Connect(), unless the last failed try is too recent.
    bool Reconnect();
    void WentOffline(const QString& reason);
    CaptureReceipt Enqueue(const CaptureInput& capture);
    CaptureReceipt Commit(const CaptureInput& capture);
    CaptureReceipt Send(const CaptureInput& capture);
    // Runs work on the server; a lost connection leaves the store offline.
    void Online(const std::function<void(SqlConnection&)>& work);

    StoreOptions options_;
    StoreAddress address_;
    std::unique_ptr<SqlConnection> server_;
    std::unique_ptr<OfflineQueue> queue_;
    QString lastError_;
    std::chrono::steady_clock::duration retryDelay_ = kFirstRetryDelay;
    std::chrono::steady_clock::duration nextTry_{};  // on options_.retryClock

    static constexpr std::chrono::steady_clock::duration kFirstRetryDelay = std::chrono::seconds(2);
    static constexpr std::chrono::steady_clock::duration kLongestRetryDelay = std::chrono::seconds(30);
};

} // namespace voltaryn::store
