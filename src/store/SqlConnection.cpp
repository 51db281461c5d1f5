#include "store/SqlConnection.h"

#include "store/PrivateFiles.h"
#include "store/ServerFailure.h"
#include "store/SqlStatements.h"
#include "store/StoreError.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QThread>
#include <QUrl>

#include <libpq-fe.h>

#include <atomic>
#include <utility>

namespace voltaryn::store {
namespace {

constexpr int kSqliteBusyTimeoutMs = 10000;
constexpr int kConnectTimeoutSeconds = 5;
// SQLite's primary result codes (the low byte of an extended code), and the extended codes of a
// taken unique key.
constexpr int kSqliteBusy = 5;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;
constexpr int kSqliteConstraintPrimaryKey = 1555;
constexpr int kSqliteConstraintUnique = 2067;

QString NextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("voltaryn-store-%1").arg(++counter);
}

// A read-only file in a folder this user cannot write has no room for the write-ahead log's
// shared memory: SQLite reads it as immutable, as it stands.
QSqlDatabase OpenSqlite(const StoreAddress& address, StoreAccess access, const QString& name)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    QStringList options{QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kSqliteBusyTimeoutMs)};
    if (access == StoreAccess::ReadWrite) {
        CreatePrivateFile(address.path);  // before SQLite makes it with the umask's permissions
        db.setDatabaseName(address.path);
    } else {
        const QFileInfo file(address.path);
        if (!file.isFile())
            throw StoreError(StoreErrorKind::Failed, QStringLiteral("There is no cell database at %1").arg(address.path));
        options << QStringLiteral("QSQLITE_OPEN_READONLY");
        if (QFileInfo(file.absolutePath()).isWritable()) {
            db.setDatabaseName(address.path);
        } else {
            options << QStringLiteral("QSQLITE_OPEN_URI");
            db.setDatabaseName(QUrl::fromLocalFile(file.absoluteFilePath()).toString() + QStringLiteral("?immutable=1"));
        }
    }
    db.setConnectOptions(options.join(';'));
    return db;
}

QSqlDatabase OpenDatabase(const StoreAddress& address, StoreAccess access, const QString& name)
{
    QSqlDatabase db;
    if (address.engine == Engine::Sqlite) {
        db = OpenSqlite(address, access, name);
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(address.host);
        db.setPort(address.port);
        db.setUserName(address.user);
        db.setPassword(address.password);
        db.setDatabaseName(address.database);
        db.setConnectOptions((QStringList{QStringLiteral("connect_timeout=%1").arg(kConnectTimeoutSeconds),
                              QStringLiteral("application_name=voltaryn")}
                              + address.ConninfoOptions()).join(';'));
    }
    return db;
}

PGconn* PostgresqlHandle(const QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    if (qstrcmp(handle.typeName(), "pg_conn*") == 0 || qstrcmp(handle.typeName(), "PGconn*") == 0)
        return *static_cast<PGconn* const*>(handle.constData());
    return nullptr;
}

// libpq writes the server's notices, such as the one that ends a connection, on the error output
// itself; what failed reaches the caller as a StoreError instead.
void SilenceServerNotices(const QSqlDatabase& db)
{
    if (PGconn* connection = PostgresqlHandle(db))
        PQsetNoticeProcessor(connection, [](void*, const char*) {}, nullptr);
}

} // namespace

SqlConnection::SqlConnection(StoreAddress address, StoreAccess access)
    : address_(std::move(address)), access_(access), name_(NextConnectionName())
{
    QSqlDatabase db = OpenDatabase(address_, access_, name_);
    if (!db.isValid())
        throw StoreError(StoreErrorKind::Failed,
                         QStringLiteral("The Qt SQL driver for %1 is not installed")
                             .arg(address_.engine == Engine::Sqlite ? "SQLite" : "PostgreSQL"));
    if (!db.open())
        Fail(db.lastError(), QStringLiteral("Cannot open"));
    if (address_.engine == Engine::Postgresql)
        SilenceServerNotices(db);
}

// The driver goes first, so that the statements are not freed one by one on a connection that is
// closing anyway, or already gone (when the driver warned of each on the error output).
SqlConnection::~SqlConnection()
{
    QSqlDatabase::database(name_, false).close();
    QSqlDatabase::removeDatabase(name_);
    statements_.clear();
}

bool SqlConnection::IsOpen() const { return QSqlDatabase::database(name_, false).isOpen(); }

void SqlConnection::ConfigureSession()
{
    if (address_.engine != Engine::Sqlite || access_ == StoreAccess::ReadOnly)
        return;
    const QString mode = SwitchToWriteAheadLog();
    if (mode.compare(QStringLiteral("wal"), Qt::CaseInsensitive) != 0)
        throw StoreError(StoreErrorKind::Failed,
                         QStringLiteral("%1 cannot use a write-ahead log (journal mode is \"%2\"); "
                                        "is it on a network drive?")
                             .arg(address_.DisplayText(), mode));
    RunText(QStringLiteral("PRAGMA synchronous = FULL"));
    RunText(QStringLiteral("PRAGMA foreign_keys = ON"));
    if (Value(QStringLiteral("pragma_foreign_keys")).toInt() != 1)
        throw StoreError(StoreErrorKind::Failed, QStringLiteral("This SQLite cannot enforce foreign keys"));
}

// Processes that open a new file at the same moment can answer the switch to the write-ahead log
// "database is locked" at once, without waiting the busy timeout: try again until it has passed.
QString SqlConnection::SwitchToWriteAheadLog()
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        QSqlQuery& query = Statement(QStringLiteral("pragma_journal_mode_wal"));
        if (query.exec()) {
            QString mode = query.next() ? query.value(0).toString() : QString();
            query.finish();
            return mode;
        }
        const QSqlError error = query.lastError();
        query.finish();
        if ((error.nativeErrorCode().toInt() & 0xFF) != kSqliteBusy || waited.elapsed() > kSqliteBusyTimeoutMs)
            Fail(error, QStringLiteral("Cannot open"));
        QThread::msleep(20);
    }
}

QSqlQuery& SqlConnection::Statement(const QString& name)
{
    auto found = statements_.find(name);
    if (found == statements_.end()) {
        QSqlQuery query(QSqlDatabase::database(name_, false));
        query.setForwardOnly(true);
        if (!query.prepare(SqlStatement(address_.engine, name)))
            Fail(query.lastError(), QStringLiteral("Cannot prepare %1 on").arg(name));
        found = statements_.emplace(name, std::move(query)).first;
    }
    return found->second;
}

void SqlConnection::Run(QSqlQuery& query) const
{
    if (!query.exec())
        Fail(query.lastError(), QStringLiteral("Cannot run a statement on"));
}

void SqlConnection::RunText(const QString& sql)
{
    QSqlQuery query(QSqlDatabase::database(name_, false));
    if (!query.exec(sql))
        Fail(query.lastError(), QStringLiteral("Cannot run \"%1\" on").arg(sql.section(' ', 0, 1)));
}

QVariant SqlConnection::Value(const QString& name, const std::map<QString, QVariant>& values)
{
    QSqlQuery& query = Statement(name);
    BindAll(query, values);
    Run(query);
    QVariant value = query.next() ? query.value(0) : QVariant();
    query.finish();
    return value;
}

bool SqlConnection::OthersChanged()
{
    if (!IsOpen())
        return false;
    if (address_.engine == Engine::Postgresql) {
        if (!watching_)
            RunText(QStringLiteral("LISTEN voltaryn_changes"));
        const bool changed = OtherServerNotifications();
        return std::exchange(watching_, true) ? changed : true;
    }
    QVariant version = Value(QStringLiteral("pragma_data_version"));
    const bool changed = !watching_ || version != dataVersion_;
    dataVersion_ = std::move(version);
    watching_ = true;
    return changed;
}

// The work of this connection itself is no news: its own notifications carry its backend's pid.
bool SqlConnection::OtherServerNotifications()
{
    PGconn* connection = PostgresqlHandle(QSqlDatabase::database(name_, false));
    if (connection == nullptr)
        return false;
    // The server's notices are read as a statement's answer is: a statement whose rows were not
    // all read would hold them back, and an idle connection may not have read them yet.
    RunText(QStringLiteral("SELECT 1"));
    if (PQconsumeInput(connection) == 0)
        throw StoreError(StoreErrorKind::Unreachable,
                         QStringLiteral("Lost the connection to %1: %2")
                             .arg(address_.DisplayText(), QString::fromUtf8(PQerrorMessage(connection)).trimmed()));
    bool others = false;
    while (PGnotify* notice = PQnotifies(connection)) {
        others = others || notice->be_pid != PQbackendPID(connection);
        PQfreemem(notice);
    }
    return others;
}

void SqlConnection::Fail(const QSqlError& error, const QString& doing) const
{
    const QString message = QStringLiteral("%1 %2: %3").arg(doing, address_.DisplayText(), address_.MaskSecrets(error.text()));
    const QString state = error.nativeErrorCode();
    StoreErrorKind kind = StoreErrorKind::Failed;
    if (address_.engine == Engine::Postgresql) {
        kind = ServerFailureKind(error.type(), state);
    } else {
        const int code = state.toInt();
        if ((code & 0xFF) == kSqliteNotADatabase || (code & 0xFF) == kSqliteCorrupt)
            kind = StoreErrorKind::Foreign;
        else if (code == kSqliteConstraintUnique || code == kSqliteConstraintPrimaryKey)
            kind = StoreErrorKind::Conflict;
    }
    throw StoreError(kind, message);
}

void BindAll(QSqlQuery& query, const std::map<QString, QVariant>& values)
{
    for (const auto& [name, value] : values) {
        // Qt binds a null QString as NULL; an empty text is meant (NULL is an invalid QVariant).
        const bool nullText = value.typeId() == QMetaType::QString && value.toString().isNull();
        query.bindValue(':' + name, nullText ? QVariant(QStringLiteral("")) : value);
    }
}

} // namespace voltaryn::store
