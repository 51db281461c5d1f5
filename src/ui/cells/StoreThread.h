#pragma once

#include "store/CellStore.h"

#include <QObject>
#include <QThread>

#include <functional>
#include <memory>

namespace voltaryn {

// A CellStore on a thread of its own, so that the window never waits on the database. Work posted
// with Run() runs there one piece after another in the order it was posted; its result comes back
// to the caller's thread as a queued call. The store is opened by the first piece of work and
// closed on its thread when this object goes. Between pieces of work a timer there lets the store
// try the server again and send its queue, so captures taken offline reach the server by
// themselves once it is back, and look whether another station or program changed the database.
class StoreThread : public QObject {
    Q_OBJECT
public:
    StoreThread(store::StoreAddress address, store::StoreOptions options, QObject* parent = nullptr);
    ~StoreThread() override;
    StoreThread(const StoreThread&) = delete;
    StoreThread& operator=(const StoreThread&) = delete;

    // Runs `work` on the store's thread, then `done` with its result on this object's thread. A
    // StoreError thrown by the work is reported as failed() instead.
    template <typename Result>
    void Run(std::function<Result(store::CellStore&)> work, std::function<void(Result)> done)
    {
        Post([this, work = std::move(work), done = std::move(done)](store::CellStore& store) {
            Result result = work(store);
            QMetaObject::invokeMethod(this, [done, result = std::move(result)] { done(result); }, Qt::QueuedConnection);
        });
    }

    // Whether work posted has not come back yet.
    bool Busy() const { return pending_ > 0; }

signals:
    void failed(const QString& message);
    // Every piece of work posted has come back, its answer handled.
    void idle();
    // Another station or program changed the database: what is shown may be out of date.
    void databaseChanged();
    // The store's status whenever it changes: "online", "offline — 3 queued"; allSent while the
    // server answers and has every capture.
    void statusChanged(bool allSent, const QString& text);
    // The server took `count` captures that waited in the queue, between pieces of work.
    void queueSent(int count);

private:
    void Post(std::function<void(store::CellStore&)> work);
    void TryServer();
    void ReportStatus();

    store::StoreAddress address_;
    store::StoreOptions options_;
    QThread thread_;
    QObject* worker_;                       // lives on thread_; work is posted to it
    std::unique_ptr<store::CellStore> store_;  // made, used and destroyed on thread_ only
    store::StoreStatus reported_;              // the status last emitted; thread_ only
    int pending_ = 0;                          // work posted and not yet back; this object's thread
};

} // namespace voltaryn
