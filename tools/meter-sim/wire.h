// The simulator's own view of EN 13757-2 frames, kept apart from the
// library's codec so that one mistake does not hide in both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace keldar::sim {

using Bytes = std::vector<std::uint8_t>;

struct Request {
  bool is_long = false;
  std::uint8_t c = 0;
  std::uint8_t a = 0;
  std::uint8_t ci = 0;
  Bytes data;
};

// Takes the first complete request off the front of `input`. Bytes that start
// no valid frame are dropped; an unfinished frame stays for more input.
std::optional<Request> TakeRequest(Bytes& input, std::size_t& frame_length);

Bytes LongFrame(std::uint8_t c, std::uint8_t a, std::uint8_t ci, const Bytes& data);

inline constexpr std::uint8_t kAck = 0xE5;

}  // namespace keldar::sim
