#include "ui/cells/StoreThread.h"

#include "store/StoreError.h"

namespace voltaryn {

StoreThread::StoreThread(store::StoreAddress address, store::StoreOptions options, QObject* parent)
    : QObject(parent), address_(std::move(address)), options_(std::move(options)), worker_(new QObject)
{
    thread_.setObjectName("CellStore");
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start();
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

void StoreThread::Post(std::function<void(store::CellStore&)> work)
{
    QMetaObject::invokeMethod(worker_, [this, work = std::move(work)] {
        try {
            if (!store_) {
                auto opened = std::make_unique<store::CellStore>(options_);
                opened->Open(address_);
                store_ = std::move(opened);
            }
            work(*store_);
        } catch (const store::StoreError& error) {
            emit failed(error.Message());
        }
        if (store_) {
            const store::StoreStatus status = store_->Status();
            emit statusChanged(status.online, status.queued, status.Text());
        }
    }, Qt::QueuedConnection);
}

} // namespace voltaryn
