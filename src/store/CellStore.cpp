#include "store/CellStore.h"

#include "store/CaptureWriter.h"
#include "store/OfflineQueue.h"
#include "store/SchemaMigrator.h"
#include "store/SqlConnection.h"
#include "store/StoreError.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QUuid>

#include <algorithm>

namespace voltaryn::store {
namespace {

// One queue per server, so captures meant for one line never reach another.
QString DefaultQueuePath(const StoreAddress& address)
{
    const QByteArray server = QStringList{address.host, QString::number(address.port), address.user, address.database}
                                  .join('\n')
                                  .toUtf8();
    const QString tag = QString::fromLatin1(QCryptographicHash::hash(server, QCryptographicHash::Sha1).toHex().left(8));
    return QFileInfo(DefaultSqlitePath()).dir().filePath(QStringLiteral("offline-queue-%1.db").arg(tag));
}

} // namespace

QString StoreStatus::Text() const
{
    QString text = online ? QStringLiteral("online") : QStringLiteral("offline");
    if (queued > 0)
        text += QStringLiteral(" — %1 queued").arg(queued);
    if (rejected > 0)
        text += QStringLiteral(", %1 refused by the server").arg(rejected);
    return text;
}

CellStore::CellStore(StoreOptions options) : options_(std::move(options)) {}

CellStore::~CellStore() = default;

void CellStore::Open(const StoreAddress& address)
{
    server_.reset();
    queue_.reset();
    address_ = address;
    if (address_.engine == Engine::Postgresql)
        queue_ = std::make_unique<OfflineQueue>(options_.queuePath.isEmpty() ? DefaultQueuePath(address_)
                                                                             : options_.queuePath);
    Connect();
}

bool CellStore::Connect()
{
    try {
        server_ = OpenStoreDatabase(address_, options_.clock().toMSecsSinceEpoch());
        lastError_.clear();
        retryDelay_ = kFirstRetryDelay;
        return true;
    } catch (const StoreError& error) {
        if (error.Kind() != StoreErrorKind::Unreachable || !queue_)
            throw;
        WentOffline(error.Message());
        retryDelay_ = std::min(retryDelay_ * 2, kLongestRetryDelay);
        return false;
    }
}

bool CellStore::Reconnect()
{
    return std::chrono::steady_clock::now() >= nextTry_ && Connect();
}

void CellStore::WentOffline(const QString& reason)
{
    lastError_ = reason;
    server_.reset();
    nextTry_ = std::chrono::steady_clock::now() + retryDelay_;
}

SqlConnection& CellStore::Server()
{
    if (!server_ && (!queue_ || !Connect()))
        throw StoreError(StoreErrorKind::Unreachable,
                         queue_ ? lastError_ : QStringLiteral("The store is not open"));
    return *server_;
}

void CellStore::Online(const std::function<void(SqlConnection&)>& work)
{
    try {
        work(Server());
    } catch (const StoreError& error) {
        if (error.Kind() == StoreErrorKind::Unreachable)
            WentOffline(error.Message());
        throw;
    }
}

StoreStatus CellStore::Status()
{
    StoreStatus status{server_ != nullptr, 0, 0, lastError_};
    if (queue_)
        std::tie(status.queued, status.rejected) = queue_->Counts();
    return status;
}

int CellStore::Flush()
{
    if (!queue_ || (!server_ && !Connect()))
        return 0;
    int sent = 0;
    while (const auto capture = queue_->Front()) {
        try {
            Online([&](SqlConnection& server) { WriteCapture(server, *capture); });
        } catch (const StoreError& error) {
            if (error.Kind() == StoreErrorKind::Unreachable)
                break;
            queue_->Reject(capture->clientUuid, error.Message());
            continue;
        }
        queue_->Remove(capture->clientUuid);
        ++sent;
    }
    return sent;
}

CaptureReceipt CellStore::Enqueue(const CaptureInput& capture)
{
    queue_->Push(capture);
    return {true, 0, capture.label, capture.clientUuid, false};
}

CaptureReceipt CellStore::RecordCapture(CaptureInput capture)
{
    if (capture.clientUuid.isEmpty())
        capture.clientUuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (!queue_)
        return WriteCapture(Server(), capture);
    if (!server_)
        Reconnect();
    // Queued captures go first, so the server receives them all in the order they were taken.
    if (server_ && queue_->Counts().first > 0)
        Flush();
    if (!server_ || queue_->Counts().first > 0)
        return Enqueue(capture);
    try {
        CaptureReceipt receipt;
        Online([&](SqlConnection& server) { receipt = WriteCapture(server, capture); });
        return receipt;
    } catch (const StoreError& error) {
        if (error.Kind() != StoreErrorKind::Unreachable)
            throw;
        return Enqueue(capture);
    }
}

} // namespace voltaryn::store
