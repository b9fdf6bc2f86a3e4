#pragma once

#include "store/archive_model.h"

namespace admintools::schema {

// Table and column names; the only text ever placed into SQL besides constants.
const char* ReadingTable(DeviceKind kind);
const char* ColumnOf(Quantity quantity);

// The version kCreate writes, kept in the file's PRAGMA user_version.
inline constexpr int kVersion = 2;

// Creates every table and index of the current version in an empty database.
extern const char* const kCreate;
// Tables a database of the current version must have.
extern const char* const kTables[6];
// Brings a file of `fromVersion` (1 … kVersion - 1) to the next version.
const char* Upgrade(int fromVersion);

}  // namespace admintools::schema
