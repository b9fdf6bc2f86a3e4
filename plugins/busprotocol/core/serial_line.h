// An open serial device: non-blocking reads with a deadline, complete writes.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace keldar::bus {

class SerialLine {
 public:
  enum class OpenError { kNone, kNotFound, kAccessDenied, kBusy, kNotSerial, kFailed };
  // Opens and configures the device (8E1 at `baud`); empty when it cannot,
  // or when another program holds it, with the reason in `error`.
  static std::optional<SerialLine> Open(const std::string& path, int baud,
                                        OpenError* error = nullptr);

  SerialLine(SerialLine&& other) noexcept;
  SerialLine& operator=(SerialLine&& other) noexcept;
  SerialLine(const SerialLine&) = delete;
  SerialLine& operator=(const SerialLine&) = delete;
  ~SerialLine();

  bool SetSpeed(int baud);
  bool DiscardInput();
  // Writes every byte and waits until the driver has sent them.
  bool Write(std::span<const std::uint8_t> bytes);

  enum class ReadResult { kData, kTimeout, kFailed };
  // Appends what arrives within `wait`.
  ReadResult Read(std::vector<std::uint8_t>& into, std::chrono::microseconds wait);

 private:
  explicit SerialLine(int fd) : fd_(fd) {}
  static OpenError OpenErrorOf(int error);
  int fd_ = -1;
};

}  // namespace keldar::bus
