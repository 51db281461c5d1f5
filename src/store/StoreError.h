#pragma once

#include <QString>

#include <stdexcept>

namespace voltaryn::store {

// What went wrong, so that callers can tell "queue it and retry later" from "tell the user".
enum class StoreErrorKind {
    Invalid,       // a malformed connection text or argument
    Unreachable,   // the server cannot take the write now (gone, shutting down, read-only, busy):
                   // a capture waits in the queue and is tried again
    Incompatible,  // the database needs a newer program
    Foreign,       // not a Voltaryn database, or not a database at all: left untouched
    NotFound,      // no such batch, cell or pack
    Conflict,      // a name or label already taken
    Failed,        // anything else the engine refused
};

// Every failure of the store is thrown as a StoreError whose text is fit to show to the user;
// it never holds a password.
class StoreError : public std::runtime_error {
public:
    StoreError(StoreErrorKind kind, const QString& message)
        : std::runtime_error(message.toStdString()), kind_(kind)
    {
    }

    StoreErrorKind Kind() const { return kind_; }
    QString Message() const { return QString::fromStdString(what()); }

private:
    StoreErrorKind kind_;
};

} // namespace voltaryn::store
