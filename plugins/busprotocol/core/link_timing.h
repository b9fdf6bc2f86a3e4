// Timing of the link layer, in bit times of 8E1 characters (11 bits a byte).
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace keldar::bus::timing {

using Micros = std::chrono::microseconds;

inline constexpr int kBitsPerByte = 11;
inline constexpr int kAnswerBitTimes = 330;
// The standard's 50 ms plus 100 ms for USB adapters and slow meters.
inline constexpr Micros kAnswerAllowance = std::chrono::milliseconds(150);

// Rounded up, so a wait is never shorter than the line needs.
constexpr Micros BitTimes(std::int64_t bits, int baud) {
  return Micros((bits * 1'000'000 + baud - 1) / baud);
}

constexpr Micros LineTime(std::size_t bytes, int baud) {
  return BitTimes(static_cast<std::int64_t>(bytes) * kBitsPerByte, baud);
}

// How long a read waits for the first byte of an answer, and the silence that
// ends an answer once bytes flow.
constexpr Micros AnswerWindow(int baud) {
  return BitTimes(kAnswerBitTimes, baud) + kAnswerAllowance;
}

// The least pause between the end of an answer and the next request.
constexpr Micros RequestGap(int baud) { return BitTimes(kBitsPerByte, baud); }

}  // namespace keldar::bus::timing
