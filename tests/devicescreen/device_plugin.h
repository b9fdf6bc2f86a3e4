// One of the five built device plug-ins, opened from the working folder by
// the shell's own loader.
#pragma once

#include <QWidget>

#include "keldar/device_plugin_api.h"
#include "plugin_loader.h"

namespace devicescreen::test {

class DevicePlugin : public LoadedPlugin<KeldarDevicePluginLibrary> {
  using Api = KeldarDevicePluginLibrary;
#define KELDAR_ROWS_TYPE Api
  static constexpr KeldarExportRow kRows[] = {KELDAR_EXPORT_ROWS(KELDAR_DEVICE_PLUGIN_EXPORTS)};
#undef KELDAR_ROWS_TYPE

 public:
  explicit DevicePlugin(const char* file)
      : LoadedPlugin(testing_support::BuiltPlugin(file), kRows) {}

  QWidget* Create(void* port, const KeldarBusProtocolLibrary* bus, void* phrases,
                  const KeldarLanguageLibrary* language, const KeldarAdminToolsLibrary* admin,
                  KeldarDeviceRecord* device, std::uint8_t* closeFlag) const {
    int catalogue = 0;  // opaque to the plug-in
    const auto create = Function<KeldarCreateMainFrameFn>(&Api::CreateTMainFrame);
    return static_cast<QWidget*>(
        create(nullptr, port, bus, &catalogue, phrases, language, admin, device, closeFlag));
  }
  void Delete(void* frame) const {
    Function<KeldarDeleteMainFrameFn> (&Api::DeleteTMainFrame)(frame);
  }
};

}  // namespace devicescreen::test
