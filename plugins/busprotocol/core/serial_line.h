// An open serial device: non-blocking reads with a deadline, complete writes.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "bus_line.h"

namespace keldar::bus {

class SerialLine final : public BusLine {
 public:
  using OpenError = LineOpenError;
  // Opens and configures the device (8E1 at `baud`); empty when it cannot,
  // or when another program holds it, with the reason in `error`.
  static std::optional<SerialLine> Open(const std::string& path, int baud,
                                        OpenError* error = nullptr);

  SerialLine(SerialLine&& other) noexcept;
  SerialLine& operator=(SerialLine&& other) noexcept;
  ~SerialLine() override;

  bool SetSpeed(int baud) override;
  bool DiscardInput() override;
  // Writes every byte and waits until the driver has sent them.
  bool Write(std::span<const std::uint8_t> bytes) override;
  ReadResult Read(std::vector<std::uint8_t>& into, std::chrono::microseconds wait) override;

 private:
  explicit SerialLine(int fd) : fd_(fd) {}
  static OpenError OpenErrorOf(int error);
  int fd_ = -1;
};

}  // namespace keldar::bus
