// The frame-count bit of REQ_UD2: set in the first request after SND_NKE to
// an address, toggled in each further one, so a meter tells a new request
// from a repeated one.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace keldar::bus {

class FrameCounter {
 public:
  FrameCounter() { last_.fill(kUnknown); }

  // The request as it goes on the wire: a REQ_UD2 gets the address's next
  // frame-count bit (and the valid bit); a SND_NKE, or a new secondary
  // selection for address 253, starts the address afresh.
  std::vector<std::uint8_t> Stamp(std::span<const std::uint8_t> request);

 private:
  static constexpr std::int8_t kUnknown = -1;
  void Reset(std::uint8_t address);
  std::array<std::int8_t, 256> last_{};
};

}  // namespace keldar::bus
