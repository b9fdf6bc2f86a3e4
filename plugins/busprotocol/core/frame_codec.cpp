#include "frame_codec.h"

namespace keldar::bus {

std::uint8_t Checksum(std::span<const std::uint8_t> bytes) {
  std::uint8_t sum = 0;
  for (std::uint8_t b : bytes) sum = static_cast<std::uint8_t>(sum + b);
  return sum;
}

std::vector<std::uint8_t> Encode(const ShortFrame& frame) {
  const std::uint8_t cs = static_cast<std::uint8_t>(frame.c + frame.a);
  return {kShortStart, frame.c, frame.a, cs, kStopByte};
}

std::optional<std::vector<std::uint8_t>> Encode(const LongFrame& frame) {
  if (frame.data.size() > kMaxLongData) return std::nullopt;
  const auto length = static_cast<std::uint8_t>(frame.data.size() + 3);
  std::vector<std::uint8_t> bytes;
  bytes.reserve(frame.data.size() + 3 + kLongOverhead);
  bytes.insert(bytes.end(), {kLongStart, length, length, kLongStart, frame.c, frame.a, frame.ci});
  bytes.insert(bytes.end(), frame.data.begin(), frame.data.end());
  bytes.push_back(Checksum(std::span(bytes).subspan(4)));
  bytes.push_back(kStopByte);
  return bytes;
}

namespace {

enum class Candidate { kValid, kInvalid, kIncomplete };

Candidate CheckShort(std::span<const std::uint8_t> at) {
  if (at.size() < kShortFrameSize) return Candidate::kIncomplete;
  const bool ok = at[4] == kStopByte && Checksum(at.subspan(1, 2)) == at[3];
  return ok ? Candidate::kValid : Candidate::kInvalid;
}

Candidate CheckLong(std::span<const std::uint8_t> at, std::size_t& total) {
  if (at.size() < 4) return Candidate::kIncomplete;
  const std::size_t length = at[1];
  if (at[2] != length || at[3] != kLongStart || length < 3) return Candidate::kInvalid;
  total = length + kLongOverhead;
  if (at.size() < total) return Candidate::kIncomplete;
  const bool ok = at[total - 1] == kStopByte && Checksum(at.subspan(4, length)) == at[total - 2];
  return ok ? Candidate::kValid : Candidate::kInvalid;
}

}  // namespace

ScanResult ScanFrame(std::span<const std::uint8_t> bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto at = bytes.subspan(i);
    Candidate candidate = Candidate::kInvalid;
    std::size_t total = 0;
    switch (at[0]) {
      case kAckByte:
        return {ScanOutcome::kFound, i, 1};
      case kShortStart:
        candidate = CheckShort(at);
        total = kShortFrameSize;
        break;
      case kLongStart:
        candidate = CheckLong(at, total);
        break;
      default:
        continue;
    }
    // An unfinished candidate is waited for: a later start byte may lie
    // inside its data, where it means nothing.
    if (candidate == Candidate::kIncomplete) return {ScanOutcome::kIncomplete, i, 0};
    if (candidate == Candidate::kValid) return {ScanOutcome::kFound, i, total};
  }
  return {ScanOutcome::kNothing, bytes.size(), 0};
}

std::optional<Frame> DecodeFrame(std::span<const std::uint8_t> bytes) {
  const ScanResult scan = ScanFrame(bytes);
  if (scan.outcome != ScanOutcome::kFound || scan.start != 0 || scan.length != bytes.size()) {
    return std::nullopt;
  }
  // Built in place: GCC 12 misreads moves of this variant as uninitialized.
  std::optional<Frame> frame;
  switch (bytes[0]) {
    case kAckByte:
      frame.emplace(std::in_place_type<Ack>);
      break;
    case kShortStart:
      frame.emplace(std::in_place_type<ShortFrame>, ShortFrame{bytes[1], bytes[2]});
      break;
    default: {
      auto& long_frame = std::get<LongFrame>(frame.emplace(std::in_place_type<LongFrame>));
      long_frame.c = bytes[4];
      long_frame.a = bytes[5];
      long_frame.ci = bytes[6];
      long_frame.data.assign(bytes.begin() + 7, bytes.end() - 2);
      break;
    }
  }
  return frame;
}

bool IsFromMaster(const Frame& frame) {
  if (const auto* s = std::get_if<ShortFrame>(&frame)) return (s->c & kFromMaster) != 0;
  if (const auto* l = std::get_if<LongFrame>(&frame)) return (l->c & kFromMaster) != 0;
  return false;
}

}  // namespace keldar::bus
