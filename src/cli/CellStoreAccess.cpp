#include "cli/CellStoreAccess.h"

#include "cli/CliError.h"
#include "store/StoreError.h"

#include <iostream>

namespace voltaryn::cli {

namespace {

store::StoreOptions OnClock(const RunClock& clock, store::StoreAccess access, const std::string& station)
{
    store::StoreOptions options;
    options.access = access;
    options.station = QString::fromStdString(station);
    options.clock = [&clock] {
        const auto since = std::chrono::duration_cast<std::chrono::milliseconds>(clock.Now().time_since_epoch());
        return QDateTime::fromMSecsSinceEpoch(since.count()).toUTC();
    };
    options.retryClock = [&clock] { return clock.Elapsed(); };
    return options;
}

} // namespace

CellStoreAccess::CellStoreAccess(const std::string& db, const RunClock& clock, store::StoreAccess access,
                                 const std::string& station)
    : store_(OnClock(clock, access, station))
{
    // Qt loads its database drivers only for a running application (a command that draws has made
    // one already); the name is the window's, so that the default database is the same file.
    if (QCoreApplication::instance() == nullptr)
        application_ = std::make_unique<QCoreApplication>(argc_, argv_);
    QCoreApplication::setApplicationName(QStringLiteral("Voltaryn"));
    QCoreApplication::setOrganizationName(QStringLiteral("Voltaryn"));
    store_.Open(store::ParseStoreAddress(QString::fromStdString(db)));
}

store::BatchInfo CellStoreAccess::Batch(const std::string& name)
{
    std::optional<store::BatchInfo> batch = store_.FindBatch(QString::fromStdString(name));
    if (!batch)
        throw CliError(ExitCode::Usage, "there is no batch " + name + " (see batches)");
    return *std::move(batch);
}

void TellSent(int sent)
{
    if (sent > 0)
        std::cerr << store::BackOnlineText(sent).toStdString() << '\n';
}

void FailIfQueued(const store::StoreStatus& status)
{
    const qint64 left = status.queued + status.setAside;
    if (left == 0)
        return;
    std::string text = std::to_string(left) + (left == 1 ? " capture waits" : " captures wait") + " in the local queue";
    if (status.setAside > 0)
        text += " (" + std::to_string(status.setAside) + " set aside): see voltaryn-cli queue list";
    else
        text += ": the next sort or voltaryn-cli queue retry sends " + std::string(left == 1 ? "it" : "them")
                + " once the server answers";
    throw CliError(ExitCode::QueueWaiting, text);
}

void RunWithStore(const std::function<void()>& command)
{
    try {
        command();
    } catch (const store::StoreError& error) {
        using enum store::StoreErrorKind;
        const store::StoreErrorKind kind = error.Kind();
        const bool usersMistake = kind == Invalid || kind == NotFound || kind == Conflict;
        // One line, as every error of the command line: the driver's own message may take several.
        throw CliError(usersMistake ? ExitCode::Usage : ExitCode::StoreFailed,
                       error.Message().simplified().toStdString());
    }
}

} // namespace voltaryn::cli
