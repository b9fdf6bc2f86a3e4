#pragma once

#include <cstdint>

// How a device type (the medium byte) is shown: its tile icon and its name.
struct DeviceKind {
  const char* icon;  // under ./images/
  const char* phraseKey;
  const char* builtInText;
};

const DeviceKind& KindOfDeviceType(std::uint8_t deviceType);
