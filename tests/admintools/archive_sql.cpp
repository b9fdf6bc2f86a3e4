#include "archive_sql.h"

#include <sqlite3.h>

#include <stdexcept>
#include <string>

void RunSql(const std::filesystem::path& file, const char* sql) {
  sqlite3* db = nullptr;
  if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) {
    sqlite3_close(db);
    throw std::runtime_error("cannot open " + file.string());
  }
  char* error = nullptr;
  const int code = sqlite3_exec(db, sql, nullptr, nullptr, &error);
  const std::string message = error != nullptr ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (code != SQLITE_OK) throw std::runtime_error(message);
}
