// The master's end of the bus: requests out, answers in, with the timing and
// frame-count rules of the link layer.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "bus_line.h"
#include "bus_trace.h"
#include "frame_counter.h"
#include "link_timing.h"

namespace keldar::bus {

class MasterPort {
 public:
  // `device_path` a serial device, or "tcp://HOST:PORT" for a gateway; `baud`
  // the line speed (a gateway's: its bus speed, which times the answers).
  MasterPort(const std::string& device_path, int baud, std::uint8_t target);
  ~MasterPort();
  MasterPort(MasterPort&&) noexcept = default;
  MasterPort& operator=(MasterPort&&) noexcept = default;

  // False once the device could not be opened or has failed.
  bool Usable() const { return line_ != nullptr && !failed_; }
  // Why the port is not usable; kNone while it is.
  LineOpenError Error() const;
  int Speed() const { return speed_; }
  // On a gateway only the speed the answers are timed by changes.
  bool SetSpeed(int baud);
  // A gateway reached over the network rather than a serial device.
  bool OnNetwork() const { return on_network_; }
  std::uint8_t Target() const { return target_; }
  void SetTarget(std::uint8_t address) { target_ = address; }

  // Writes every exchange from now on to a new file at `path`; an empty path
  // ends the trace. False when the file cannot be written (no trace then).
  bool SetTrace(const std::string& path, std::size_t size_limit = BusTrace::kSizeLimit);

  // The watch for late answers after a silent window (timing::kLateAnswerGuard
  // to start with); false, and unchanged, outside 0 to 1 s.
  bool SetLateAnswerGuard(std::chrono::milliseconds guard);

  // What a gateway's network may add to every answer window
  // (timing::kNetworkAllowance to start with); false, and unchanged, on a
  // serial port or outside 0 to 5 s.
  bool SetNetworkAllowance(std::chrono::milliseconds allowance);

  // Discards stale input, keeps the pause after the last answer, stamps the
  // frame-count bit and sends.
  bool Send(std::span<const std::uint8_t> request);

  // What came back for the last request.
  struct Answer {
    enum class Kind {
      kNothing,  // silence for the whole answer window
      kFrame,    // exactly one valid frame (E5, short or long)
      kGarbage,  // bytes that make no single frame: noise, a collision, a broken frame
    };
    Kind kind = Kind::kNothing;
    std::vector<std::uint8_t> bytes;
  };

  // The answer to the last request. A frame returns as soon as it is complete;
  // E5 only after a short silence shows it came alone. The echo of our own
  // request is dropped, and so is whatever arrived before the request could
  // have been heard (a late answer to an earlier one). No byte at all: the
  // answer window; once bytes flow, a silence ends the read.
  Answer Receive();

 private:
  using Clock = std::chrono::steady_clock;

  std::unique_ptr<BusLine> line_;
  bool on_network_ = false;
  timing::Micros network_allowance_{0};
  int speed_ = 0;
  std::uint8_t target_ = 0;
  bool failed_ = false;
  LineOpenError open_error_ = LineOpenError::kNone;
  FrameCounter counter_;
  std::vector<std::uint8_t> request_;  // as sent, for recognising its echo
  Clock::time_point request_end_{};
  // No meter can answer before the request was on the wire; bytes read sooner
  // belong to an earlier exchange or are the echo.
  Clock::time_point earliest_answer_{};
  Clock::time_point answer_end_{};
  // Until then, bytes may still be a late answer to an unanswered request.
  Clock::time_point late_until_{};
  timing::Micros late_answer_guard_ = timing::kLateAnswerGuard;
  std::unique_ptr<BusTrace> trace_;
  // The request went out but is not in the trace yet: it is written with its
  // answer, after the answer is complete.
  bool request_untraced_ = false;
  Clock::time_point request_start_{};

  // Reads and drops what arrives before late_until_, and until a silence after it.
  void DropLateAnswers();
  // Writes the last request, with what came back for it, while the line is idle.
  void TraceExchange(BusTrace::Heard heard, std::span<const std::uint8_t> answer);
  void TraceUnansweredRequest();
};

}  // namespace keldar::bus
