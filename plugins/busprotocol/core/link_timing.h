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

// The silence after an answer's last byte that shows nothing else follows it:
// three characters, plus the 20 ms a USB adapter may hold bytes back.
constexpr Micros AnswerEndSilence(int baud) {
  return LineTime(3, baud) + std::chrono::milliseconds(20);
}

// After a window passed in silence, the line is watched this much longer
// before the next request, and whatever arrives is dropped: a meter that
// answers late must not have its answer taken for the next request's. Part of
// the time an address is given before it counts as silent.
inline constexpr Micros kLateAnswerGuard = std::chrono::milliseconds(100);

// What a network between the master and a gateway adds to each answer
// window: the round trip, and the gateway gathering bytes into packets.
inline constexpr Micros kNetworkAllowance = std::chrono::milliseconds(200);

// The least pause between the end of an answer and the next request.
constexpr Micros RequestGap(int baud) { return BitTimes(kBitsPerByte, baud); }

}  // namespace keldar::bus::timing
