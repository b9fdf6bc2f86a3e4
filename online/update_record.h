#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "online/json.h"

// One file of a release, as the file list names it.
struct UpdateFileRecord {
  std::string id;    // the server's id, passed to fetch_file
  std::string name;  // file name
  std::string dst;   // folder relative to the working folder; empty for the folder itself
  std::int64_t size = 0;
  std::uint32_t crc = 0;
};

// A decimal text read like atol: leading blanks, an optional sign, digits up
// to the first other character; no digits give 0. Saturates instead of overflowing.
std::int64_t DecimalValue(std::string_view text);

// The record's members; missing ones read as empty text (size and crc 0).
// "crc" is taken as an unsigned 32-bit value, so "-1" and "4294967295" agree.
UpdateFileRecord ReadFileRecord(const JSONObject& object);

// Why a record is not acted on. The server's list decides which files the
// installer script replaces, so a record that could reach outside the working
// folder, break the script's quoting or exhaust memory refuses the whole update.
// The first problem found is named, in this order: the user is told which.
enum class RecordProblem {
  kNone,
  kAbsolutePath,      // name or dst starts with '/'
  kParentLevel,       // name or dst holds ".."
  kScriptCharacters,  // a quote, '$', '`', '\\', '%', ':' or a control character
  kInstallerName,     // the installer script's own name in the working folder
  kUnsafeName,        // empty, ".", a separator, too long
  kUnsafeDst,         // an empty level from a doubled or trailing '/', too long
  kBadSize,           // negative, or more than kMaxUpdateFileBytes
  kBadId,  // empty, not letters, digits, '_' or '-', or too long for the fetch_file query
};

// The largest file an update may bring; anything above is taken as a faulty list.
inline constexpr std::int64_t kMaxUpdateFileBytes = std::int64_t{512} * 1024 * 1024;
// Working limits of the paths the update builds.
inline constexpr std::size_t kLocalPathBytes = 1000;
inline constexpr std::size_t kTemporaryNameBytes = 500;
inline constexpr std::size_t kChunkQueryBytes = 250;

// `reserved` is a name the record may not take in the working folder itself
// (the installer script's own name).
RecordProblem CheckRecord(const UpdateFileRecord& record, std::string_view mainDatabase,
                          std::string_view clientId, std::string_view finger,
                          std::string_view reserved);

// "./dst/name": the file the record replaces, for the local check.
std::filesystem::path LocalPath(const UpdateFileRecord& record);
// Where the download is staged: "./dst/name_u", or "name_u" in the working folder.
std::filesystem::path TemporaryPath(const UpdateFileRecord& record);
