#pragma once

#include <string>

#include "device/port_problem.h"
#include "keldar/bus_protocol_types.h"

// A meter's port as a run gets it: open, or the problem the user has to fix.
struct OpenedPort {
  KeldarBusPort* port = nullptr;  // null when it did not open
  const PortProblem* problem = nullptr;
};

// Opens `path` at `speed` for a run on the bus, traced into the exchange log
// when that is switched on. A port that will not open is deleted again.
// Any thread (the settings answer several); opening a network gateway may
// take seconds, so the window's runs open on their own threads.
OpenedPort OpenMeterPort(const KeldarBusProtocolLibrary* lib, const std::string& path, int speed);
