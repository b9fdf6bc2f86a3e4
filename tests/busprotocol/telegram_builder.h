// Wraps data records into a complete RSP_UD frame for the decoder tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "frame_codec.h"
#include "hex.h"

namespace keldar::bus::test {

// Identification 12345678, manufacturer KRV, version 3, medium 4 (heat),
// access number 0x2A, status 0, signature 0.
inline constexpr char kHeaderHex[] = "78 56 34 12 56 2E 03 04 2A 00 00 00";

inline LongFrame Answer(const std::string& records_hex, std::uint8_t ci = 0x72,
                        const std::string& header_hex = kHeaderHex) {
  LongFrame frame{0x08, 0x05, ci, FromHex(ci == 0x72 ? header_hex : "")};
  const auto records = FromHex(records_hex);
  frame.data.insert(frame.data.end(), records.begin(), records.end());
  return frame;
}

inline std::vector<std::uint8_t> AnswerBytes(const std::string& records_hex) {
  return *Encode(Answer(records_hex));
}

}  // namespace keldar::bus::test
