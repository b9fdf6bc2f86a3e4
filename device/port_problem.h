#pragma once

#include <cstdint>
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
// `text` with the port's path in place of "%s".
std::string WithPort(const char* text, const std::string& port);
// "cannot open port P: why, and what to do", in English, for a port the
// library could not open (`port` may be null).
std::string PortOpenFailure(const KeldarBusProtocolLibrary* lib, const KeldarBusPort* port,
                            const std::string& path);
