// keldar-archive-gen: writes an archive.db with many meters and readings over
// the years, for trying the archive screen and keldar-cli archive on a large
// archive and for the archive benchmark.
//
// usage: keldar-archive-gen [--meters N] [--readings M] [--seed S] [FILE]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "archive_generator.h"
#include "store/archive_error.h"

namespace {

int Usage() {
  std::fputs(
      "usage: keldar-archive-gen [--meters N] [--readings M] [--seed S] [FILE]\n"
      "Writes a new archive FILE (archive.db by default; an existing file is left alone)\n"
      "with N meters (1000) and M readings (200000) over five years.\n",
      stderr);
  return 2;
}

bool Number(const char* text, long long min, long long& value) {
  char* end = nullptr;
  value = std::strtoll(text, &end, 10);
  return end != text && *end == '\0' && value >= min;
}

}  // namespace

int main(int argc, char** argv) {
  archivegen::Plan plan;
  std::string file = "archive.db";
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    long long value = 0;
    if ((arg == "--meters" || arg == "--readings" || arg == "--seed") && i + 1 < argc) {
      if (!Number(argv[++i], arg == "--seed" ? 0 : 1, value)) return Usage();
      if (arg == "--meters") plan.meters = static_cast<int>(value);
      if (arg == "--readings") plan.readings = value;
      if (arg == "--seed") plan.seed = static_cast<uint32_t>(value);
    } else if (arg.rfind("--", 0) == 0) {
      return Usage();
    } else {
      file = arg;
    }
  }
  if (std::filesystem::exists(file)) {
    std::fprintf(stderr, "keldar-archive-gen: %s exists; it is left alone\n", file.c_str());
    return 1;
  }
  try {
    const auto start = std::chrono::steady_clock::now();
    const archivegen::Made made = archivegen::Generate(file, plan);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s: %d meters, %lld readings, %d subscribers in %.1f s\n", file.c_str(),
                made.meters, static_cast<long long>(made.readings), made.subscribers, seconds);
  } catch (const admintools::ArchiveError& error) {
    std::fprintf(stderr, "keldar-archive-gen: %s\n", error.what());
    return 1;
  }
  return 0;
}
