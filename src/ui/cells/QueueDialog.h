#pragma once

#include "store/StoreTypes.h"

#include <QDialog>

#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace voltaryn {

namespace store {
class CellStore;
}
class DialogService;
class StoreThread;

// This station's offline queue: a row a capture, in the order they go to the server, each waiting
// or set aside with the server's reason. It follows the queue as the store sends it. "Retry set
// aside" sends those the server refused once more (after the batch is made again, say); "Export…"
// writes every capture with all it holds, as `voltaryn-cli queue export` does.
class QueueDialog : public QDialog {
    Q_OBJECT
public:
    QueueDialog(StoreThread& store, DialogService& dialogs, QWidget* parent = nullptr);

private:
    // The queue as the store holds it; or why it cannot tell (a database that keeps no queue).
    struct Listing {
        std::vector<store::QueuedCapture> captures;
        QString problem;
    };
    // Lists the queue on the store's thread, after `first` when given.
    void List(const std::function<void(store::CellStore&)>& first);
    void Export();
    void Show(const Listing& listing);
    static QString BatchText(const store::CaptureInput& capture);
    static QString LabelText(const store::CaptureInput& capture);
    static QString KindText(const store::CaptureInput& capture);

    StoreThread& store_;
    DialogService& dialogs_;
    std::vector<store::QueuedCapture> shown_;
    QLabel* summary_;
    QTableWidget* table_;
    QPushButton* retry_;
    QPushButton* export_;
};

} // namespace voltaryn
