#include "sql_build.h"

#include <sqlite3.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string_view>

#include "base/platform/sqlite_handle.h"

namespace sqlbuild {
namespace {

using Database = platform::SqliteDatabase;
using Statement = platform::SqliteStatement;

struct ScriptError {
  std::size_t line;
  std::string message;
};

// Skips blanks and comments so that an error names the line its statement starts on.
std::size_t SkipBlank(std::string_view sql, std::size_t at) {
  while (at < sql.size()) {
    const char c = sql[at];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
      ++at;
    } else if (sql.substr(at, 2) == "--") {
      const std::size_t end = sql.find('\n', at);
      at = end == std::string_view::npos ? sql.size() : end + 1;
    } else if (sql.substr(at, 2) == "/*") {
      const std::size_t end = sql.find("*/", at + 2);
      at = end == std::string_view::npos ? sql.size() : end + 2;
    } else {
      break;
    }
  }
  return at;
}

std::size_t LineAt(std::string_view sql, std::size_t at) {
  const auto head = sql.substr(0, at);
  return 1 + static_cast<std::size_t>(std::count(head.begin(), head.end(), '\n'));
}

// Runs the statements one by one (rather than sqlite3_exec) to know where one fails.
std::optional<ScriptError> RunScript(sqlite3* db, std::string_view sql) {
  std::size_t at = 0;
  while ((at = SkipBlank(sql, at)) < sql.size()) {
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    int rc =
        sqlite3_prepare_v2(db, sql.data() + at, static_cast<int>(sql.size() - at), &raw, &tail);
    const Statement statement(raw);
    if (rc == SQLITE_OK && statement) {
      while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
      }
      if (rc == SQLITE_DONE) rc = SQLITE_OK;
    }
    if (rc != SQLITE_OK) return ScriptError{LineAt(sql, at), sqlite3_errmsg(db)};
    const auto next = static_cast<std::size_t>(tail - sql.data());
    if (next <= at) break;  // nothing left but text SQLite ignores
    at = next;
  }
  return std::nullopt;
}

std::optional<std::string> ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return text;
}

}  // namespace

std::string BuildDatabase(const std::filesystem::path& out,
                          std::span<const std::filesystem::path> inputs) {
  sqlite3* raw = nullptr;
  const int rc =
      sqlite3_open_v2(out.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  const Database db(raw);
  if (rc != SQLITE_OK) {
    return out.string() + ": " + (db ? sqlite3_errmsg(db.get()) : sqlite3_errstr(rc));
  }
  // A failed build is thrown away whole, so neither a journal nor syncing buys anything.
  if (auto error = RunScript(db.get(), "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;")) {
    return out.string() + ": " + error->message;
  }
  for (const auto& input : inputs) {
    const auto sql = ReadFile(input);
    if (!sql) return input.string() + ": cannot be read";
    if (sql->size() > static_cast<std::size_t>(INT_MAX)) return input.string() + ": too large";
    if (auto error = RunScript(db.get(), *sql)) {
      return input.string() + ":" + std::to_string(error->line) + ": " + error->message;
    }
  }
  return {};
}

}  // namespace sqlbuild
