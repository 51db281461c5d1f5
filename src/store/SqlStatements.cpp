#include "store/SqlStatements.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace voltaryn::store {
namespace {

const QString kRoot = QStringLiteral(":/voltaryn/store/sql/");

QString EngineFolder(Engine engine)
{
    return engine == Engine::Sqlite ? QStringLiteral("sqlite") : QStringLiteral("postgresql");
}

QString ReadResource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

// A migration file: "-- min_compatible: N" somewhere in its comments, then statements each
// ending with ";" at the end of a line.
Migration ReadMigration(const QString& path)
{
    const QString text = ReadResource(path);
    Migration migration;
    migration.version = QFileInfo(path).fileName().section('-', 0, 0).toInt();
    const auto header = QRegularExpression(QStringLiteral("^-- min_compatible: (\\d+)$"),
                                           QRegularExpression::MultilineOption).match(text);
    migration.minCompatible = header.hasMatch() ? header.captured(1).toInt() : migration.version;
    for (const QString& statement : text.split(QRegularExpression(QStringLiteral(";\\s*$"),
                                                                  QRegularExpression::MultilineOption))) {
        if (!statement.trimmed().isEmpty())
            migration.statements << statement.trimmed();
    }
    return migration;
}

std::vector<Migration> ReadMigrations(Engine engine)
{
    const QDir folder(kRoot + QStringLiteral("migrations/") + EngineFolder(engine));
    std::vector<Migration> migrations;
    for (const QString& name : folder.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name))
        migrations.push_back(ReadMigration(folder.filePath(name)));
    return migrations;
}

} // namespace

QString SqlStatement(Engine engine, const QString& name)
{
    const QString file = QStringLiteral("statements/%1/") + name + QStringLiteral(".sql");
    QString text = ReadResource(kRoot + file.arg(EngineFolder(engine)));
    if (text.isEmpty())
        text = ReadResource(kRoot + file.arg(QStringLiteral("common")));
    Q_ASSERT_X(!text.isEmpty(), "SqlStatement", qPrintable(name));
    return text;
}

const std::vector<Migration>& Migrations(Engine engine)
{
    static const std::vector<Migration> sqlite = ReadMigrations(Engine::Sqlite);
    static const std::vector<Migration> postgresql = ReadMigrations(Engine::Postgresql);
    return engine == Engine::Sqlite ? sqlite : postgresql;
}

} // namespace voltaryn::store
