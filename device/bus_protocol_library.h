#pragma once

#include "base/core/plugin_library.h"
#include "keldar/bus_protocol_api.h"

// The M-Bus protocol library "BusProtocol.so". Device plug-ins receive its
// C struct (GetApi()); the shell calls through the typed helpers of
// keldar/bus_protocol_types.h.
class BusProtocolLibrary : public PluginLibrary<KeldarBusProtocolLibrary> {
 public:
  static constexpr const char* kFileName = "BusProtocol.so";
  BusProtocolLibrary();
};
