// The options every command that talks to one meter takes: --port, --baud,
// --address, checked the same way everywhere.
#pragma once

#include <optional>
#include <string>

#include "base/bus/link.h"
#include "base/bus/objects.h"
#include "base/bus/selection.h"
#include "command.h"
#include "keldar/bus_protocol_types.h"
#include "options.h"

namespace keldar::cli {

struct MeterTarget {
  std::string port;
  int baud = 0;
  int address = 0;    // 253 when the meter is reached by selection
  std::string trace;  // --trace FILE, empty without
  // --secondary ID[.MAN[.VER[.MED]]]: the meter is selected by its secondary
  // address and then spoken to at 253.
  std::optional<mbus::Selection> selection;
};

inline constexpr char kTraceOption[] = "--trace";
inline constexpr char kSecondaryTargetOption[] = "--secondary";
// A macro, so that each command's help text takes it in as one literal.
#define KELDAR_SECONDARY_TARGET_HELP                                                  \
  "  --secondary ID[.MAN[.VER[.MED]]]\n"                                              \
  "                 reach the meter by its secondary address instead of --address:\n" \
  "                 identification number (8 digits, F a wildcard digit), maker\n"    \
  "                 (3 letters), version and medium (0-255); e.g. 41000001.KRV.3.4\n"

// The target, or nothing after a usage message on `io` (status in `status`).
// With `bySecondary`, --secondary may name the meter instead of --address.
std::optional<MeterTarget> ReadMeterTarget(const Options& options, const char* command,
                                           CommandIo& io, int& status, bool bySecondary = false);

// "ID[.MAN[.VER[.MED]]]" as a selection; none when malformed.
std::optional<mbus::Selection> ParseSecondaryTarget(const std::string& text);

// Opens `path` at `baud` for a command: a gateway is remembered and given
// its answer allowance, and the trace starts when `trace` names a file. None
// after a message on `io` when the port cannot be opened or traced.
std::optional<mbus::Port> OpenCommandPort(const KeldarBusProtocolLibrary* lib,
                                          const std::string& path, int baud,
                                          const std::string& trace, CommandIo& io);

// Selects the target's meter when it is reached by selection; false after a
// message on `io` when no meter, or more than one, acknowledged.
bool SelectTarget(const mbus::Link& link, const MeterTarget& target, CommandIo& io);

// Writes every exchange of `port` to `file` (nothing when `file` is empty).
// False after a message on `io` when the file cannot be written; a library
// that cannot trace is only warned about, the command still runs.
bool StartTrace(const KeldarBusProtocolLibrary* lib, KeldarBusPort* port, const std::string& file,
                CommandIo& io);

}  // namespace keldar::cli
