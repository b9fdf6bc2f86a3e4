#pragma once

#include <array>

#include "config/phrases.h"

class AdminToolsLibrary;
class BusProtocolLibrary;
class DevicePluginLibrary;
class FirmwareCatalogue;
class QWidget;
class TProgramMain;

// What the navigation host and the device screens work with; every object is
// owned by the main window and outlives the screens.
struct NavigationContext {
  QWidget* window = nullptr;            // hosted screens cover its client area
  TProgramMain* programMain = nullptr;  // the home screen
  const AdminToolsLibrary* adminTools = nullptr;
  const BusProtocolLibrary* busProtocol = nullptr;
  std::array<const DevicePluginLibrary*, 5> devicePlugins{};  // in window creation order
  FirmwareCatalogue* catalogue = nullptr;
  Phrases phrases;
};
