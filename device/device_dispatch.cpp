#include "device/device_dispatch.h"

namespace {

bool Loaded(const std::array<bool, 5>& loaded, DevicePlugin plugin) {
  return loaded[static_cast<std::size_t>(plugin)];
}

DeviceChoice Plugin(DevicePlugin plugin) { return {DeviceTarget::Plugin, plugin}; }

}  // namespace

DeviceChoice ChooseDeviceTarget(std::uint8_t deviceType, std::string_view manufacturer,
                                const std::array<bool, 5>& loaded) {
  const bool krv = manufacturer == "KRV";
  switch (deviceType) {
    case 4:   // heat, return flow
    case 12:  // heat, supply flow
      if (krv && Loaded(loaded, DevicePlugin::KrvHeat)) return Plugin(DevicePlugin::KrvHeat);
      if ((manufacturer == "PTX" || manufacturer == "MLD") && Loaded(loaded, DevicePlugin::MldHeat))
        return Plugin(DevicePlugin::MldHeat);
      return {};
    case 22:  // cold water
      if (krv && Loaded(loaded, DevicePlugin::KrvWaterCold))
        return Plugin(DevicePlugin::KrvWaterCold);
      if (manufacturer == "MLD" && Loaded(loaded, DevicePlugin::MldWaterCold))
        return Plugin(DevicePlugin::MldWaterCold);
      return {};
    case 23:  // multi-rate hot water
      if (krv && Loaded(loaded, DevicePlugin::KrvWaterHot))
        return Plugin(DevicePlugin::KrvWaterHot);
      return {};
    default:
      return {DeviceTarget::Configuration, DevicePlugin::KrvHeat};
  }
}
