#include "receiver.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace keldar::sim {

namespace {

constexpr long long kCharacterBits = 11;

long long BitsOf(std::chrono::microseconds time, int baud) {
  return std::llround(static_cast<double>(time.count()) * baud / 1e6);
}

// The line's level bit by bit, idle (mark, 1) where nobody sends.
std::vector<bool> Superpose(const std::vector<Transmission>& sent, long long first, int baud) {
  long long length = 0;
  for (const auto& t : sent) {
    const long long begin = BitsOf(t.start, baud) - first;
    length = std::max(length, begin + kCharacterBits * static_cast<long long>(t.bytes.size()));
  }
  std::vector<bool> line(static_cast<std::size_t>(length), true);
  for (const auto& t : sent) {
    auto bit = static_cast<std::size_t>(BitsOf(t.start, baud) - first);
    for (std::uint8_t byte : t.bytes) {
      line[bit++] = false;  // start bit
      for (int i = 0; i < 8; ++i, ++bit) {
        if ((byte >> i & 1) == 0) line[bit] = false;
      }
      if (std::popcount(byte) % 2 == 0) line[bit] = false;  // even parity
      bit += 2;                                             // parity, stop bit
    }
  }
  return line;
}

}  // namespace

std::vector<Burst> Receive(const std::vector<Transmission>& sent, int baud) {
  if (sent.empty() || baud <= 0) return {};
  long long first = BitsOf(sent.front().start, baud);
  for (const auto& t : sent) first = std::min(first, BitsOf(t.start, baud));
  const std::vector<bool> line = Superpose(sent, first, baud);

  std::vector<Burst> bursts;
  long long previous = -2 * kCharacterBits;
  const auto at = [&](long long bit) { return line[static_cast<std::size_t>(bit)]; };
  const auto size = static_cast<long long>(line.size());
  for (long long bit = 0; bit + kCharacterBits <= size;) {
    if (at(bit)) {
      ++bit;
      continue;
    }
    // A start bit: the data bits follow. Parity and framing errors still
    // deliver the byte, as a port without input parity checking does.
    std::uint8_t byte = 0;
    for (int i = 0; i < 8; ++i) {
      if (at(bit + 1 + i)) byte = static_cast<std::uint8_t>(byte | 1 << i);
    }
    if (bit - previous >= 2 * kCharacterBits) {
      const auto micros = static_cast<long long>(std::ceil((first + bit) * 1e6 / baud));
      bursts.push_back({std::chrono::microseconds(micros), {}});
    }
    bursts.back().bytes.push_back(byte);
    previous = bit;
    // After the stop bit the receiver waits for the line to go idle, then for
    // the next start bit.
    bit += kCharacterBits - 1;
    while (bit < size && !at(bit)) ++bit;
  }
  return bursts;
}

}  // namespace keldar::sim
