#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

#include "keldar/bus_protocol_types.h"

// What to tell a user whose port could not be opened: the phrase key, the
// built-in Russian text and the English text of the command line, each with
// "%s" where the port's path goes.
struct PortProblem {
  const char* key;
  const char* builtIn;
  const char* english;
};

// The problem for one of the library's KELDAR_BUS_PORT_* codes; null for an open port.
const PortProblem* PortProblemOf(int32_t code);
// The same for the port at `path`: a tcp:// gateway has problems of its own.
const PortProblem* PortProblemOf(int32_t code, const std::string& path);
// `text` with the port's path in place of "%s".
std::string WithPort(const char* text, const std::string& port);
// "cannot open port P: why, and what to do", in English, for a port the
// library could not open (`port` may be null).
std::string PortOpenFailure(const KeldarBusProtocolLibrary* lib, const KeldarBusPort* port,
                            const std::string& path);
// The same for the library's KELDAR_BUS_PORT_* `code`. The path is looked at
// again: the library cannot tell a folder or a missing file from other
// failures, and does not know who holds a busy port.
std::string PortOpenFailure(int32_t code, const std::string& path);
// The failure for a path that cannot be a port at all (missing, a folder, a
// malformed tcp:// address), found without opening it; empty otherwise.
std::optional<std::string> PortPathProblem(const std::string& path);

// "the port went away" for a port that opened and then failed, in English:
// a gateway that closed the connection, or a serial device that was unplugged.
std::string PortLostFailure(const std::string& path);

// A process that has the port open.
struct PortHolder {
  pid_t pid = 0;
  std::string name;
};
// The first process found with `path` open, by the open files under /proc
// (only the user's own processes can be seen unless run as root).
std::optional<PortHolder> FindPortHolder(const std::string& path);
