#include "phrase_store.h"

#include <sqlite3.h>

#include <memory>

namespace phrases {
namespace {

struct CloseDatabase {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct FinalizeStatement {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;
using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

// Read-only: opening a missing file fails instead of creating an empty store.
Database OpenReadOnly(const std::string& file) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
  Database db(raw);
  if (rc != SQLITE_OK) db.reset();
  return db;
}

Statement Prepare(sqlite3* db, const char* sql) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK) {
    sqlite3_finalize(raw);
    return nullptr;
  }
  return Statement(raw);
}

// A NULL column reads as empty text.
std::string_view Text(sqlite3_stmt* statement, int column) {
  const auto* text = sqlite3_column_text(statement, column);
  if (text == nullptr) return {};
  return {reinterpret_cast<const char*>(text),
          static_cast<std::size_t>(sqlite3_column_bytes(statement, column))};
}

}  // namespace

std::vector<Language> PhraseStore::Languages() const {
  std::vector<Language> languages;
  const Database db = OpenReadOnly(file_);
  if (!db) return languages;
  const Statement query = Prepare(db.get(), "SELECT id, name FROM languages ORDER BY id");
  if (!query) return languages;
  while (sqlite3_step(query.get()) == SQLITE_ROW) {
    const sqlite3_int64 id = sqlite3_column_int64(query.get(), 0);
    if (id < INT32_MIN || id > INT32_MAX) continue;  // no record could carry it
    languages.push_back({static_cast<int32_t>(id), std::string(Text(query.get(), 1))});
  }
  return languages;
}

PhraseMap PhraseStore::Phrases(int32_t language_id) const {
  PhraseMap phrases;
  const Database db = OpenReadOnly(file_);
  if (!db) return phrases;
  const Statement query = Prepare(db.get(), "SELECT key, text FROM phrases WHERE language_id = ?1");
  if (!query || sqlite3_bind_int(query.get(), 1, language_id) != SQLITE_OK) return phrases;
  while (sqlite3_step(query.get()) == SQLITE_ROW) {
    phrases.insert_or_assign(std::string(Text(query.get(), 0)), std::string(Text(query.get(), 1)));
  }
  return phrases;
}

}  // namespace phrases
