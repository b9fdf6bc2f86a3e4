#include "frame_problem.h"

#include <cstdio>

#include "base/bus/constants.h"

namespace keldar::cli {

namespace {

using mbus::kAckByte;
using mbus::kLeastLongLength;
using mbus::kLongHeader;
using mbus::kLongOverhead;
using mbus::kLongStart;
using mbus::kShortFrameSize;
using mbus::kShortStart;
using mbus::kStopByte;

std::string Hex(std::uint8_t byte) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", byte);
  return text;
}

std::string Bytes(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

std::uint8_t Sum(std::span<const std::uint8_t> bytes) {
  unsigned sum = 0;
  for (const std::uint8_t b : bytes) sum += b;
  return static_cast<std::uint8_t>(sum);
}

// Check sum over [from, end - 2), then the stop byte; empty when both hold.
std::string TrailerProblem(std::span<const std::uint8_t> frame, std::size_t from) {
  const std::uint8_t given = frame[frame.size() - 2];
  const std::uint8_t sum = Sum(frame.subspan(from, frame.size() - 2 - from));
  if (given != sum) return "check sum is " + Hex(given) + " but the bytes sum to " + Hex(sum);
  if (frame.back() != kStopByte) return "stop byte is " + Hex(frame.back()) + ", not 16";
  return {};
}

std::string SizeProblem(std::size_t have, std::size_t want) {
  if (have < want)
    return "truncated: " + Bytes(have) + " of the " + Bytes(want) + " the frame announces";
  return Bytes(have - want) + " after the end of the frame (it announces " + Bytes(want) + ")";
}

}  // namespace

std::string FrameProblem(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return "no bytes";
  switch (bytes[0]) {
    case kAckByte:
      if (bytes.size() == 1) return "an acknowledgement (E5), not a telegram";
      return "an acknowledgement (E5) followed by " + Bytes(bytes.size() - 1);
    case kShortStart: {
      if (bytes.size() != kShortFrameSize) return SizeProblem(bytes.size(), kShortFrameSize);
      std::string trailer = TrailerProblem(bytes, 1);
      return trailer.empty() ? "a short frame (a request), not a telegram" : trailer;
    }
    case kLongStart:
      break;
    default:
      return "first byte is " + Hex(bytes[0]) + ", not a start byte (68, 10 or E5)";
  }
  if (bytes.size() < kLongHeader)
    return "truncated: " + Bytes(bytes.size()) + ", shorter than a frame's header";
  if (bytes[1] != bytes[2])
    return "the two length bytes differ (" + Hex(bytes[1]) + " and " + Hex(bytes[2]) + ")";
  if (bytes[3] != kLongStart) return "second start byte is " + Hex(bytes[3]) + ", not 68";
  if (bytes[1] < kLeastLongLength)
    return "length " + Hex(bytes[1]) + " leaves no room for C, A and CI fields";
  const std::size_t want = std::size_t{bytes[1]} + kLongOverhead;
  if (bytes.size() != want) return SizeProblem(bytes.size(), want);
  std::string trailer = TrailerProblem(bytes, kLongHeader);
  if (!trailer.empty()) return trailer;
  return "the frame is sound but its user data (CI " + Hex(bytes[6]) +
         ") cannot be decoded: a header or record is cut short or unknown";
}

}  // namespace keldar::cli
