#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/platform/sqlite_handle.h"

namespace admintools {

// One open SQLite connection. Failures throw ArchiveError.
class Database {
 public:
  // Opens (creating when `create`) the file read-write.
  Database(const std::string& file, bool create);

  sqlite3* handle() const { return db_.get(); }
  // Runs statements without parameters (schema text only, never user text).
  void Execute(const char* sql);
  int64_t LastInsertId() const { return sqlite3_last_insert_rowid(db_.get()); }

 private:
  platform::SqliteDatabase db_;
};

// One prepared statement; values are bound by position (1-based).
class Statement {
 public:
  Statement(const Database& db, const char* sql);

  Statement& Bind(int index, int64_t value);
  Statement& Bind(int index, std::string_view text);
  Statement& Bind(int index, std::optional<double> value);  // empty binds NULL
  Statement& BindNull(int index);

  // Steps once: true when a row is ready, false when done.
  bool Step();
  // Steps to the end of a statement that returns no rows.
  void Run();
  // Makes the statement ready to step again from the start; bindings stay.
  void Reset();

  int64_t Int(int column) const;
  std::string Text(int column) const;
  std::optional<double> Real(int column) const;  // NULL reads as empty
  bool IsNull(int column) const;

 private:
  sqlite3* db_;
  platform::SqliteStatement statement_;
};

// Commits at Commit(), rolls back when left without it.
class Transaction {
 public:
  explicit Transaction(Database& db);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void Commit();

 private:
  Database& db_;
  bool done_ = false;
};

// Throws the ArchiveError that matches an SQLite result code.
[[noreturn]] void ThrowSqliteError(sqlite3* db, int code, const char* during);
// Throws kNotFound ("no such <what>") when the last statement changed no row.
void RequireChanged(const Database& db, const char* what);

}  // namespace admintools
