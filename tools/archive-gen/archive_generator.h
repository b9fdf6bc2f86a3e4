#pragma once

#include <cstdint>
#include <string>

namespace archivegen {

struct Plan {
  int meters = 1'000;
  int64_t readings = 200'000;
  uint32_t seed = 1;
  // Readings are spread over the years before this time (seconds since 1970 UTC).
  int64_t until = 1'764'547'200;  // 2025-12-01
  int years = 5;
};

struct Made {
  int meters = 0;
  int64_t readings = 0;
  int subscribers = 0;
};

// Writes a new archive `file` after `plan`: subscribers with one object each,
// heat, cold and hot water meters on them (a few on none), and readings over
// the years whose counters grow with the seasons; now and then a meter is
// replaced and its counter starts again near zero. The same plan writes the
// same archive. Throws admintools::ArchiveError when the archive fails.
Made Generate(const std::string& file, const Plan& plan);

}  // namespace archivegen
