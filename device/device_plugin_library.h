#pragma once

#include <array>
#include <string_view>

#include "base/core/plugin_library.h"
#include "keldar/device_plugin_api.h"

class QWidget;

// The five device plug-ins, in the order the window creates them.
enum class DevicePlugin { KrvHeat, KrvWaterCold, KrvWaterHot, MldHeat, MldWaterCold };

struct DevicePluginInfo {
  DevicePlugin plugin;
  const char* fileName;       // library file
  const char* componentName;  // object name given to its frame
};

inline constexpr std::array<DevicePluginInfo, 5> kDevicePlugins{{
    {DevicePlugin::KrvHeat, "KRVHEATDLL.so", "KrvHEATMainFrame1"},
    {DevicePlugin::KrvWaterCold, "KRVWATERCOLDDLL.so", "KrvWaterColdMainFrame1"},
    {DevicePlugin::KrvWaterHot, "KRVWATERHOTDLL.so", "KrvWaterHotMainFrame1"},
    {DevicePlugin::MldHeat, "MLDHEATDLL.so", "MLDHEATMainFrame1"},
    {DevicePlugin::MldWaterCold, "MLDWATERCOLDDLL.so", "MldWaterColdMainFrame1"},
}};

// One device plug-in library with its frame factory.
class DevicePluginLibrary : public PluginLibrary<KeldarDevicePluginLibrary> {
 public:
  explicit DevicePluginLibrary(const DevicePluginInfo& info);

  const DevicePluginInfo& Info() const { return info_; }
  KeldarCreateMainFrameFn CreateMainFrame() const {
    return Entry<KeldarCreateMainFrameFn>(api_.CreateTMainFrame);
  }
  KeldarDeleteMainFrameFn DeleteMainFrame() const {
    return Entry<KeldarDeleteMainFrameFn>(api_.DeleteTMainFrame);
  }

 private:
  DevicePluginInfo info_;
};
