#include "store/sqlite.h"

#include <limits>

#include "store/archive_error.h"

namespace admintools {

void RequireChanged(const Database& db, const char* what) {
  if (sqlite3_changes(db.handle()) == 0) {
    throw ArchiveError(ArchiveFailure::kNotFound, std::string("no such ") + what);
  }
}

void ThrowSqliteError(sqlite3* db, int code, const char* during) {
  const std::string detail =
      std::string(during) + ": " + (db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code));
  switch (code & 0xFF) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
      throw ArchiveError(ArchiveFailure::kNotAnArchive, detail);
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_READONLY:
      throw ArchiveError(ArchiveFailure::kCannotOpen, detail);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      throw ArchiveError(ArchiveFailure::kBusy, detail);
    case SQLITE_CONSTRAINT:
      throw ArchiveError(code == SQLITE_CONSTRAINT_FOREIGNKEY ? ArchiveFailure::kNotFound
                                                              : ArchiveFailure::kInvalid,
                         detail);
    default:
      throw ArchiveError(ArchiveFailure::kFailed, detail);
  }
}

Database::Database(const std::string& file, bool create) {
  sqlite3* db = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) |
                    SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE;
  const int code = sqlite3_open_v2(file.c_str(), &db, flags, nullptr);
  db_.reset(db);  // a failed open still hands out a handle to close
  if (code != SQLITE_OK) ThrowSqliteError(db, code, "open");
  sqlite3_extended_result_codes(db, 1);
}

void Database::Execute(const char* sql) {
  const int code = sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) ThrowSqliteError(db_.get(), code, "execute");
}

Statement::Statement(const Database& db, const char* sql) : db_(db.handle()) {
  sqlite3_stmt* statement = nullptr;
  const int code = sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr);
  statement_.reset(statement);
  if (code != SQLITE_OK) ThrowSqliteError(db_, code, "prepare");
}

Statement& Statement::Bind(int index, int64_t value) {
  const int code = sqlite3_bind_int64(statement_.get(), index, value);
  if (code != SQLITE_OK) ThrowSqliteError(db_, code, "bind");
  return *this;
}

Statement& Statement::Bind(int index, std::string_view text) {
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    throw ArchiveError(ArchiveFailure::kInvalid, "text too long");
  }
  const int code = sqlite3_bind_text(statement_.get(), index, text.data(),
                                     static_cast<int>(text.size()), SQLITE_TRANSIENT);
  if (code != SQLITE_OK) ThrowSqliteError(db_, code, "bind");
  return *this;
}

Statement& Statement::Bind(int index, std::optional<double> value) {
  // NaN would be stored as NULL by SQLite anyway; say so explicitly.
  if (!value.has_value() || *value != *value) return BindNull(index);
  const int code = sqlite3_bind_double(statement_.get(), index, *value);
  if (code != SQLITE_OK) ThrowSqliteError(db_, code, "bind");
  return *this;
}

Statement& Statement::BindNull(int index) {
  const int code = sqlite3_bind_null(statement_.get(), index);
  if (code != SQLITE_OK) ThrowSqliteError(db_, code, "bind");
  return *this;
}

bool Statement::Step() {
  const int code = sqlite3_step(statement_.get());
  if (code == SQLITE_ROW) return true;
  if (code == SQLITE_DONE) return false;
  ThrowSqliteError(db_, code, "step");
}

void Statement::Run() {
  while (Step()) {
  }
}

void Statement::Reset() { sqlite3_reset(statement_.get()); }

int64_t Statement::Int(int column) const { return sqlite3_column_int64(statement_.get(), column); }

std::string Statement::Text(int column) const {
  const auto* text = sqlite3_column_text(statement_.get(), column);
  if (text == nullptr) return {};
  const int size = sqlite3_column_bytes(statement_.get(), column);
  return std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size));
}

std::optional<double> Statement::Real(int column) const {
  if (IsNull(column)) return std::nullopt;
  return sqlite3_column_double(statement_.get(), column);
}

bool Statement::IsNull(int column) const {
  return sqlite3_column_type(statement_.get(), column) == SQLITE_NULL;
}

Transaction::Transaction(Database& db) : db_(db) { db_.Execute("BEGIN IMMEDIATE"); }

Transaction::~Transaction() {
  if (!done_) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::Commit() {
  db_.Execute("COMMIT");
  done_ = true;
}

}  // namespace admintools
