// How the data of a record is coded (DIF data field, EN 13757-3 table 5) and
// the plain number codings: signed integers, BCD, 32-bit real.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace keldar::bus {

enum class DataCoding {
  kNone,       // no data
  kInteger,    // signed binary, little-endian
  kReal,       // IEEE 754 single
  kBcd,        // decimal digits, least significant byte first
  kVariable,   // the length follows as an LVAR byte
  kSelection,  // "selection for readout": no data
  kSpecial,    // manufacturer data, filler, global readout
};

struct DataField {
  DataCoding coding = DataCoding::kNone;
  std::size_t length = 0;  // fixed length in bytes (0 for variable and special)
};

DataField DescribeDataField(std::uint8_t dif);

// What an LVAR byte announces.
enum class VariableKind { kText, kPositiveBcd, kNegativeBcd, kBinary, kReserved };
struct VariableField {
  VariableKind kind = VariableKind::kReserved;
  std::size_t length = 0;
};
VariableField DescribeVariableField(std::uint8_t lvar);

// The first eight bytes read as a little-endian unsigned integer.
std::uint64_t ReadLittleEndian(std::span<const std::uint8_t> bytes);
// Two's complement of bytes.size() * 8 bits (1 to 8 bytes).
std::int64_t ReadSigned(std::span<const std::uint8_t> bytes);
// Decimal digits; a top nibble F marks a negative number. Empty when any
// other nibble is not a decimal digit.
std::optional<double> ReadBcd(std::span<const std::uint8_t> bytes);
float ReadReal(std::span<const std::uint8_t> bytes);

}  // namespace keldar::bus
