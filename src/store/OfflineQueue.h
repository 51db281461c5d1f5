#pragma once

#include "store/StringTypes.h"

#include <QVariant>

#include <map>
#include <memory>

namespace voltaryn::store {

class SqlConnection;

// Captures waiting for the server, in their own SQLite file, in the order they were taken; a
// recheck keeps its kind and the cell it names. A capture leaves the queue only once the server
// has committed it; one the server refuses for good (its batch is gone, a recheck's cell is not
// in it) is set aside in the file with the reason, so nothing is lost. The file also keeps the
// batches and battery strings the station has seen on the server, so that it can go on sorting
// into them, or inspecting them, while the server is away. The counts are read once, when the file is opened, and then kept.
class OfflineQueue {
public:
    explicit OfflineQueue(const QString& path);
    ~OfflineQueue();
    OfflineQueue(const OfflineQueue&) = delete;
    OfflineQueue& operator=(const OfflineQueue&) = delete;

    void Push(const CaptureInput& capture);
    // The oldest capture waiting.
    std::optional<CaptureInput> Front();
    // A waiting capture the server has committed.
    void Remove(const QString& clientUuid);
    void SetAside(const QString& clientUuid, const QString& reason);
    // Every capture set aside waits again; returns how many.
    qint64 RetrySetAside();
    // Every capture, waiting or set aside, in the order taken.
    std::vector<QueuedCapture> Captures();
    qint64 WaitingCount() const { return waiting_; }
    qint64 SetAsideCount() const { return setAside_; }

    void RememberBatch(const BatchInfo& batch);
    void RememberGrades(const QString& batch, const QString& gradesJson);
    void ForgetBatch(const QString& batch);
    std::optional<BatchInfo> KnownBatch(const QString& name);
    // A string as the server showed it at `seenUtc`, with every reading it then held.
    void RememberString(const StringHistory& history, const QDateTime& seenUtc);
    // rememberedUtc says when it was seen.
    std::optional<StringHistory> KnownString(const QString& site, const QString& string);

private:
    // Runs the named statement; returns how many rows it changed.
    qint64 Change(const QString& statement, const std::map<QString, QVariant>& values);

    std::unique_ptr<SqlConnection> connection_;
    qint64 waiting_ = 0;
    qint64 setAside_ = 0;
};

} // namespace voltaryn::store
