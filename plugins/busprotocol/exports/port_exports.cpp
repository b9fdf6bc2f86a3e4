// Exports of the port: a serial device or a network gateway.
#include "abi_port.h"
#include "export_guard.h"

using keldar::bus::exports::Guarded;
namespace abi = keldar::bus::abi;

extern "C" {

KELDAR_PLUGIN_EXPORT KeldarBusPort* _CreateCProcessComPort(int32_t reserved, uint8_t address,
                                                           const char* device_path, int32_t baud) {
  return Guarded<KeldarBusPort*>(
      nullptr, [&] { return abi::CreatePort(reserved, address, device_path, baud); });
}
KELDAR_PLUGIN_EXPORT void _DeleteCProcessComPort(KeldarBusPort* port) {
  Guarded([&] { abi::DeletePort(port); });
}

}  // extern "C"

namespace {

int32_t WriteData(KeldarBusPort* p, const void* frame) {
  return Guarded(0, [&] { return abi::PortWrite(p, frame); });
}
int32_t ReadData(KeldarBusPort* p, KeldarBusData* buffer) {
  return Guarded(0, [&] { return abi::PortRead(p, buffer); });
}
int32_t SetSpeed(KeldarBusPort* p, int32_t baud) {
  return Guarded(0, [&] { return abi::PortSetSpeed(p, baud); });
}
int32_t GetSpeed(const KeldarBusPort* p) {
  return Guarded(0, [&] { return abi::PortGetSpeed(p); });
}
int32_t GetStatus(const KeldarBusPort* p) {
  return Guarded(0, [&] { return abi::PortGetStatus(p); });
}
int32_t GetOpenError(const KeldarBusPort* p) {
  return Guarded(int32_t{KELDAR_BUS_PORT_FAILED}, [&] { return abi::PortGetOpenError(p); });
}
void SetAdress(KeldarBusPort* p, uint8_t address) {
  Guarded([&] { abi::PortSetAddress(p, address); });
}
int32_t SetTrace(KeldarBusPort* p, const char* path) {
  return Guarded(0, [&] { return abi::PortSetTrace(p, path); });
}
int32_t SetLateAnswerGuard(KeldarBusPort* p, int32_t milliseconds) {
  return Guarded(0, [&] { return abi::PortSetLateAnswerGuard(p, milliseconds); });
}

int32_t SetNetworkAllowance(KeldarBusPort* p, int32_t milliseconds) {
  return Guarded(0, [&] { return abi::PortSetNetworkAllowance(p, milliseconds); });
}

}  // namespace

KELDAR_BUS_GETTER(CProcessComPortWriteData, KeldarBusPortWriteDataFn, &WriteData)
KELDAR_BUS_GETTER(CProcessComPortReadData, KeldarBusPortReadDataFn, &ReadData)
KELDAR_BUS_GETTER(CProcessComPortSetSpeed, KeldarBusPortSetSpeedFn, &SetSpeed)
KELDAR_BUS_GETTER(CProcessComPortGetSpeed, KeldarBusPortGetSpeedFn, &GetSpeed)
KELDAR_BUS_GETTER(CProcessComPortGetStatus, KeldarBusPortGetStatusFn, &GetStatus)
KELDAR_BUS_GETTER(CProcessComPortSetAdress, KeldarBusPortSetAdressFn, &SetAdress)
KELDAR_BUS_GETTER(CProcessComPortGetOpenError, KeldarBusPortGetOpenErrorFn, &GetOpenError)
KELDAR_BUS_GETTER(CProcessComPortSetTrace, KeldarBusPortSetTraceFn, &SetTrace)
KELDAR_BUS_GETTER(CProcessComPortSetLateAnswerGuard, KeldarBusPortSetLateAnswerGuardFn,
                  &SetLateAnswerGuard)
KELDAR_BUS_GETTER(CProcessComPortSetNetworkAllowance, KeldarBusPortSetNetworkAllowanceFn,
                  &SetNetworkAllowance)
