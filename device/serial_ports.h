#pragma once

#include <string>
#include <vector>

// One entry of the port list: the text shown and the device path opened.
struct SerialPortEntry {
  std::string name;  // "ttyUSB0", or a path listed in full ("/dev/pts/3")
  std::string path;  // "/dev/ttyUSB0"
};

// Every path listed (colon-separated) in KELDAR_SERIAL_PORTS, so a simulated
// meter on a pseudo-terminal can be picked, then the machine's serial ports.
std::vector<SerialPortEntry> ListSerialPorts();

// The device path of a port-list item: "/dev/" + name, or the name itself
// when it is already a path or a tcp:// gateway.
std::string DevicePathOf(const std::string& name);

// The primary address typed on the connection screen: the leading decimal
// digits of `text` (none gives 0), clamped to 1…254.
int ParseDeviceAddress(const std::string& text);
