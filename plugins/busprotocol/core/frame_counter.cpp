#include "frame_counter.h"

#include "base/bus/constants.h"
#include "frame_codec.h"

namespace keldar::bus {

void FrameCounter::Reset(std::uint8_t address) {
  if (address == mbus::kAddressAny || address == mbus::kAddressBroadcast) {
    last_.fill(kUnknown);  // every slave on the bus heard it
  } else {
    last_[address] = kUnknown;
  }
}

std::vector<std::uint8_t> FrameCounter::Stamp(std::span<const std::uint8_t> request) {
  std::vector<std::uint8_t> bytes(request.begin(), request.end());
  const auto frame = DecodeFrame(request);
  if (!frame) return bytes;
  if (const auto* s = std::get_if<ShortFrame>(&*frame)) {
    if (s->c == kSndNke) {
      Reset(s->a);
    } else if ((s->c & kFromMaster) != 0 && (s->c & kFunctionMask) == (kReqUd2 & kFunctionMask)) {
      const bool bit = last_[s->a] == kUnknown ? true : last_[s->a] == 0;
      last_[s->a] = bit ? 1 : 0;
      const auto c = static_cast<std::uint8_t>((s->c & ~kFrameCountBit) | kFrameCountValid |
                                               (bit ? kFrameCountBit : 0));
      return Encode(ShortFrame{c, s->a});
    }
  } else if (const auto* l = std::get_if<LongFrame>(&*frame)) {
    if (l->ci == mbus::kCiSelection && l->a == mbus::kAddressSelected)
      Reset(mbus::kAddressSelected);
  }
  return bytes;
}

}  // namespace keldar::bus
