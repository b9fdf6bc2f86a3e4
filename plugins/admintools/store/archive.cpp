#include "store/archive.h"

#include <string>

#include "store/archive_error.h"
#include "store/archive_schema.h"

namespace admintools {
namespace {

// Rides out another writer's short transaction; a longer lock is the user's to
// decide about, and the screens must not stand still meanwhile.
constexpr int kBusyTimeoutMs = 1000;

int64_t PragmaValue(const Database& db, const char* pragma) {
  Statement statement(db, pragma);
  return statement.Step() ? statement.Int(0) : 0;
}

int64_t TableCount(const Database& db) {
  Statement statement(db, "SELECT count(*) FROM sqlite_master");
  statement.Step();
  return statement.Int(0);
}

bool HasArchiveTables(const Database& db) {
  for (const char* table : schema::kTables) {
    Statement statement(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1");
    if (!statement.Bind(1, std::string_view(table)).Step()) return false;
  }
  return true;
}

}  // namespace

Archive::Archive(const std::string& file) : db_(file, /*create=*/true) { OpenSchema(); }

void Archive::OpenSchema() {
  sqlite3_busy_timeout(db_.handle(), kBusyTimeoutMs);
  db_.Execute("PRAGMA foreign_keys = ON");

  // Nothing below writes to the file until it is known to be ours: reading the
  // version is the first access and fails on a file that is not a database.
  const int64_t version = PragmaValue(db_, "PRAGMA user_version");
  if (version > kSchemaVersion) {
    throw ArchiveError(ArchiveFailure::kNewerVersion, "archive version " + std::to_string(version) +
                                                          " is newer than " +
                                                          std::to_string(kSchemaVersion));
  }
  if (version == 0 && TableCount(db_) > 0) {
    throw ArchiveError(ArchiveFailure::kNotAnArchive, "another program's database");
  }
  if (version < 0) throw ArchiveError(ArchiveFailure::kNotAnArchive, "bad archive version");
  if (version > 0 && !HasArchiveTables(db_)) {
    throw ArchiveError(ArchiveFailure::kNotAnArchive, "archive tables missing");
  }

  // Readers (the archive screen) do not block a device screen that saves.
  PragmaValue(db_, "PRAGMA journal_mode = WAL");
  if (version == kSchemaVersion) return;
  // A new file gets every table; an older one each step up to today's, all
  // in one transaction so that a failure leaves it at its own version.
  Transaction transaction(db_);
  if (version == 0) {
    db_.Execute(schema::kCreate);
  } else {
    for (auto from = static_cast<int>(version); from < kSchemaVersion; ++from)
      db_.Execute(schema::Upgrade(from));
  }
  db_.Execute(("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
  transaction.Commit();
}

}  // namespace admintools
