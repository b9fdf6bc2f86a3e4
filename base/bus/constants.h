// The M-Bus numbers the program speaks (EN 13757-2/-3), in one place. The
// library's result codes and port states stay in keldar/bus_protocol_types.h.
#pragma once

#include <cstddef>
#include <cstdint>

#include "keldar/bus_protocol_types.h"

namespace mbus {

// Frames on the wire (EN 13757-2).
inline constexpr std::uint8_t kAckByte = 0xE5;
inline constexpr std::uint8_t kShortStart = 0x10;
inline constexpr std::uint8_t kLongStart = 0x68;
inline constexpr std::uint8_t kStopByte = 0x16;
inline constexpr std::size_t kShortFrameSize = 5;    // 10 C A CS 16
inline constexpr std::size_t kLongHeader = 4;        // 68 L L 68
inline constexpr std::size_t kLongOverhead = 6;      // 68 L L 68 … CS 16
inline constexpr std::uint8_t kLeastLongLength = 3;  // C, A and CI

// The highest primary address (0 is the address of a meter not yet given one).
inline constexpr std::uint8_t kLastPrimaryAddress = 250;

// Addresses beside the primary ones (1-250).
inline constexpr std::uint8_t kAddressSelected =
    KELDAR_BUS_ADDRESS_SELECTED;  // chosen by selection
inline constexpr std::uint8_t kAddressAny =
    KELDAR_BUS_ADDRESS_ANY;  // whoever listens, point to point
inline constexpr std::uint8_t kAddressBroadcast = 255;

// CI fields of the master's long frames.
inline constexpr std::uint8_t kCiDataSend = 0x51;
inline constexpr std::uint8_t kCiSelection = 0x52;

// CI fields of a meter's answer.
inline constexpr std::uint8_t kCiApplicationError = 0x70;
inline constexpr std::uint8_t kCiVariableData = 0x72;
inline constexpr std::uint8_t kCiFixedData = 0x73;
inline constexpr std::uint8_t kCiShortHeader = 0x7A;

// VIFs as the library reports them: without the extension bit.
inline constexpr std::uint8_t kVifPulseWeight = 0x13;  // 0x93, litres per pulse
inline constexpr std::uint8_t kVifSecondaryAddress = 0x79;
inline constexpr std::uint8_t kVifBusAddress = 0x7A;
inline constexpr std::uint8_t kVifExtensionTableFB = 0x7B;  // 0xFB
inline constexpr std::uint8_t kVifPlainTextUnit = 0x7C;
inline constexpr std::uint8_t kVifExtensionTableFD = 0x7D;  // 0xFD
inline constexpr std::uint8_t kVifAnyValue = 0x7E;
inline constexpr std::uint8_t kVifManufacturer = 0x7F;

// VIFEs, also without the extension bit.
inline constexpr std::uint8_t kVifeModel = 0x0C;          // after 0xFD
inline constexpr std::uint8_t kVifeOtherSoftware = 0x0F;  // after 0xFD
inline constexpr std::uint8_t kVifeInput0 = 0x28;         // after 0x93: pulse input 0
inline constexpr std::uint8_t kVifeInput1 = 0x29;         // after 0x93: pulse input 1

// Wildcards of a selection by secondary address.
inline constexpr int kAnyVersion = 255;
inline constexpr int kAnyMedium = 255;

// The client's own outcomes of an exchange, beside the library's result codes
// (each a failure to whoever waits for an acknowledgement or user data).
inline constexpr int kResultGarbage = -100;  // bytes came that make no frame: noise, a collision
inline constexpr int kResultOtherAddress = -101;  // user data from a meter not asked

// True when a user-data answer from `answered` may be the answer to a
// request to `asked`: a primary address is answered by that address alone;
// at 253 and 254 whoever listens answers with its own address.
constexpr bool AnswersFor(std::uint8_t asked, std::uint8_t answered) {
  return asked >= KELDAR_BUS_ADDRESS_SELECTED || asked == answered;
}

// The speeds a meter can be told to switch to (EN 13757-3, CI B8 to BF).
constexpr bool HasSpeedCode(int baud) {
  for (int speed = 300; speed <= 38400; speed *= 2) {
    if (speed == baud) return true;
  }
  return false;
}

// A meter that announces further telegrams without end must not hold a read
// forever; no real meter sends more than this.
inline constexpr int kMaxTelegrams = 64;

}  // namespace mbus
