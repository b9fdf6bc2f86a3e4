// keldar-sqlbuild OUT.db IN.sql [IN2.sql ...]
// Builds a fresh SQLite file from SQL text. The database is written under a temporary
// name and renamed into place only when every statement succeeded, so a failed build
// never leaves a half-made OUT.db behind (an older OUT.db stays as it was).
#include <cstdio>
#include <exception>
#include <filesystem>
#include <system_error>
#include <vector>

#include "sql_build.h"

namespace fs = std::filesystem;

namespace {

void RemovePartial(const fs::path& temporary) {
  std::error_code ignored;
  fs::remove(temporary, ignored);
  fs::remove(fs::path(temporary) += "-journal", ignored);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "keldar-sqlbuild: %s\n", message.c_str());
  return 1;
}

int Run(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: keldar-sqlbuild OUT.db IN.sql [IN2.sql ...]\n");
    return 2;
  }
  const fs::path out = argv[1];
  const fs::path temporary = fs::path(out) += ".tmp";
  const std::vector<fs::path> inputs(argv + 2, argv + argc);

  RemovePartial(temporary);  // left over from an interrupted run
  if (const auto error = sqlbuild::BuildDatabase(temporary, inputs); !error.empty()) {
    RemovePartial(temporary);
    return Fail(error);
  }
  std::error_code ec;
  fs::rename(temporary, out, ec);
  if (ec) {
    RemovePartial(temporary);
    return Fail(out.string() + ": " + ec.message());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    return Fail(e.what());
  }
}
