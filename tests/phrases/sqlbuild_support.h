#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

struct ToolRun {
  int exit_code;       // -1 when the tool did not end normally
  std::string errors;  // what it wrote to stderr
};

// Runs keldar-sqlbuild with `arguments` (each one passed as a single argument).
ToolRun RunSqlBuild(std::initializer_list<std::string> arguments);

// Rows of a one-column query against an SQLite file, as text.
std::vector<std::string> QueryColumn(const std::filesystem::path& db, const char* sql);
