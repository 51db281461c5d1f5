#pragma once

#include "store/BatchCells.h"
#include "ui/cells/CellTableModel.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

namespace voltaryn {
namespace store {
class CellStore;
}

class StoreThread;

// The cell database as the program's windows share it: one store thread, the batch open in every
// window, its rules and its cells in the one table model. A batch opened from any window is open
// in all of them. While a batch is open the session follows the database: what another station
// or the command line changes is read again within a second or two.
class BatchSession : public QObject {
    Q_OBJECT
public:
    // `storeAddress` as the command line's --db takes it (empty: the default SQLite file); `utcNow`
    // dates what the store creates.
    BatchSession(QString storeAddress, std::function<QDateTime()> utcNow, QObject* parent = nullptr);
    ~BatchSession() override;

    // The store's thread, started on first use; null when the address cannot be read, which
    // failed() has told.
    StoreThread* Store();
    // Whether work given to the store has not come back yet; idle() tells when it has.
    bool Busy() const;

    const QStringList& Batches() const { return batches_; }
    // The batch open; empty when none is.
    const QString& Batch() const { return batch_; }
    const store::BatchRules& Rules() const { return rules_; }
    CellTableModel& Cells() { return cells_; }
    const CellTableModel& Cells() const { return cells_; }

    // Lists the batches and opens `name`, else the newest; `fresh`, when given, is created first
    // if the database holds none. batchOpened() tells when it is open, or that none could be.
    void Open(const QString& name, const QString& fresh = {});
    // No batch is open until the next is: nothing is captured into the one being deleted.
    void Close() { batch_.clear(); }
    // The batch's captures are graded by `grades` from now on; the caller stores them.
    void SetGrades(const cells::GradeTable& grades);
    // Reads the open batch's cells, rules and the batch list again; cellsReloaded() tells when.
    void Reload();

signals:
    // A batch is open (or none, when the database holds none or it could not be read): the
    // batch list, its rules and its cells are read.
    void batchOpened();
    // The open batch's cells, rules and the batch list were read again.
    void cellsReloaded();
    void failed(const QString& message);
    void statusChanged(bool allSent, const QString& text);
    void queueSent(int count);
    void idle();

private:
    struct Read;
    // Reads the batch list and `name` (else the newest) on the store's thread; a store error
    // comes back as the read's failure, so that the answer always arrives.
    void ReadBatch(const QString& name, const QString& fresh, std::function<void(const Read&)> done);
    static void Fill(Read& read, store::CellStore& cellStore, const QString& name, const QString& fresh);
    void Take(const Read& read);
    // Another station's work: read again, once at a time, and once more if more came meanwhile.
    void Follow();

    QString storeAddress_;
    std::function<QDateTime()> utcNow_;
    std::unique_ptr<StoreThread> store_;
    QStringList batches_;
    QString batch_;
    store::BatchRules rules_;
    CellTableModel cells_;
    bool reloading_ = false;
    bool changedMeanwhile_ = false;
};

} // namespace voltaryn
