#pragma once

namespace voltaryn::store {

class SqlConnection;

// A write transaction that knows its engine: on SQLite it takes the write lock at once
// (BEGIN IMMEDIATE), so a transaction that reads before it writes waits for the busy timeout
// instead of failing. Rolls back unless committed.
class WriteTransaction {
public:
    explicit WriteTransaction(SqlConnection& connection);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    void Commit();

private:
    SqlConnection& connection_;
    bool open_ = true;
};

} // namespace voltaryn::store
