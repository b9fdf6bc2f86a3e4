#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

void WriteFile(const std::filesystem::path& file, std::string_view content);
std::string ReadFile(const std::filesystem::path& file);

struct ToolRun {
  int exit_code;       // -1 when the tool did not end normally
  std::string errors;  // what it wrote to stderr
};

// Runs keldar-sqlbuild with `arguments` (each one passed as a single argument).
ToolRun RunSqlBuild(std::initializer_list<std::string> arguments);

// Rows of a one-column query against an SQLite file, as text.
std::vector<std::string> QueryColumn(const std::filesystem::path& db, const char* sql);
