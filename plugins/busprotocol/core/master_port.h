// The master's end of the bus: requests out, answers in, with the timing and
// frame-count rules of the link layer.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "frame_counter.h"
#include "serial_line.h"

namespace keldar::bus {

class MasterPort {
 public:
  MasterPort(const std::string& device_path, int baud, std::uint8_t target);

  // False once the device could not be opened or has failed.
  bool Usable() const { return line_.has_value() && !failed_; }
  // Why the port is not usable; kNone while it is.
  SerialLine::OpenError Error() const;
  int Speed() const { return speed_; }
  bool SetSpeed(int baud);
  std::uint8_t Target() const { return target_; }
  void SetTarget(std::uint8_t address) { target_ = address; }

  // Discards stale input, keeps the pause after the last answer, stamps the
  // frame-count bit and sends.
  bool Send(std::span<const std::uint8_t> request);

  // The next complete answer frame. Returns as soon as one has arrived; waits
  // the answer window for a first byte and ends on a silence as long once
  // bytes flow. Noise and the echo of our own request are skipped.
  std::optional<std::vector<std::uint8_t>> Receive();

 private:
  using Clock = std::chrono::steady_clock;

  std::optional<SerialLine> line_;
  int speed_ = 0;
  std::uint8_t target_ = 0;
  bool failed_ = false;
  SerialLine::OpenError open_error_ = SerialLine::OpenError::kNone;
  FrameCounter counter_;
  Clock::time_point request_end_{};
  Clock::time_point answer_end_{};
};

}  // namespace keldar::bus
