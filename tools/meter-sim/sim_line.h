// What the simulated meters hear the master on: a pseudo-terminal, or a TCP
// connection as a network gateway serves it.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "wire.h"

namespace keldar::sim {

class SimLine {
 public:
  using Clock = std::chrono::steady_clock;

  virtual ~SimLine() = default;

  // The speed of the bus the meters are on.
  virtual int LineSpeed() const = 0;
  // Appends what arrives within `wait` (forever when negative); false on error.
  virtual bool Read(Bytes& into, std::chrono::milliseconds wait) = 0;
  // Sends the bytes; with `paced`, each byte leaves when a real line at `baud`
  // would have finished it, counting from `start`.
  virtual bool Write(const Bytes& bytes, bool paced, Clock::time_point start, int baud) = 0;
  // Changes whenever a new master connects: what came before is not theirs.
  virtual std::uint64_t Session() const { return 0; }
  // Ends the current master's connection (a gateway that drops it).
  virtual void Drop() {}

 protected:
  SimLine() = default;
  SimLine(const SimLine&) = default;
  SimLine& operator=(const SimLine&) = default;
};

// Time a real line needs for `bytes` characters of 11 bits at `baud`.
std::chrono::microseconds LineTime(std::size_t bytes, int baud);

// Hands `bytes` to `put` as SimLine::Write describes (all at once unless `paced`).
bool WritePaced(const Bytes& bytes, bool paced, SimLine::Clock::time_point start, int baud,
                const std::function<bool(const std::uint8_t*, std::size_t)>& put);

}  // namespace keldar::sim
