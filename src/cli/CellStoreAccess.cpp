#include "cli/CellStoreAccess.h"

#include "cli/CliError.h"
#include "store/StoreError.h"

namespace voltaryn::cli {

namespace {

store::StoreOptions OnClock(const RunClock& clock)
{
    store::StoreOptions options;
    options.clock = [&clock] {
        const auto since = std::chrono::duration_cast<std::chrono::milliseconds>(clock.Now().time_since_epoch());
        return QDateTime::fromMSecsSinceEpoch(since.count()).toUTC();
    };
    return options;
}

} // namespace

CellStoreAccess::CellStoreAccess(const std::string& db, const RunClock& clock) : store_(OnClock(clock))
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
