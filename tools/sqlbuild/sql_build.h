#pragma once

#include <filesystem>
#include <span>
#include <string>

namespace sqlbuild {

// Creates the SQLite file `out` and runs every script of `inputs` on it, in order.
// Returns an empty text on success, else what went wrong ("file:line: message").
// On failure `out` may hold a partial database; the caller discards it.
std::string BuildDatabase(const std::filesystem::path& out,
                          std::span<const std::filesystem::path> inputs);

}  // namespace sqlbuild
