#include "device/bus_log_setting.h"

#include <string>
#include <system_error>

#include "base/core/ini_file.h"

bool BusLogWanted(const IniFile& settings) {
  return settings.ReadValue(kBusLogSection, kBusLogKey).value_or("0") == "1";
}

bool StoreBusLogWanted(IniFile& settings, bool on) {
  return settings.WriteValue(kBusLogSection, kBusLogKey, on ? "1" : "0");
}

std::filesystem::path NewBusLogPath(const std::filesystem::path& folder, std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "bus-%Y%m%d-%H%M%S", &local);
  const std::filesystem::path logs = folder / "logs";
  std::filesystem::path path = logs / (std::string(stamp) + ".log");
  std::error_code error;
  for (int n = 2; std::filesystem::exists(path, error); ++n)
    path = logs / (std::string(stamp) + "-" + std::to_string(n) + ".log");
  return path;
}

std::filesystem::path TraceNewPort(const KeldarBusProtocolLibrary* lib, KeldarBusPort* port,
                                   const IniFile& settings, const std::filesystem::path& folder) {
  if (lib == nullptr || port == nullptr || !BusLogWanted(settings)) return {};
  if (lib->CProcessComPortSetTrace.entry == nullptr) return {};
  std::error_code error;
  std::filesystem::create_directories(folder / "logs", error);
  const std::filesystem::path path = NewBusLogPath(folder, std::time(nullptr));
  if (keldar_bus_CProcessComPortSetTrace(lib, port, path.c_str()) != 1) return {};
  return path;
}
