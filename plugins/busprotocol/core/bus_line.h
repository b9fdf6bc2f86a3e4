// The line under the master port: a serial device, or a TCP connection to a
// gateway that puts the same bytes on its bus. Reads with a deadline,
// complete writes.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

namespace keldar::bus {

// Why a line could not be opened.
enum class LineOpenError {
  kNone,
  kNotFound,
  kAccessDenied,
  kBusy,
  kNotSerial,
  kFailed,
  kNoSuchHost,  // the gateway's name does not resolve
  kRefused,     // nothing listens at the gateway's port
  kTimedOut,    // no answer within the connect limit
};

class BusLine {
 public:
  enum class ReadResult { kData, kTimeout, kFailed };

  BusLine() = default;
  BusLine(const BusLine&) = delete;
  BusLine& operator=(const BusLine&) = delete;
  virtual ~BusLine() = default;

  // False when the line cannot take the speed.
  virtual bool SetSpeed(int baud) = 0;
  virtual bool DiscardInput() = 0;
  // Writes every byte; a serial line also waits until the driver sent them.
  virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
  // Appends what arrives within `wait`.
  virtual ReadResult Read(std::vector<std::uint8_t>& into, std::chrono::microseconds wait) = 0;

 protected:
  BusLine(BusLine&&) noexcept = default;
  BusLine& operator=(BusLine&&) noexcept = default;
};

}  // namespace keldar::bus
