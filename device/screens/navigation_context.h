#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "base/core/phrases.h"
#include "keldar/bus_protocol_types.h"
#include "keldar/device_record.h"

class AdminToolsLibrary;
class BusProtocolLibrary;
class DevicePluginLibrary;
class FirmwareCatalogue;
class QWidget;
class HomeScreen;

// Opens the configuration screen of a device the shell configures itself (no
// plug-in of its own). The composition root fills it; the device layer only
// asks for it.
using ConfigurationScreenFactory =
    std::function<QWidget*(std::uint8_t* closeFlag, KeldarDeviceRecord* record, KeldarBusPort* port,
                           const KeldarBusProtocolLibrary* bus, const Phrases& phrases)>;

// What the navigation host and the device screens work with; every object is
// owned by the main window and outlives the screens.
struct NavigationContext {
  QWidget* window = nullptr;            // hosted screens cover its client area
  HomeScreen* programMain = nullptr;  // the home screen
  const AdminToolsLibrary* adminTools = nullptr;
  const BusProtocolLibrary* busProtocol = nullptr;
  std::array<const DevicePluginLibrary*, 5> devicePlugins{};  // in window creation order
  FirmwareCatalogue* catalogue = nullptr;
  Phrases phrases;
  ConfigurationScreenFactory openConfiguration;
};
