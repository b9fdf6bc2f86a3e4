// Data records as the simulator writes and reads them: DIB/VIB headers and
// values coded by their DIF.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "wire.h"

namespace keldar::sim {

struct BlockHeader {
  std::uint8_t dif = 0;
  std::uint32_t subunit = 0;
  std::uint64_t storage = 0;
  std::uint32_t tariff = 0;
  Bytes vib;  // VIF and VIFEs as sent
};

// Reads DIF, DIFEs, VIF and VIFEs at `pos`; empty when cut short.
std::optional<BlockHeader> ReadBlockHeader(const Bytes& bytes, std::size_t& pos);

// The length of the data a DIF announces (variable length: -1, special: -2).
int DataLength(std::uint8_t dif);

// Two value information blocks name the same value (extension bits aside).
bool SameVib(const Bytes& a, const Bytes& b);

// DIF (data field `coding`) and the DIFEs for a sub-unit.
Bytes DataInformation(std::uint8_t coding, std::uint32_t subunit);

// The data bytes of `value` in the coding of `dif`: decimal integers, reals,
// BCD digits, dates ("2024-03-15", "2024-03-15T08:30[:45]") and "quoted text".
std::optional<Bytes> EncodeValue(std::uint8_t dif, const std::string& value);

// A text record: DIF 0D, the VIB, LVAR and the text last character first.
Bytes TextRecord(const Bytes& dib, const Bytes& vib, const std::string& text);

// Little-endian `n` bytes, and BCD digits of a number.
Bytes LittleEndian(std::uint64_t value, int n);
Bytes Bcd(std::uint64_t value, int n);

}  // namespace keldar::sim
