#include "device/device_plugin_library.h"

namespace {

#define KELDAR_ROWS_TYPE KeldarDevicePluginLibrary
constexpr KeldarExportRow kExports[] = {KELDAR_EXPORT_ROWS(KELDAR_DEVICE_PLUGIN_EXPORTS)};
#undef KELDAR_ROWS_TYPE

}  // namespace

DevicePluginLibrary::DevicePluginLibrary(const DevicePluginInfo& info)
    : PluginLibrary(info.fileName, kExports), info_(info) {}
