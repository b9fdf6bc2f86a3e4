// The value of one data record: number, date or text, scaled to its unit.
#include <cmath>
#include <cstdio>

#include "data_coding.h"
#include "date_types.h"
#include "telegram_decoder.h"
#include "value_meaning.h"

namespace keldar::bus {

std::string MeterText(std::span<const std::uint8_t> bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (std::uint8_t b : bytes) {
    if (b == 0) continue;
    if (b < 0x80) {
      text.push_back(static_cast<char>(b));
    } else {
      text.push_back(static_cast<char>(0xC0 | (b >> 6)));
      text.push_back(static_cast<char>(0x80 | (b & 0x3F)));
    }
  }
  return text;
}

namespace {

std::vector<std::uint8_t> Reversed(const std::vector<std::uint8_t>& bytes) {
  return {bytes.rbegin(), bytes.rend()};
}

std::string HexMostSignificantFirst(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%02X", *it);
    if (!text.empty()) text.push_back(' ');
    text += pair;
  }
  return text;
}

bool SetDate(Record& r) {
  const auto date = DecodeTimePoint(r.data);
  if (!date) return false;
  r.unit.clear();
  // A date flagged invalid and one the calendar lacks ("2000-00-00") are
  // both no time point: no text that reads as one.
  if (IsTimePoint(*date)) {
    r.kind = ValueKind::kDate;
    r.text = FormatIso(*date);
  } else {
    r.kind = ValueKind::kInvalidDate;
  }
  return true;
}

std::optional<double> VariableNumber(Record& r, std::uint8_t lvar) {
  const VariableField field = DescribeVariableField(lvar);
  switch (field.kind) {
    case VariableKind::kText:
      r.kind = ValueKind::kText;
      r.text = MeterText(Reversed(r.data));
      return std::nullopt;
    case VariableKind::kBinary:
      r.kind = ValueKind::kText;
      r.text = HexMostSignificantFirst(r.data);
      return std::nullopt;
    case VariableKind::kPositiveBcd:
      return ReadBcd(r.data);
    case VariableKind::kNegativeBcd: {
      const auto digits = ReadBcd(r.data);
      if (!digits) return std::nullopt;
      return -*digits;
    }
    case VariableKind::kReserved:
      break;
  }
  return std::nullopt;
}

}  // namespace

void InterpretValue(Record& r, const std::string& plain_text, std::optional<std::uint8_t> lvar) {
  r.raw = ReadLittleEndian(r.data);
  const ValueMeaning meaning = DescribeValue(r.vif, r.vifes, plain_text);
  r.quantity = meaning.quantity;
  r.unit = meaning.unit;
  r.kind = ValueKind::kNone;

  std::optional<double> number;
  switch (DescribeDataField(r.dif).coding) {
    case DataCoding::kInteger:
      if (meaning.time_point && SetDate(r)) return;
      number =
          meaning.bit_field ? static_cast<double>(r.raw) : static_cast<double>(ReadSigned(r.data));
      break;
    case DataCoding::kReal:
      number = ReadReal(r.data);
      break;
    case DataCoding::kBcd:
      number = ReadBcd(r.data);
      break;
    case DataCoding::kVariable:
      if (lvar) number = VariableNumber(r, *lvar);
      break;
    default:
      break;
  }
  if (!number || !std::isfinite(*number)) return;
  r.kind = ValueKind::kNumber;
  r.number = *number * meaning.scale + meaning.offset;
}

}  // namespace keldar::bus
