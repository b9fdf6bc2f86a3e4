#include "program_files.h"

#include <sqlite3.h>

std::vector<std::string> QueryColumn(const std::string& database, const std::string& sql,
                                     std::string* error) {
  std::vector<std::string> rows;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    if (error != nullptr) *error = sqlite3_errmsg(db);
    sqlite3_close(db);
    return rows;
  }
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK) {
    while (sqlite3_step(statement) == SQLITE_ROW) {
      const auto* text = sqlite3_column_text(statement, 0);
      rows.emplace_back(text != nullptr ? reinterpret_cast<const char*>(text) : "");
    }
  } else if (error != nullptr) {
    *error = sqlite3_errmsg(db);
  }
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return rows;
}

std::string Phrase(const std::string& workingFolder, const std::string& key, int language) {
  const auto rows = QueryColumn(workingFolder + "/phrases.db",
                                "SELECT text FROM phrases WHERE key = '" + key +
                                    "' AND language_id = " + std::to_string(language));
  return rows.empty() ? std::string() : rows.front();
}

std::string SettingsFile(int language, int baud) {
  return "[LANGUAGE]\r\nLANG = " + std::to_string(language) + "\r\n[SERIAL]\r\nBAUD = " +
         std::to_string(baud) + "\r\n";
}
