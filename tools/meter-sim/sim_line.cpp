#include "sim_line.h"

#include <thread>

namespace keldar::sim {

std::chrono::microseconds LineTime(std::size_t bytes, int baud) {
  // Rounded up: a byte is never on the line sooner than it could be.
  return std::chrono::microseconds((static_cast<long long>(bytes) * 11 * 1'000'000 + baud - 1) /
                                   baud);
}

bool WritePaced(const Bytes& bytes, bool paced, SimLine::Clock::time_point start, int baud,
                const std::function<bool(const std::uint8_t*, std::size_t)>& put) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    std::size_t upto = bytes.size();
    if (paced && baud > 0) {
      // Everything the line would have finished by now, at least one byte.
      std::this_thread::sleep_until(start + LineTime(sent + 1, baud));
      const auto elapsed = SimLine::Clock::now() - start;
      upto = sent + 1;
      while (upto < bytes.size() && start + LineTime(upto + 1, baud) <= start + elapsed) ++upto;
    }
    if (!put(bytes.data() + sent, upto - sent)) return false;
    sent = upto;
  }
  return true;
}

}  // namespace keldar::sim
