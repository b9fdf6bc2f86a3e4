// What every bus exchange needs: the M-Bus library, the open port, and the
// question whether the run should stop (asked before each exchange, so a
// closing window never waits for a whole search).
#pragma once

#include <functional>

#include "keldar/bus_protocol_types.h"

namespace mbus {

// The port exists and its line still works (not unplugged, not closed).
inline bool PortUsable(const KeldarBusProtocolLibrary* lib, const KeldarBusPort* port) {
  return port != nullptr && keldar_bus_CProcessComPortGetStatus(lib, port) != 0;
}

struct Link {
  const KeldarBusProtocolLibrary* lib = nullptr;
  KeldarBusPort* port = nullptr;
  std::function<bool()> stopRequested;

  bool Stopping() const { return stopRequested && stopRequested(); }
  bool PortUsable() const { return mbus::PortUsable(lib, port); }
};

}  // namespace mbus
