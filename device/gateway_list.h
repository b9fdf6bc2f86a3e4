// The network gateways connected to before, newest first, kept in config.ini
// ([GATEWAYS] 1 … 5) so that the port lists can offer them again.
#pragma once

#include <string>
#include <vector>

#include "keldar/bus_protocol_types.h"

class IniFile;

// [GATEWAYS] ANSWER_ALLOWANCE_MS: the time added to the answer window of a
// gateway for the network (0 to 5000; the library's own when not set).
inline constexpr char kAnswerAllowanceKey[] = "ANSWER_ALLOWANCE_MS";

inline constexpr std::size_t kRememberedGateways = 5;

std::vector<std::string> RecentGateways(const IniFile& settings);
// Puts a tcp:// `path` first (once); the oldest beyond five is forgotten.
// Anything but a well-formed gateway address is left out.
void RememberGateway(IniFile& settings, const std::string& path);
// Gives the gateway `port` the allowance config.ini asks for; nothing for a
// serial port, an allowance not set, or one out of range.
void ApplyAnswerAllowance(const IniFile& settings, const KeldarBusProtocolLibrary* lib,
                          KeldarBusPort* port, const std::string& path);
