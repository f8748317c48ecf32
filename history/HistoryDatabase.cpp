#include "history/HistoryDatabase.h"

#include <sqlite3.h>

namespace {

// A stuck lock is not waited out: another tutor holds the file for as long
// as it runs, so the store reports it locked instead of freezing the window.
constexpr int kBusyTimeoutMs = 250;

} // namespace

std::string SqliteFileUri(const std::filesystem::path& file, std::string_view parameters) {
    std::string uri = "file:";
    for (const char c : file.native()) {
        if (c == '%' || c == '?' || c == '#') {
            constexpr char kHex[] = "0123456789ABCDEF";
            uri += '%';
            uri += kHex[(static_cast<unsigned char>(c) >> 4) & 0xF];
            uri += kHex[static_cast<unsigned char>(c) & 0xF];
        } else {
            uri += c;
        }
    }
    return uri + '?' + std::string(parameters);
}

HistoryDatabase::HistoryDatabase(const std::filesystem::path& file, bool readOnly)
    : m_readOnly(readOnly) {
    const int flags = (readOnly ? SQLITE_OPEN_READONLY | SQLITE_OPEN_URI
                                : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) |
                      SQLITE_OPEN_NOMUTEX;
    // A file that may not be written is opened as unchanging: SQLite then
    // needs neither a lock nor the WAL's index beside it, which a read-only
    // folder could not hold. Whatever the WAL journal still holds is not seen.
    OpenWith(readOnly ? SqliteFileUri(file, "immutable=1") : file.native(), flags);
}

HistoryDatabase::HistoryDatabase(const std::filesystem::path& file, SharedFileAccess access)
    : m_readOnly(access == SharedFileAccess::Read) {
    const int flags =
        (m_readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) |
        SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_NOFOLLOW;
    OpenWith(file.native(), flags);
}

void HistoryDatabase::OpenWith(const std::string& name, int flags) {
    const int rc = sqlite3_open_v2(name.c_str(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const int extended = m_db != nullptr ? sqlite3_extended_errcode(m_db) : rc;
        const std::string message = m_db != nullptr ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw SqlError(extended, message);
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    GuardAgainstCraftedFile(m_db);
}

void GuardAgainstCraftedFile(sqlite3* db) {
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
}

void HistoryDatabase::SetBusyTimeout(int milliseconds) {
    sqlite3_busy_timeout(m_db, milliseconds);
}

HistoryDatabase::~HistoryDatabase() {
    m_cache.clear();
    sqlite3_close_v2(m_db);
}

void HistoryDatabase::Execute(std::string_view sql) {
    const std::string text(sql);
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, text.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const std::string what = message != nullptr ? message : sqlite3_errstr(rc);
        sqlite3_free(message);
        throw SqlError(sqlite3_extended_errcode(m_db), what);
    }
}

SqlStatement HistoryDatabase::Prepare(std::string_view sql) {
    return SqlStatement(m_db, sql);
}

SqlStatement& HistoryDatabase::Cached(std::string_view sql) {
    auto it = m_cache.find(sql);
    if (it == m_cache.end())
        it = m_cache.emplace(std::string(sql), std::make_unique<SqlStatement>(m_db, sql)).first;
    it->second->Reset();
    return *it->second;
}

std::int64_t HistoryDatabase::QueryInt(std::string_view sql, std::int64_t fallback) {
    SqlStatement statement(m_db, sql);
    return statement.Step() ? statement.Int(0) : fallback;
}

std::string HistoryDatabase::QueryText(std::string_view sql) {
    SqlStatement statement(m_db, sql);
    return statement.Step() ? statement.Text(0) : std::string();
}

std::int64_t HistoryDatabase::LastInsertId() const {
    return sqlite3_last_insert_rowid(m_db);
}

int HistoryDatabase::Changes() const {
    return sqlite3_changes(m_db);
}

Transaction::Transaction(HistoryDatabase& db, Kind kind) : m_db(db) {
    switch (kind) {
    case Kind::Immediate:
        m_db.Execute("BEGIN IMMEDIATE");
        break;
    case Kind::Exclusive:
        m_db.Execute("BEGIN EXCLUSIVE");
        break;
    case Kind::Deferred:
        m_db.Execute("BEGIN");
        break;
    }
}

Transaction::~Transaction() {
    if (!m_open)
        return;
    try {
        m_db.Execute("ROLLBACK");
    } catch (const SqlError&) {
        // SQLite has already rolled back after errors such as a full disk;
        // there is nothing left to undo.
    }
}

void Transaction::Commit() {
    m_db.Execute("COMMIT");
    m_open = false;
}
