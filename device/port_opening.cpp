#include "device/port_opening.h"

#include <filesystem>
#include <system_error>

#include "base/core/ini_file.h"
#include "device/bus_log_setting.h"
#include "device/gateway_list.h"

OpenedPort OpenMeterPort(const KeldarBusProtocolLibrary* lib, const std::string& path, int speed) {
  OpenedPort opened;
  opened.port =
      keldar_bus_CreateCProcessComPort(lib, 0, KELDAR_BUS_ADDRESS_ANY, path.c_str(), speed);
  opened.problem = PortProblemOf(keldar_bus_CProcessComPortGetOpenError(lib, opened.port), path);
  if (opened.problem != nullptr) {
    if (opened.port != nullptr) keldar_bus_DeleteCProcessComPort(lib, opened.port);
    opened.port = nullptr;
    return opened;
  }
  ApplyAnswerAllowance(Settings(), lib, opened.port, path);
  // The exchange log is for support: without it the run goes on.
  std::error_code noFolder;
  TraceNewPort(lib, opened.port, Settings(), std::filesystem::current_path(noFolder));
  return opened;
}
