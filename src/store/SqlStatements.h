#pragma once

#include "store/StoreAddress.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace voltaryn::store {

// The SQL the store runs, kept as files in the program's resources: one file per named
// statement, in a folder per engine where the engines differ and in common/ where they agree.
QString SqlStatement(Engine engine, const QString& name);

// A schema migration: the step to reach `version`, the oldest schema a program may know and
// still use the database afterwards, and its statements in order.
struct Migration {
    int version = 0;
    int minCompatible = 0;
    QStringList statements;
};

// Every migration of the engine, in order of version (1, 2, ...).
const std::vector<Migration>& Migrations(Engine engine);

} // namespace voltaryn::store
