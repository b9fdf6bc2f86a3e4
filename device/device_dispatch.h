#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "device/device_plugin_library.h"

// Where a device opens: one of the five plug-ins, the shell's configuration
// screen, or nowhere because the plug-in it needs is missing.
enum class DeviceTarget { Plugin, Configuration, Missing };

struct DeviceChoice {
  DeviceTarget target = DeviceTarget::Missing;
  DevicePlugin plugin = DevicePlugin::KrvHeat;  // when target is Plugin
};

// Chooses by device type (medium) and manufacturer; `loaded` tells which of
// the five plug-ins (in DevicePlugin order) are loaded.
DeviceChoice ChooseDeviceTarget(std::uint8_t deviceType, std::string_view manufacturer,
                                const std::array<bool, 5>& loaded);
