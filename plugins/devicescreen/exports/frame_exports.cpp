// The device plug-in's two exports. This file is built once per plug-in;
// KELDAR_DEVICE_KIND (0 heat, 1 cold water, 2 hot water) and
// KELDAR_DEVICE_MAKER ("KRV", "MLD") say which one.
#include <memory>

#include "base/kit/screen_registry.h"
#include "keldar/device_plugin_api.h"
#include "screen/working_screen.h"

#ifndef KELDAR_DEVICE_KIND
#error "KELDAR_DEVICE_KIND selects the kind of meter this plug-in serves"
#endif
#ifndef KELDAR_DEVICE_MAKER
#error "KELDAR_DEVICE_MAKER names the maker this plug-in serves"
#endif

namespace {

using devicescreen::WorkingScreen;

}  // namespace

extern "C" {

// The firmware catalogue is not needed: the device record already carries
// everything the catalogue knew of the device.
KELDAR_PLUGIN_EXPORT void* _CreateTMainFrame(void* /*owner*/, void* port,
                                             const KeldarBusProtocolLibrary* bus,
                                             void* /*firmware_catalogue*/, void* phrases,
                                             const KeldarLanguageLibrary* language,
                                             const KeldarAdminToolsLibrary* admin_tools,
                                             KeldarDeviceRecord* device, uint8_t* close_flag) {
  if (device == nullptr || !look::OnGuiThread()) return nullptr;
  try {
    devicescreen::FrameArguments arguments;
    arguments.port = static_cast<KeldarBusPort*>(port);
    arguments.bus = bus;
    arguments.phrases = phrases;
    arguments.language = language;
    arguments.adminTools = admin_tools;
    arguments.device = *device;
    arguments.closeFlag = close_flag;
    const auto flavour = devicescreen::FlavourOf(
        static_cast<devicescreen::MeterKind>(KELDAR_DEVICE_KIND), KELDAR_DEVICE_MAKER);
    return look::RegisterScreen(std::make_unique<WorkingScreen>(arguments, flavour));
  } catch (...) {
    return nullptr;
  }
}

KELDAR_PLUGIN_EXPORT void _DeleteTMainFrame(void* frame) {
  QWidget* widget = look::RegisteredScreen(frame);
  if (widget == nullptr) return;
  try {
    delete widget;
  } catch (...) {
  }
}

}  // extern "C"
