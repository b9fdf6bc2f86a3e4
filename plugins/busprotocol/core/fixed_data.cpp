#include "fixed_data.h"

#include "data_coding.h"

namespace keldar::bus {

namespace {

constexpr std::size_t kFixedSize = 16;
constexpr std::uint8_t kBinaryCounters = 0x80;  // status bit: counters are binary, not BCD
constexpr std::uint8_t kHistoricValues = 0x40;  // status bit: counters hold stored values
constexpr std::uint8_t kSameUnitHistoric = 0x3E;

struct FixedUnit {
  const char* quantity;
  const char* unit;
  double scale;
};

// Unit codes of the fixed data structure (0x00-0x3F).
FixedUnit DescribeFixedUnit(std::uint8_t code) {
  struct Range {
    std::uint8_t first;
    std::uint8_t count;
    const char* quantity;
    const char* unit;
    double base;
  };
  static constexpr Range kRanges[] = {
      {0x02, 9, "Energy", "Wh", 1.0},           // Wh … MWh*100
      {0x0B, 9, "Energy", "J", 1e3},            // kJ … GJ*100
      {0x14, 9, "Power", "W", 1.0},             // W … MW*100
      {0x1D, 9, "Power", "J/h", 1e3},           // kJ/h … GJ/h*100
      {0x26, 9, "Volume", "m^3", 1e-6},         // ml … m^3*100
      {0x2F, 9, "Volume flow", "m^3/h", 1e-6},  // ml/h … m^3/h*100
  };
  for (const Range& r : kRanges) {
    if (code >= r.first && code < r.first + r.count) {
      double scale = r.base;
      for (int i = 0; i < code - r.first; ++i) scale *= 10.0;
      return {r.quantity, r.unit, scale};
    }
  }
  switch (code) {
    case 0x00:
      return {"Time (h, m, s)", "", 1.0};
    case 0x01:
      return {"Date (D, M, Y)", "", 1.0};
    case 0x38:
      return {"Temperature", "°C", 1e-3};
    case 0x39:
      return {"Heat cost allocator units", "", 1.0};
    case 0x3F:
      return {"Counter", "", 1.0};
    default:
      return {"Reserved", "", 1.0};
  }
}

Record Counter(std::span<const std::uint8_t, 4> bytes, std::uint8_t unit_code, bool binary,
               bool historic) {
  const FixedUnit unit = DescribeFixedUnit(unit_code);
  Record r;
  r.dif = binary ? 0x04 : 0x0C;
  r.vif = unit_code;
  r.data.assign(bytes.begin(), bytes.end());
  r.raw = ReadLittleEndian(bytes);
  r.storage = historic ? 1 : 0;
  r.quantity = unit.quantity;
  r.unit = unit.unit;
  const std::optional<double> value =
      binary ? std::optional<double>(static_cast<double>(r.raw)) : ReadBcd(bytes);
  if (value) {
    r.kind = ValueKind::kNumber;
    r.number = *value * unit.scale;
  }
  return r;
}

}  // namespace

bool DecodeFixedData(std::span<const std::uint8_t> d, Telegram& t) {
  if (d.size() < kFixedSize) return false;
  t.header.identification = static_cast<std::uint32_t>(ReadLittleEndian(d.first(4)));
  t.header.access_number = d[4];
  t.header.status = d[5];
  // The medium's four bits are the top two bits of each unit byte.
  t.header.medium = static_cast<std::uint8_t>(((d[7] >> 6) << 2) | (d[6] >> 6));
  const std::uint8_t unit1 = d[6] & 0x3F;
  std::uint8_t unit2 = d[7] & 0x3F;
  bool historic2 = (t.header.status & kHistoricValues) != 0;
  if (unit2 == kSameUnitHistoric) {
    unit2 = unit1;
    historic2 = true;
  }
  const bool binary = (t.header.status & kBinaryCounters) != 0;
  const bool historic1 = (t.header.status & kHistoricValues) != 0;
  t.records.push_back(Counter(d.subspan<8, 4>(), unit1, binary, historic1));
  t.records.push_back(Counter(d.subspan<12, 4>(), unit2, binary, historic2));
  return true;
}

}  // namespace keldar::bus
