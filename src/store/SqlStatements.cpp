#include "store/SqlStatements.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

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

// Whether a piece of a migration file holds SQL rather than comments alone.
bool HoldsSql(const QString& piece)
{
    const QStringList lines = piece.split('\n');
    return std::any_of(lines.begin(), lines.end(), [](const QString& line) {
        const QString text = line.trimmed();
        return !text.isEmpty() && !text.startsWith(QStringLiteral("--"));
    });
}

// A migration file: "-- min_compatible: N" somewhere in its comments, then statements each
// ending with ";" at the end of a line outside a function's $$-quoted body. A file of comments
// alone takes a step that only records its version.
Migration ReadMigration(const QString& path)
{
    const QString text = ReadResource(path);
    Migration migration;
    migration.version = QFileInfo(path).fileName().section('-', 0, 0).toInt();
    const auto header = QRegularExpression(QStringLiteral("^-- min_compatible: (\\d+)$"),
                                           QRegularExpression::MultilineOption).match(text);
    migration.minCompatible = header.hasMatch() ? header.captured(1).toInt() : migration.version;
    QString statement;
    bool inBody = false;
    const auto add = [&] {
        if (HoldsSql(statement))
            migration.statements << statement.trimmed();
        statement.clear();
    };
    for (const QString& line : text.split('\n')) {
        if (line.count(QStringLiteral("$$")) % 2 == 1)
            inBody = !inBody;
        const QString trimmed = line.trimmed();
        if (inBody || !trimmed.endsWith(';')) {
            statement += line + '\n';
            continue;
        }
        statement += trimmed.chopped(1);
        add();
    }
    add();
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
