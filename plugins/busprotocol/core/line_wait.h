// How long a line's ppoll waits: the lines count in microseconds, ppoll in a
// timespec. A wait already past is no wait.
#pragma once

#include <time.h>

#include <chrono>

namespace keldar::bus {

inline timespec ToTimespec(std::chrono::microseconds wait) {
  if (wait.count() < 0) wait = std::chrono::microseconds(0);
  timespec ts{};
  ts.tv_sec = static_cast<time_t>(wait.count() / 1'000'000);
  ts.tv_nsec = static_cast<long>((wait.count() % 1'000'000) * 1000);
  return ts;
}

}  // namespace keldar::bus
