#include "history/SqlStatement.h"

#include <sqlite3.h>

#include <cmath>

SqlError::SqlError(int code, const std::string& message)
    : std::runtime_error(message), m_code(code) {}

SqlStatement::SqlStatement(sqlite3* db, std::string_view sql) : m_db(db) {
    const int rc =
        sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK)
        Fail(rc);
}

SqlStatement::~SqlStatement() {
    sqlite3_finalize(m_stmt);
}

SqlStatement::SqlStatement(SqlStatement&& other) noexcept : m_db(other.m_db), m_stmt(other.m_stmt) {
    other.m_stmt = nullptr;
}

SqlStatement& SqlStatement::Bind(int index, std::int64_t value) {
    const int rc = sqlite3_bind_int64(m_stmt, index, value);
    if (rc != SQLITE_OK)
        Fail(rc);
    return *this;
}

SqlStatement& SqlStatement::Bind(int index, double value) {
    const int rc = sqlite3_bind_double(m_stmt, index, value);
    if (rc != SQLITE_OK)
        Fail(rc);
    return *this;
}

SqlStatement& SqlStatement::Bind(int index, std::string_view utf8) {
    const int rc =
        sqlite3_bind_text64(m_stmt, index, utf8.data(), utf8.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    if (rc != SQLITE_OK)
        Fail(rc);
    return *this;
}

bool SqlStatement::Step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    // The statement keeps the error; resetting it here lets it run again.
    sqlite3_reset(m_stmt);
    Fail(rc);
}

void SqlStatement::Run() {
    while (Step()) {
    }
    Reset();
}

void SqlStatement::Reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

std::int64_t SqlStatement::Int(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}

double SqlStatement::Real(int column) const {
    const double value = sqlite3_column_double(m_stmt, column);
    return std::isfinite(value) ? value : 0.0;
}

std::string SqlStatement::Text(int column) const {
    const unsigned char* text = sqlite3_column_text(m_stmt, column);
    if (text == nullptr)
        return {};
    const int size = sqlite3_column_bytes(m_stmt, column);
    return std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size));
}

void SqlStatement::Fail(int code) const {
    const int extended = m_db != nullptr ? sqlite3_extended_errcode(m_db) : code;
    const char* message = m_db != nullptr ? sqlite3_errmsg(m_db) : sqlite3_errstr(code);
    throw SqlError((extended & 0xFF) == (code & 0xFF) ? extended : code, message);
}
