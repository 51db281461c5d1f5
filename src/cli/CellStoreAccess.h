#pragma once

#include "cli/RunClock.h"
#include "store/CellStore.h"

#include <QCoreApplication>

#include <functional>
#include <memory>
#include <string>

namespace voltaryn::cli {

// The cell database a command works with: the one --db names, else the program's own SQLite
// file, found under the same application name as the window's. A failure to open or use it ends
// the command with the database's exit code, its address shown without a password.
class CellStoreAccess {
public:
    // New batches are dated by the run's clock; a command that only reads opens it ReadOnly. The
    // grade tables it sets name `station` (empty: the host name).
    CellStoreAccess(const std::string& db, const RunClock& clock, store::StoreAccess access = store::StoreAccess::ReadWrite,
                    const std::string& station = {});

    store::CellStore& Store() { return store_; }
    // The batch `name`; a usage error when there is none.
    store::BatchInfo Batch(const std::string& name);

private:
    int argc_ = 1;
    char name_[13] = "voltaryn-cli";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> application_;
    store::CellStore store_;
};

// "back online: 3 queued captures sent" on the error output, when the store sent any.
void TellSent(int sent);

// Ends the command with ExitCode::QueueWaiting when captures are left in the store's queue.
void FailIfQueued(const store::StoreStatus& status);

// Runs a cell command, turning the database's failures into the command line's: a batch or cell
// that is not there, or a name already taken, is the user's mistake; anything else the
// database's.
void RunWithStore(const std::function<void()>& command);

} // namespace voltaryn::cli
