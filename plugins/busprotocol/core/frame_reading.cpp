#include "frame_reading.h"

#include <cstdio>
#include <variant>

#include "base/bus/constants.h"
#include "frame_codec.h"

namespace keldar::bus {

namespace {

std::string Printed(const char* format, unsigned a, unsigned b = 0, unsigned c = 0) {
  char text[48];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

}  // namespace

std::string ReadRequest(std::span<const std::uint8_t> bytes) {
  const auto frame = DecodeFrame(bytes);
  if (!frame) return "garbage";
  if (const auto* s = std::get_if<ShortFrame>(&*frame)) {
    if (s->c == kSndNke) return Printed("SND_NKE a=%u", s->a);
    if ((s->c & kFunctionMask) == (kReqUd2 & kFunctionMask))
      return Printed("REQ_UD2 a=%u fcb=%u", s->a, (s->c & kFrameCountBit) != 0 ? 1U : 0U);
    return Printed("C=%02X a=%u", s->c, s->a);
  }
  if (const auto* l = std::get_if<LongFrame>(&*frame)) {
    // Selection by secondary address goes to the network layer's address.
    if (l->a == mbus::kAddressSelected && l->ci == mbus::kCiSelection) return "selection";
    if ((l->c & kFunctionMask) == (kSndUd & kFunctionMask))
      return Printed("SND_UD a=%u ci=%02X", l->a, l->ci);
    return Printed("C=%02X a=%u ci=%02X", l->c, l->a, l->ci);
  }
  return "E5";
}

std::string ReadAnswer(std::span<const std::uint8_t> bytes) {
  const auto frame = DecodeFrame(bytes);
  if (!frame) return "garbage";
  if (const auto* l = std::get_if<LongFrame>(&*frame)) {
    if ((l->c & kFunctionMask) == kRspUdFunction)
      return Printed("RSP_UD a=%u ci=%02X", l->a, l->ci);
    return Printed("C=%02X a=%u ci=%02X", l->c, l->a, l->ci);
  }
  if (const auto* s = std::get_if<ShortFrame>(&*frame)) return Printed("C=%02X a=%u", s->c, s->a);
  return "E5";
}

}  // namespace keldar::bus
