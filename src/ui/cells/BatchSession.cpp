#include "ui/cells/BatchSession.h"

#include "cells/GradeJson.h"
#include "store/StoreAddress.h"
#include "store/StoreError.h"
#include "ui/cells/StoreThread.h"

#include <utility>

namespace voltaryn {

struct BatchSession::Read {
    QString failure;  // the store's reason; empty: read
    QStringList batches;
    QString batch;  // empty: none to open
    store::BatchRules rules;
    std::vector<store::CellRow> cells;
};

BatchSession::BatchSession(QString storeAddress, std::function<QDateTime()> utcNow, QObject* parent)
    : QObject(parent), storeAddress_(std::move(storeAddress)), utcNow_(std::move(utcNow))
{
}

BatchSession::~BatchSession() = default;

StoreThread* BatchSession::Store()
{
    if (store_)
        return store_.get();
    store::StoreAddress address;
    try {
        address = store::ParseStoreAddress(storeAddress_);
    } catch (const std::exception& error) {
        emit failed(QString::fromUtf8(error.what()));
        return nullptr;
    }
    store::StoreOptions options;
    options.clock = utcNow_;
    store_ = std::make_unique<StoreThread>(address, options);
    connect(store_.get(), &StoreThread::failed, this, &BatchSession::failed);
    connect(store_.get(), &StoreThread::statusChanged, this, &BatchSession::statusChanged);
    connect(store_.get(), &StoreThread::queueSent, this, &BatchSession::queueSent);
    connect(store_.get(), &StoreThread::idle, this, &BatchSession::idle);
    connect(store_.get(), &StoreThread::databaseChanged, this, &BatchSession::Follow);
    return store_.get();
}

bool BatchSession::Busy() const { return store_ && store_->Busy(); }

void BatchSession::ReadBatch(const QString& name, const QString& fresh, std::function<void(const Read&)> done)
{
    StoreThread* store = Store();
    if (store == nullptr)
        return;
    store->Run<Read>(
        [name, fresh](store::CellStore& cellStore) {
            Read read;
            try {
                Fill(read, cellStore, name, fresh);
            } catch (const store::StoreError& error) {
                read = Read{error.Message(), {}, {}, {}, {}};
            }
            return read;
        },
        std::move(done));
}

void BatchSession::Fill(Read& read, store::CellStore& cellStore, const QString& name, const QString& fresh)
{
    for (const store::BatchSummary& summary : cellStore.ListBatches())
        read.batches << summary.batch.name;
    if (read.batches.isEmpty() && !fresh.isEmpty()) {
        cellStore.CreateBatch(fresh, {}, QString::fromStdString(cells::GradesToJson(cells::DefaultLiIonGrades())));
        read.batches << fresh;
    }
    if (read.batches.isEmpty())
        return;
    read.batch = read.batches.contains(name) ? name : read.batches.constLast();
    const std::optional<store::BatchInfo> batch = cellStore.FindBatch(read.batch);
    if (!batch)
        throw store::StoreError(store::StoreErrorKind::NotFound, QStringLiteral("There is no batch \"%1\"").arg(read.batch));
    read.rules = store::RulesOf(*batch);
    read.cells = cellStore.Cells(read.batch);
}

// A batch that cannot be read (its grades unreadable, say) is not open: failed() has told why.
void BatchSession::Open(const QString& name, const QString& fresh)
{
    batch_.clear();
    ReadBatch(name, fresh, [this](const Read& read) {
        if (!read.failure.isEmpty()) {
            emit failed(read.failure);
            return;
        }
        Take(read);
        cells_.Reset(read.cells);
        emit batchOpened();
    });
}

void BatchSession::Take(const Read& read)
{
    batches_ = read.batches;
    batch_ = read.batch;
    rules_ = read.rules;
}

// The editor gives no empty table; the limits are the first grade's, as for a batch read.
void BatchSession::SetGrades(const cells::GradeTable& grades)
{
    rules_.grades = grades;
    if (!grades.Grades.empty())
        rules_.limits = store::LimitsOf(grades.Grades.front());
}

// The rows shown keep their place, and the view its selection, where the batch only grew or changed.
void BatchSession::Reload()
{
    if (batch_.isEmpty())
        return;
    const QString batch = batch_;
    reloading_ = true;
    ReadBatch(batch, {}, [this, batch](const Read& read) {
        reloading_ = false;
        if (!read.failure.isEmpty()) {
            emit failed(read.failure);
            return;
        }
        if (batch_ != batch)
            return;  // another batch was opened meanwhile
        Take(read);
        if (read.batch != batch) {
            cells_.Reset(read.cells);  // the batch is gone: the newest is open now
            emit batchOpened();
        } else {
            cells_.Update(read.cells);
            emit cellsReloaded();
        }
        if (std::exchange(changedMeanwhile_, false))
            Reload();
    });
}

void BatchSession::Follow()
{
    if (reloading_)
        changedMeanwhile_ = true;
    else
        Reload();
}

} // namespace voltaryn
