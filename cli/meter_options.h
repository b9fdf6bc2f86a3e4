// The options every command that talks to one meter takes: --port, --baud,
// --address, checked the same way everywhere.
#pragma once

#include <optional>
#include <string>

#include "command.h"
#include "options.h"

namespace keldar::cli {

struct MeterTarget {
  std::string port;
  int baud = 0;
  int address = 0;
};

// The target, or nothing after a usage message on `io` (status in `status`).
std::optional<MeterTarget> ReadMeterTarget(const Options& options, const char* command,
                                           CommandIo& io, int& status);

}  // namespace keldar::cli
