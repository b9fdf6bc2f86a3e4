// Reading a meter's current data over the bus: SND_NKE, then REQ_UD2 until
// the meter has sent its last telegram. Runs on a worker thread; checks the
// stop request before every exchange.
#pragma once

#include <cstdint>
#include <stop_token>
#include <string>

#include "core/meter_record.h"
#include "keldar/bus_protocol_types.h"

namespace devicescreen {

enum class ReadStatus {
  Done,
  BusMissing,       // no M-Bus library, or no port
  PortUnavailable,  // the port could not be opened or was lost
  NoAnswer,         // the meter did not acknowledge or did not send its data
  DeviceError,      // the meter answered with an application error (CI 70)
  Stopped
};

struct ReadOutcome {
  ReadStatus status = ReadStatus::NoAnswer;
  MeterReading reading;   // complete only when status is Done
  std::string errorText;  // DeviceError: what the meter reported
};

struct BusPort {
  const KeldarBusProtocolLibrary* lib = nullptr;
  KeldarBusPort* port = nullptr;
};

ReadOutcome ReadMeter(const BusPort& bus, std::uint8_t address, std::stop_token stop);

}  // namespace devicescreen
