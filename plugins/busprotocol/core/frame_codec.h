// EN 13757-2 frames: the single acknowledgement byte, short and long frames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <variant>
#include <vector>

namespace keldar::bus {

inline constexpr std::uint8_t kAckByte = 0xE5;
inline constexpr std::uint8_t kShortStart = 0x10;
inline constexpr std::uint8_t kLongStart = 0x68;
inline constexpr std::uint8_t kStopByte = 0x16;
inline constexpr std::size_t kShortFrameSize = 5;
inline constexpr std::size_t kLongOverhead = 6;   // 68 L L 68 … CS 16
inline constexpr std::size_t kMaxLongData = 252;  // L = 255 counts C, A and CI too

// C-field.
inline constexpr std::uint8_t kFromMaster = 0x40;  // direction bit: the primary station sends
inline constexpr std::uint8_t kFrameCountBit = 0x20;
inline constexpr std::uint8_t kFrameCountValid = 0x10;
inline constexpr std::uint8_t kFunctionMask = 0x0F;
inline constexpr std::uint8_t kSndNke = 0x40;
inline constexpr std::uint8_t kSndUd = 0x53;
inline constexpr std::uint8_t kReqUd2 = 0x5B;
inline constexpr std::uint8_t kRspUdFunction = 0x08;

struct Ack {};
struct ShortFrame {
  std::uint8_t c = 0;
  std::uint8_t a = 0;
};
struct LongFrame {
  std::uint8_t c = 0;
  std::uint8_t a = 0;
  std::uint8_t ci = 0;
  std::vector<std::uint8_t> data;
};
using Frame = std::variant<Ack, ShortFrame, LongFrame>;

std::uint8_t Checksum(std::span<const std::uint8_t> bytes);

std::vector<std::uint8_t> Encode(const ShortFrame& frame);
// Empty optional when the data does not fit one frame.
std::optional<std::vector<std::uint8_t>> Encode(const LongFrame& frame);

enum class ScanOutcome {
  kFound,       // a valid frame lies at [start, start + length)
  kIncomplete,  // a frame may begin at `start` but has not fully arrived
  kNothing,     // no byte from `start` on can begin a frame
};
struct ScanResult {
  ScanOutcome outcome = ScanOutcome::kNothing;
  std::size_t start = 0;
  std::size_t length = 0;
};

// Finds the first valid frame. Bytes that cannot start a frame, and frames
// with a wrong length, start, stop byte or check sum, are passed over.
ScanResult ScanFrame(std::span<const std::uint8_t> bytes);

// The frame that fills `bytes` exactly, if it is one.
std::optional<Frame> DecodeFrame(std::span<const std::uint8_t> bytes);

// A frame sent by a master, e.g. the echo of our own request.
bool IsFromMaster(const Frame& frame);

}  // namespace keldar::bus
