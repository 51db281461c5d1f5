#include "store/CellStore.h"

#include "store/CaptureWriter.h"
#include "store/CheckedInput.h"
#include "store/OfflineQueue.h"
#include "store/SchemaMigrator.h"
#include "store/SqlConnection.h"
#include "store/StoreError.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QUuid>

#include <algorithm>

namespace voltaryn::store {
namespace {

// One queue per server, so captures meant for one line never reach another.
QString QueueFileFor(const QByteArray& server)
{
    const QString tag = QString::fromLatin1(QCryptographicHash::hash(server, QCryptographicHash::Sha1).toHex().left(8));
    return QFileInfo(DefaultSqlitePath()).dir().filePath(QStringLiteral("offline-queue-%1.db").arg(tag));
}

// One queue file for each server and database, however the address was spelled. A queue that an
// earlier version named after the spelling is taken over, with its write-ahead log.
QString DefaultQueuePath(const StoreAddress& address)
{
    const QString path = QueueFileFor(address.ServerKey().toUtf8());
    const QString spelled = QueueFileFor(
        QStringList{address.host, QString::number(address.port), address.user, address.database}.join('\n').toUtf8());
    if (!QFile::exists(path) && QFile::exists(spelled)) {
        for (const char* suffix : {"-wal", "-shm", ""})
            QFile::rename(spelled + QLatin1String(suffix), path + QLatin1String(suffix));
    }
    return path;
}

} // namespace

QString StoreStatus::Text(const QString& queueView) const
{
    QString text = online ? QStringLiteral("online") : QStringLiteral("offline");
    QStringList waiting;
    if (queued > 0)
        waiting << QStringLiteral("%1 queued").arg(queued);
    if (setAside > 0)
        waiting << QStringLiteral("%1 %2 set aside — see %3")
                       .arg(setAside)
                       .arg(setAside == 1 ? QStringLiteral("capture") : QStringLiteral("captures"), queueView);
    return waiting.isEmpty() ? text : text + QStringLiteral(" — ") + waiting.join(QStringLiteral(", "));
}

QString QueuedSentText(qint64 sent)
{
    return QStringLiteral("%1 queued %2 sent")
        .arg(sent)
        .arg(sent == 1 ? QStringLiteral("capture") : QStringLiteral("captures"));
}

CellStore::CellStore(StoreOptions options) : options_(std::move(options))
{
    if (options_.station.isEmpty())
        options_.station = QSysInfo::machineHostName();
}

CellStore::~CellStore() = default;

void CellStore::Open(const StoreAddress& address)
{
    server_.reset();
    queue_.reset();
    address_ = address;
    retryDelay_ = kFirstRetryDelay;
    if (address_.engine == Engine::Postgresql)
        queue_ = std::make_unique<OfflineQueue>(options_.queuePath.isEmpty() ? DefaultQueuePath(address_)
                                                                             : options_.queuePath);
    Connect();
}

bool CellStore::Connect()
{
    try {
        server_ = OpenStoreDatabase(address_, options_.clock().toMSecsSinceEpoch(), LatestSchemaVersion(), options_.access);
        lastError_.clear();
        return true;
    } catch (const StoreError& error) {
        if (error.Kind() != StoreErrorKind::Unreachable || !queue_)
            throw;
        WentOffline(error.Message());
        return false;
    }
}

bool CellStore::Reconnect()
{
    return options_.retryClock() >= nextTry_ && Connect();
}

// The next try comes after the present spell, and the spell after it is twice as long.
void CellStore::WentOffline(const QString& reason)
{
    lastError_ = reason;
    server_.reset();
    nextTry_ = options_.retryClock() + retryDelay_;
    retryDelay_ = std::min(retryDelay_ * 2, kLongestRetryDelay);
}

// While the server is away it is tried again only when the next try is due; until then its work
// fails at once, as the last try did.
SqlConnection& CellStore::Server()
{
    if (!server_ && (!queue_ || !Reconnect()))
        throw StoreError(StoreErrorKind::Unreachable,
                         queue_ ? lastError_ : QStringLiteral("The store is not open"));
    return *server_;
}

OfflineQueue& CellStore::Queue()
{
    if (!queue_)
        throw StoreError(StoreErrorKind::Invalid,
                         QStringLiteral("%1 keeps no offline queue: its captures are written straight into it")
                             .arg(address_.DisplayText()));
    return *queue_;
}

void CellStore::Online(const std::function<void(SqlConnection&)>& work)
{
    SqlConnection& server = Server();
    try {
        work(server);
    } catch (const StoreError& error) {
        if (error.Kind() == StoreErrorKind::Unreachable)
            WentOffline(error.Message());
        throw;
    }
}

StoreStatus CellStore::Status() const
{
    StoreStatus status{server_ != nullptr, 0, 0, lastError_};
    if (queue_) {
        status.queued = queue_->WaitingCount();
        status.setAside = queue_->SetAsideCount();
    }
    return status;
}

int CellStore::Flush()
{
    if (!queue_ || (!server_ && !Connect()))
        return 0;
    int sent = 0;
    while (const auto capture = queue_->Front()) {
        try {
            Commit(*capture);
        } catch (const StoreError& error) {
            if (error.Kind() == StoreErrorKind::Unreachable)
                break;
            queue_->SetAside(capture->clientUuid, error.Message());
            continue;
        }
        queue_->Remove(capture->clientUuid);
        ++sent;
    }
    return sent;
}

int CellStore::SendQueueIfDue()
{
    if (!queue_ || (!server_ && !Reconnect()))
        return 0;
    return queue_->WaitingCount() > 0 ? Flush() : 0;
}

bool CellStore::OthersChanged()
{
    bool changed = false;
    if (server_)
        Online([&changed](SqlConnection& server) { changed = server.OthersChanged(); });
    return changed;
}

std::vector<QueuedCapture> CellStore::QueuedCaptures() { return Queue().Captures(); }

std::vector<QString> CellStore::WaitingRechecks(const QString& batch)
{
    std::vector<QString> cells;
    if (queue_ && queue_->WaitingCount() > 0)
        for (const QueuedCapture& queued : queue_->Captures())
            if (queued.setAsideReason.isEmpty() && queued.capture.kind == MeasurementKind::Recheck &&
                queued.capture.batch == batch)
                cells.push_back(queued.capture.label);
    return cells;
}

int CellStore::RetrySetAside()
{
    Queue().RetrySetAside();
    return Flush();
}

// A capture the queue cannot keep (its disk is full, say) is not stored anywhere: the error says so,
// so that the cell is measured again.
CaptureReceipt CellStore::Enqueue(const CaptureInput& capture)
{
    try {
        queue_->Push(capture);
    } catch (const StoreError& error) {
        throw StoreError(error.Kind(), QStringLiteral("The capture of %1 is not stored: the local queue could not keep it "
                                                      "(is its disk full?): %2")
                                           .arg(capture.measuredUtc.toLocalTime().toString(QStringLiteral("HH:mm:ss")),
                                                error.Message()));
    }
    return {true, 0, capture.label, capture.clientUuid, false, 0};
}

// A server that answers but takes no writes (read-only, out of resources) is tried no more often
// than one that is away: the spells between tries start short again once it takes a capture.
CaptureReceipt CellStore::Commit(const CaptureInput& capture)
{
    CaptureReceipt receipt;
    Online([&](SqlConnection& server) { receipt = WriteCapture(server, capture); });
    retryDelay_ = kFirstRetryDelay;
    return receipt;
}

CaptureReceipt CellStore::Send(const CaptureInput& capture)
{
    try {
        return Commit(capture);
    } catch (const StoreError& error) {
        if (error.Kind() != StoreErrorKind::Unreachable)
            throw;
        return Enqueue(capture);
    }
}

CaptureReceipt CellStore::RecordCapture(CaptureInput capture)
{
    capture = CheckedCapture(std::move(capture));
    if (capture.clientUuid.isEmpty())
        capture.clientUuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (!queue_)
        return WriteCapture(Server(), capture);
    // Queued captures go first, so the server receives them all in the order they were taken.
    const int sent = SendQueueIfDue();
    CaptureReceipt receipt = server_ && queue_->WaitingCount() == 0 ? Send(capture) : Enqueue(capture);
    receipt.sentAhead = sent;
    return receipt;
}

CaptureReceipt CellStore::RecordRecheck(const CellKey& cell, CaptureInput reading)
{
    const auto* number = std::get_if<qint64>(&cell);
    reading.label = number != nullptr ? CellName({}, *number) : std::get<QString>(cell);
    reading.kind = MeasurementKind::Recheck;
    return RecordCapture(std::move(reading));
}

} // namespace voltaryn::store
