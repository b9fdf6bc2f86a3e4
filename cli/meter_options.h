// The options every command that talks to one meter takes: --port, --baud,
// --address, checked the same way everywhere.
#pragma once

#include <optional>
#include <string>

#include "command.h"
#include "keldar/bus_protocol_types.h"
#include "options.h"

namespace keldar::cli {

struct MeterTarget {
  std::string port;
  int baud = 0;
  int address = 0;
  std::string trace;  // --trace FILE, empty without
};

inline constexpr char kTraceOption[] = "--trace";

// The target, or nothing after a usage message on `io` (status in `status`).
std::optional<MeterTarget> ReadMeterTarget(const Options& options, const char* command,
                                           CommandIo& io, int& status);

// Writes every exchange of `port` to `file` (nothing when `file` is empty).
// False after a message on `io` when the file cannot be written; a library
// that cannot trace is only warned about, the command still runs.
bool StartTrace(const KeldarBusProtocolLibrary* lib, KeldarBusPort* port, const std::string& file,
                CommandIo& io);

}  // namespace keldar::cli
