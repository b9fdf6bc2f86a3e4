#include "device/serial_ports.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <cstdlib>

#include "base/bus/gateway_address.h"

std::string DevicePathOf(const std::string& name) {
  return name.starts_with('/') || mbus::IsGatewayPath(name) ? name : "/dev/" + name;
}

std::vector<SerialPortEntry> ListSerialPorts() {
  std::vector<SerialPortEntry> ports;
  // Ports named explicitly come first, then the machine's own.
  if (const char* listed = std::getenv("KELDAR_SERIAL_PORTS")) {
    std::string_view rest(listed);
    while (!rest.empty()) {
      const auto colon = rest.find(':');
      const std::string path(rest.substr(0, colon));
      rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
      const bool known = std::any_of(ports.begin(), ports.end(), [&](const SerialPortEntry& port) {
        return port.path == path;
      });
      if (!path.empty() && !known) ports.push_back({path, DevicePathOf(path)});
    }
  }
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    const std::string name = info.portName().toStdString();
    const std::string path = DevicePathOf(name);
    const bool known = std::any_of(ports.begin(), ports.end(),
                                   [&](const SerialPortEntry& port) { return port.path == path; });
    if (!known) ports.push_back({name, path});
  }
  return ports;
}

int ParseDeviceAddress(const std::string& text) {
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > 254) break;
  }
  return static_cast<int>(std::clamp(value, 1L, 254L));
}
