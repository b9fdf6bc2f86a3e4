// Sorts the bytes that come back after a request into one answer: the echo of
// the request and bytes from before the request could be heard are dropped;
// what is left must be exactly one frame, or it is garbage.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace keldar::bus {

class AnswerAssembler {
 public:
  enum class State {
    kEmpty,         // nothing yet
    kIncomplete,    // the start of a frame; more must come
    kAcknowledged,  // a single E5 so far: an acknowledgement if nothing follows
    kFrame,         // exactly one complete short or long frame from a meter
    kGarbage,       // bytes that are no single frame
  };

  explicit AnswerAssembler(std::span<const std::uint8_t> request)
      : request_(request.begin(), request.end()) {}

  // Bytes as read. `early`: read before the request could have reached a meter.
  void Feed(std::span<const std::uint8_t> bytes, bool early);
  State Current() const;
  // The answer's bytes (echo and early bytes left out).
  const std::vector<std::uint8_t>& Bytes() const { return answer_; }

 private:
  // Drops a complete echo that arrived late, as a frame of its own.
  void DropLeadingMasterFrame();

  std::vector<std::uint8_t> request_;
  std::size_t echoed_ = 0;    // how much of the request has come back as echo
  bool echo_broken_ = false;  // an early byte that was no echo: no more echo expected
  std::vector<std::uint8_t> answer_;
};

}  // namespace keldar::bus
