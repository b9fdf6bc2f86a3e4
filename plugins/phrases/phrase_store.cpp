#include "phrase_store.h"

#include <sqlite3.h>

#include <memory>

#include "base/platform/sqlite_handle.h"

namespace phrases {
namespace {

using platform::SqliteText;

// Read-only: opening a missing file fails instead of creating an empty store.
platform::SqliteDatabase OpenReadOnly(const std::string& file) {
  return platform::OpenSqlite(file, SQLITE_OPEN_READONLY);
}

}  // namespace

std::vector<Language> PhraseStore::Languages() const {
  std::vector<Language> languages;
  const platform::SqliteDatabase db = OpenReadOnly(file_);
  if (!db) return languages;
  const platform::SqliteStatement query =
      platform::PrepareSqlite(db.get(), "SELECT id, name FROM languages ORDER BY id");
  if (!query) return languages;
  while (sqlite3_step(query.get()) == SQLITE_ROW) {
    const sqlite3_int64 id = sqlite3_column_int64(query.get(), 0);
    if (id < INT32_MIN || id > INT32_MAX) continue;  // no record could carry it
    languages.push_back({static_cast<int32_t>(id), std::string(SqliteText(query.get(), 1))});
  }
  return languages;
}

PhraseMap PhraseStore::Phrases(int32_t language_id) const {
  PhraseMap phrases;
  const platform::SqliteDatabase db = OpenReadOnly(file_);
  if (!db) return phrases;
  const platform::SqliteStatement query =
      platform::PrepareSqlite(db.get(), "SELECT key, text FROM phrases WHERE language_id = ?1");
  if (!query || sqlite3_bind_int(query.get(), 1, language_id) != SQLITE_OK) return phrases;
  while (sqlite3_step(query.get()) == SQLITE_ROW) {
    phrases.insert_or_assign(std::string(SqliteText(query.get(), 0)),
                             std::string(SqliteText(query.get(), 1)));
  }
  return phrases;
}

}  // namespace phrases
