#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <string_view>

// SQLite's connection and statement as owned values, for the program, its
// plug-ins and its tools alike (header-only).
namespace platform {

struct SqliteClose {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct SqliteFinalize {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using SqliteDatabase = std::unique_ptr<sqlite3, SqliteClose>;
using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteFinalize>;

// Opens `file` with sqlite3_open_v2 `flags`; empty when it cannot be opened.
inline SqliteDatabase OpenSqlite(const std::string& file, int flags) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(file.c_str(), &raw, flags, nullptr);
  SqliteDatabase db(raw);
  if (rc != SQLITE_OK) db.reset();
  return db;
}

// Prepares one statement; empty when SQLite refuses it.
inline SqliteStatement PrepareSqlite(sqlite3* db, const char* sql) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK) {
    sqlite3_finalize(raw);
    return nullptr;
  }
  return SqliteStatement(raw);
}

// A column as text, all its bytes; NULL reads as empty.
inline std::string_view SqliteText(sqlite3_stmt* row, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(row, column));
  if (text == nullptr) return {};
  return {text, static_cast<std::size_t>(sqlite3_column_bytes(row, column))};
}

}  // namespace platform
