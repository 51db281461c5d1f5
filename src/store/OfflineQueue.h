#pragma once

#include "store/StoreTypes.h"

#include <memory>

namespace voltaryn::store {

class SqlConnection;

// Captures waiting for the server, in their own SQLite file, in the order they were taken. A
// capture leaves the queue only once the server has committed it; one the server refuses for
// good stays in the file, marked with the reason, so nothing is lost.
class OfflineQueue {
public:
    explicit OfflineQueue(const QString& path);
    ~OfflineQueue();
    OfflineQueue(const OfflineQueue&) = delete;
    OfflineQueue& operator=(const OfflineQueue&) = delete;

    void Push(const CaptureInput& capture);
    std::optional<CaptureInput> Front();
    void Remove(const QString& clientUuid);
    void Reject(const QString& clientUuid, const QString& reason);
    // Captures waiting, and captures refused.
    std::pair<qint64, qint64> Counts();

private:
    std::unique_ptr<SqlConnection> connection_;
};

} // namespace voltaryn::store
