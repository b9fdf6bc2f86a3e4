// The network gateways connected to before, newest first, kept in config.ini
// ([GATEWAYS] 1 … 5) so that the port lists can offer them again.
#pragma once

#include <string>
#include <vector>

class IniFile;

inline constexpr std::size_t kRememberedGateways = 5;

std::vector<std::string> RecentGateways(const IniFile& settings);
// Puts a tcp:// `path` first (once); the oldest beyond five is forgotten.
// Anything but a well-formed gateway address is left out.
void RememberGateway(IniFile& settings, const std::string& path);
