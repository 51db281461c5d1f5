#include "ui/cells/StoreThread.h"

#include "store/StoreError.h"

#include <QTimer>

#include <chrono>

namespace voltaryn {
namespace {

// How often an idle store looks whether its next try of the server is due: well within its
// shortest spell between tries.
constexpr std::chrono::milliseconds kIdleTick{500};

} // namespace

StoreThread::StoreThread(store::StoreAddress address, store::StoreOptions options, QObject* parent)
    : QObject(parent), address_(std::move(address)), options_(std::move(options)), worker_(new QObject)
{
    thread_.setObjectName("CellStore");
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start();
    QMetaObject::invokeMethod(worker_, [this] {
        auto* idle = new QTimer(worker_);
        connect(idle, &QTimer::timeout, worker_, [this] { TryServer(); });
        idle->start(kIdleTick);
    }, Qt::QueuedConnection);
}

StoreThread::~StoreThread()
{
    // The store's connection belongs to its thread: it is closed there, after the work already posted.
    QMetaObject::invokeMethod(worker_, [this] {
        store_.reset();
        thread_.quit();
    }, Qt::QueuedConnection);
    thread_.wait();
}

// The work's answer and failure are queued to this thread ahead of its count going down.
void StoreThread::Post(std::function<void(store::CellStore&)> work)
{
    ++pending_;
    QMetaObject::invokeMethod(worker_, [this, work = std::move(work)] {
        try {
            if (!store_) {
                auto opened = std::make_unique<store::CellStore>(options_);
                opened->Open(address_);
                opened->OthersChanged();  // starts watching: what was there is read by the work
                store_ = std::move(opened);
            }
            work(*store_);
        } catch (const store::StoreError& error) {
            emit failed(error.Message());
        }
        ReportStatus();
        QMetaObject::invokeMethod(this, [this] {
            if (--pending_ == 0)
                emit idle();
        }, Qt::QueuedConnection);
    }, Qt::QueuedConnection);
}

void StoreThread::TryServer()
{
    if (!store_)
        return;
    try {
        if (const int sent = store_->SendQueueIfDue(); sent > 0)
            emit queueSent(sent);
        if (store_->OthersChanged())
            emit databaseChanged();
    } catch (const store::StoreError& error) {
        emit failed(error.Message());
    }
    ReportStatus();
}

void StoreThread::ReportStatus()
{
    if (!store_ || store_->Status() == reported_)
        return;
    reported_ = store_->Status();
    emit statusChanged(reported_.AllSent(), reported_.Text(tr("Queue…")));
}

} // namespace voltaryn
