#include "abi_port.h"

#include <algorithm>

#include "abi_frames.h"
#include "abi_objects.h"
#include "frame_codec.h"

namespace keldar::bus::abi {

KeldarBusPort* CreatePort(int32_t /*reserved*/, std::uint8_t address, const char* device_path,
                          int32_t baud) {
  return new KeldarBusPort{MasterPort(device_path != nullptr ? device_path : "", baud, address)};
}

void DeletePort(KeldarBusPort* port) { delete port; }

int32_t PortWrite(KeldarBusPort* port, const void* frame) {
  if (port == nullptr || frame == nullptr) return 0;
  const KeldarBusData* bytes = SerializedBytes(frame);
  if (bytes->size == 0 || bytes->size > KELDAR_BUS_FRAME_CAPACITY) return 0;
  // Only a master's request goes on the bus: a frame left empty by a refused
  // build (C field 0) would reach every meter as a stray frame.
  const auto request = DecodeFrame(DataBytes(*bytes));
  if (!request || !IsFromMaster(*request)) return 0;
  return port->master.Send(DataBytes(*bytes)) ? 1 : 0;
}

int32_t PortRead(KeldarBusPort* port, KeldarBusData* buffer) {
  if (port == nullptr || buffer == nullptr) return 0;
  buffer->size = 0;
  const auto answer = port->master.Receive();
  if (answer.kind == MasterPort::Answer::Kind::kFrame)
    return AssignData(*buffer, answer.bytes) ? 1 : 0;
  // Garbage is handed on as far as it fits, so that a caller can tell a
  // collision from silence; it is never a frame.
  const std::size_t kept = std::min<std::size_t>(answer.bytes.size(), KELDAR_BUS_FRAME_CAPACITY);
  AssignData(*buffer, std::span(answer.bytes).first(kept));
  return 0;
}

int32_t PortSetSpeed(KeldarBusPort* port, int32_t baud) {
  if (port == nullptr || !port->master.SetSpeed(baud)) return 0;
  return port->master.OnNetwork() ? KELDAR_BUS_SPEED_NOT_ON_WIRE : 1;
}

int32_t PortGetSpeed(const KeldarBusPort* port) {
  return port != nullptr ? port->master.Speed() : 0;
}

int32_t PortGetStatus(const KeldarBusPort* port) {
  return port != nullptr && port->master.Usable() ? 1 : 0;
}

int32_t PortGetOpenError(const KeldarBusPort* port) {
  if (port == nullptr) return KELDAR_BUS_PORT_FAILED;
  switch (port->master.Error()) {
    case LineOpenError::kNone:
      return KELDAR_BUS_PORT_OPEN;
    case LineOpenError::kNotFound:
      return KELDAR_BUS_PORT_NOT_FOUND;
    case LineOpenError::kAccessDenied:
      return KELDAR_BUS_PORT_ACCESS_DENIED;
    case LineOpenError::kBusy:
      return KELDAR_BUS_PORT_BUSY;
    case LineOpenError::kNotSerial:
      return KELDAR_BUS_PORT_NOT_SERIAL;
    case LineOpenError::kNoSuchHost:
      return KELDAR_BUS_PORT_NO_SUCH_HOST;
    case LineOpenError::kRefused:
      return KELDAR_BUS_PORT_REFUSED;
    case LineOpenError::kTimedOut:
      return KELDAR_BUS_PORT_TIMED_OUT;
    case LineOpenError::kFailed:
      break;
  }
  return KELDAR_BUS_PORT_FAILED;
}

void PortSetAddress(KeldarBusPort* port, std::uint8_t address) {
  if (port != nullptr) port->master.SetTarget(address);
}

int32_t PortSetTrace(KeldarBusPort* port, const char* path) {
  if (port == nullptr) return 0;
  return port->master.SetTrace(path != nullptr ? path : "") ? 1 : 0;
}

int32_t PortSetNetworkAllowance(KeldarBusPort* port, int32_t milliseconds) {
  if (port == nullptr) return 0;
  return port->master.SetNetworkAllowance(std::chrono::milliseconds(milliseconds)) ? 1 : 0;
}

int32_t PortSetLateAnswerGuard(KeldarBusPort* port, int32_t milliseconds) {
  if (port == nullptr) return 0;
  return port->master.SetLateAnswerGuard(std::chrono::milliseconds(milliseconds)) ? 1 : 0;
}

}  // namespace keldar::bus::abi
