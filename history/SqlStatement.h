// A prepared SQLite statement with the few bindings and column reads the
// history needs. Errors come out as SqlError; HistoryStore catches them at
// its edge, so no caller of the library ever sees one.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

class SqlError : public std::runtime_error {
public:
    SqlError(int code, const std::string& message);
    // The extended SQLite result code.
    int Code() const { return m_code; }
    // The primary result code (SQLITE_BUSY, SQLITE_FULL, ...).
    int PrimaryCode() const { return m_code & 0xFF; }

private:
    int m_code;
};

class SqlStatement {
public:
    SqlStatement(sqlite3* db, std::string_view sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;
    SqlStatement(SqlStatement&& other) noexcept;
    SqlStatement& operator=(SqlStatement&&) = delete;

    // Parameters are numbered from 1.
    SqlStatement& Bind(int index, std::int64_t value);
    SqlStatement& Bind(int index, double value);
    // UTF-8 text, copied by SQLite.
    SqlStatement& Bind(int index, std::string_view utf8);

    // True while a row is ready; false when the statement is done.
    bool Step();
    // Runs a statement that returns no rows to its end.
    void Run();
    // Makes the statement ready to run again with new bindings.
    void Reset();

    // Columns are numbered from 0. A database is outside input: a column of
    // another type is converted as SQLite converts it, NULL reads as 0 or "".
    std::int64_t Int(int column) const;
    double Real(int column) const;
    std::string Text(int column) const;

private:
    [[noreturn]] void Fail(int code) const;

    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};
