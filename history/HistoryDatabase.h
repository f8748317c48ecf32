// One open connection to a history file: opening with the flags the store
// wants, plain statements, a cache of the statements a sentence's recording
// repeats, and transactions that roll back unless committed.
#pragma once

#include "history/SqlStatement.h"

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;

// How a file in a folder that other computers write (the class folder) is
// opened: never through a symbolic link, and with SQLite's usual locks, so
// that a reader sees whole transactions while another computer writes.
enum class SharedFileAccess { Read, Write };

// The URI SQLite opens `file` by, with `parameters` ("immutable=1", say)
// after the '?': the characters a URI gives a meaning to are escaped.
std::string SqliteFileUri(const std::filesystem::path& file, std::string_view parameters);

// Every connection, to the pupil's own file or to one of the class folder:
// a crafted file must not reach outside itself or run code of its own.
void GuardAgainstCraftedFile(sqlite3* db);

class HistoryDatabase {
public:
    // Opens (and, unless readOnly, creates) the file; throws SqlError. A
    // read-only file is opened as unchanging: for this account's own
    // history, which nobody else writes.
    HistoryDatabase(const std::filesystem::path& file, bool readOnly);
    // A file of the class folder; Write creates it when missing.
    HistoryDatabase(const std::filesystem::path& file, SharedFileAccess access);
    ~HistoryDatabase();
    HistoryDatabase(const HistoryDatabase&) = delete;
    HistoryDatabase& operator=(const HistoryDatabase&) = delete;

    bool ReadOnly() const { return m_readOnly; }
    // How long a statement waits for another connection's lock before it
    // fails with SQLITE_BUSY.
    void SetBusyTimeout(int milliseconds);
    // Runs statements that return nothing of interest.
    void Execute(std::string_view sql);
    SqlStatement Prepare(std::string_view sql);
    // A statement prepared once and kept; reset before it is handed out.
    SqlStatement& Cached(std::string_view sql);
    // The first column of the first row, or fallback when there is none.
    std::int64_t QueryInt(std::string_view sql, std::int64_t fallback = 0);
    std::string QueryText(std::string_view sql);
    std::int64_t LastInsertId() const;
    int Changes() const;

private:
    void OpenWith(const std::string& name, int flags);

    sqlite3* m_db = nullptr;
    bool m_readOnly;
    std::map<std::string, std::unique_ptr<SqlStatement>, std::less<>> m_cache;
};

// BEGIN on construction, ROLLBACK on destruction unless Commit() ran. A
// deferred transaction only reads: one consistent view of the file.
class Transaction {
public:
    enum class Kind { Immediate, Exclusive, Deferred };
    explicit Transaction(HistoryDatabase& db, Kind kind = Kind::Immediate);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

private:
    HistoryDatabase& m_db;
    bool m_open = true;
};
