// The window's exchange log: a switch in config.ini ([LOG] BUS = 1) and, while
// it is on, one bus trace per port under logs/ in the working folder.
#pragma once

#include <ctime>
#include <filesystem>

#include "keldar/bus_protocol_types.h"

class IniFile;

inline constexpr const char* kBusLogSection = "LOG";
inline constexpr const char* kBusLogKey = "BUS";

bool BusLogWanted(const IniFile& settings);
// False when config.ini could not be written (the switch stays in memory).
bool StoreBusLogWanted(IniFile& settings, bool on);

// A new file "logs/bus-YYYYMMDD-HHMMSS.log" under `folder` for the local time
// `when`; "-2", "-3", … before ".log" when a port of the same second has one.
std::filesystem::path NewBusLogPath(const std::filesystem::path& folder, std::time_t when);

// While the switch is on, traces `port` into a new file under `folder`/logs
// (created when missing). The file's path; empty when nothing is traced: the
// switch is off, the library cannot trace, or the file cannot be written.
std::filesystem::path TraceNewPort(const KeldarBusProtocolLibrary* lib, KeldarBusPort* port,
                                   const IniFile& settings, const std::filesystem::path& folder);
