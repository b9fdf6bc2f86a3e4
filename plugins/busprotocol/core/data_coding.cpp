#include "data_coding.h"

#include <bit>
#include <cstring>

namespace keldar::bus {

DataField DescribeDataField(std::uint8_t dif) {
  switch (dif & 0x0F) {
    case 0x0:
      return {DataCoding::kNone, 0};
    case 0x1:
      return {DataCoding::kInteger, 1};
    case 0x2:
      return {DataCoding::kInteger, 2};
    case 0x3:
      return {DataCoding::kInteger, 3};
    case 0x4:
      return {DataCoding::kInteger, 4};
    case 0x5:
      return {DataCoding::kReal, 4};
    case 0x6:
      return {DataCoding::kInteger, 6};
    case 0x7:
      return {DataCoding::kInteger, 8};
    case 0x8:
      return {DataCoding::kSelection, 0};
    case 0x9:
      return {DataCoding::kBcd, 1};
    case 0xA:
      return {DataCoding::kBcd, 2};
    case 0xB:
      return {DataCoding::kBcd, 3};
    case 0xC:
      return {DataCoding::kBcd, 4};
    case 0xD:
      return {DataCoding::kVariable, 0};
    case 0xE:
      return {DataCoding::kBcd, 6};
    default:
      return {DataCoding::kSpecial, 0};
  }
}

VariableField DescribeVariableField(std::uint8_t lvar) {
  if (lvar <= 0xBF) return {VariableKind::kText, lvar};
  if (lvar >= 0xC0 && lvar <= 0xC9) return {VariableKind::kPositiveBcd, std::size_t(lvar - 0xC0)};
  if (lvar >= 0xD0 && lvar <= 0xD9) return {VariableKind::kNegativeBcd, std::size_t(lvar - 0xD0)};
  if (lvar >= 0xE0 && lvar <= 0xEF) return {VariableKind::kBinary, std::size_t(lvar - 0xE0)};
  if (lvar >= 0xF0 && lvar <= 0xF4) return {VariableKind::kBinary, 4 * std::size_t(lvar - 0xEC)};
  if (lvar == 0xF5) return {VariableKind::kBinary, 48};
  if (lvar == 0xF6) return {VariableKind::kBinary, 64};
  return {VariableKind::kReserved, 0};
}

std::uint64_t ReadLittleEndian(std::span<const std::uint8_t> bytes) {
  std::uint64_t value = 0;
  const std::size_t n = bytes.size() < 8 ? bytes.size() : 8;
  for (std::size_t i = 0; i < n; ++i) value |= std::uint64_t{bytes[i]} << (8 * i);
  return value;
}

std::int64_t ReadSigned(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return 0;
  const std::uint64_t value = ReadLittleEndian(bytes);
  const std::size_t bits = (bytes.size() < 8 ? bytes.size() : 8) * 8;
  if (bits == 64) return static_cast<std::int64_t>(value);
  const std::uint64_t sign = std::uint64_t{1} << (bits - 1);
  // Sign extension without relying on implementation-defined shifts.
  return static_cast<std::int64_t>((value ^ sign)) - static_cast<std::int64_t>(sign);
}

std::optional<double> ReadBcd(std::span<const std::uint8_t> bytes) {
  double value = 0;
  bool negative = false;
  for (std::size_t i = bytes.size(); i-- > 0;) {
    const int high = bytes[i] >> 4;
    const int low = bytes[i] & 0x0F;
    if (i + 1 == bytes.size() && high == 0xF) {
      negative = true;
    } else if (high > 9) {
      return std::nullopt;
    } else {
      value = value * 10 + high;
    }
    if (low > 9) return std::nullopt;
    value = value * 10 + low;
  }
  return negative ? -value : value;
}

float ReadReal(std::span<const std::uint8_t> bytes) {
  std::uint32_t bits = static_cast<std::uint32_t>(ReadLittleEndian(bytes.first(4)));
  return std::bit_cast<float>(bits);
}

}  // namespace keldar::bus
