#pragma once

#include <filesystem>

// Runs SQL against an SQLite file outside the archive's own code.
void RunSql(const std::filesystem::path& file, const char* sql);
