#include "sqlbuild_support.h"

#include <sqlite3.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <vector>

#include "test_support.h"

namespace fs = std::filesystem;

namespace {

// Single quotes keep every byte literal for /bin/sh.
std::string ShellQuote(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

ToolRun RunSqlBuild(std::initializer_list<std::string> arguments) {
  const TempFolder scratch;
  std::string command = ShellQuote(KELDAR_SQLBUILD);
  for (const auto& argument : arguments) {
    command += ' ';
    command += ShellQuote(argument);
  }
  command += " 2>";
  command += ShellQuote((scratch / "stderr").string());
  const int status = std::system(command.c_str());
  const int exit_code = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return {exit_code, ReadFile(scratch / "stderr")};
}

std::vector<std::string> QueryColumn(const fs::path& db, const char* sql) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(db.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
  const std::unique_ptr<sqlite3, int (*)(sqlite3*)> connection(raw, sqlite3_close);
  if (rc != SQLITE_OK) throw std::runtime_error("cannot open " + db.string());
  std::vector<std::string> rows;
  const auto collect = [](void* out, int, char** values, char**) {
    static_cast<std::vector<std::string>*>(out)->emplace_back(values[0] ? values[0] : "");
    return 0;
  };
  char* error = nullptr;
  if (sqlite3_exec(raw, sql, collect, &rows, &error) != SQLITE_OK) {
    const std::string message = error ? error : "query failed";
    sqlite3_free(error);
    throw std::runtime_error(message);
  }
  return rows;
}
