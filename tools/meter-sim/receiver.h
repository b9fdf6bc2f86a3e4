// What the master receives when stations answer. Each answer is a train of
// 11-bit characters (start bit, 8 data bits least significant first, even
// parity, stop bit) from its own moment on; the line is at space whenever any
// station sends a space, and the master's receiver reads the result as a UART
// does. Answers sent at the same moment arrive as the bitwise AND of their
// bytes, answers at different moments one after the other, and answers that
// overlap by part of a character as whatever the receiver makes of that.
#pragma once

#include <chrono>
#include <vector>

#include "wire.h"

namespace keldar::sim {

struct Transmission {
  std::chrono::microseconds start{};  // after the request's end
  Bytes bytes;
};

// Characters that follow each other with less than a character's idle time.
struct Burst {
  std::chrono::microseconds start{};  // when its first start bit begins
  Bytes bytes;
};

std::vector<Burst> Receive(const std::vector<Transmission>& sent, int baud);

}  // namespace keldar::sim
