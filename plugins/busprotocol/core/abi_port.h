// The port object of the interface.
#pragma once

#include <cstdint>

#include "keldar/bus_protocol_types.h"
#include "master_port.h"

struct KeldarBusPort {
  keldar::bus::MasterPort master;
};

namespace keldar::bus::abi {

KeldarBusPort* CreatePort(int32_t reserved, std::uint8_t address, const char* device_path,
                          int32_t baud);
void DeletePort(KeldarBusPort* port);
int32_t PortWrite(KeldarBusPort* port, const void* frame);
int32_t PortRead(KeldarBusPort* port, KeldarBusData* buffer);
int32_t PortSetSpeed(KeldarBusPort* port, int32_t baud);
int32_t PortGetSpeed(const KeldarBusPort* port);
int32_t PortGetStatus(const KeldarBusPort* port);
int32_t PortGetOpenError(const KeldarBusPort* port);
void PortSetAddress(KeldarBusPort* port, std::uint8_t address);
int32_t PortSetTrace(KeldarBusPort* port, const char* path);
int32_t PortSetLateAnswerGuard(KeldarBusPort* port, int32_t milliseconds);
int32_t PortSetNetworkAllowance(KeldarBusPort* port, int32_t milliseconds);

}  // namespace keldar::bus::abi
