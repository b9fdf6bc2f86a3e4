// Walks the data records of a variable data structure (EN 13757-3, 6.3).
#include <optional>

#include "data_coding.h"
#include "telegram_decoder.h"

namespace keldar::bus {

namespace {

constexpr std::size_t kMaxExtensions = 10;
constexpr std::uint8_t kExtensionBit = 0x80;
constexpr std::uint8_t kManufacturerData = 0x0F;
constexpr std::uint8_t kMoreRecordsFollow = 0x1F;
constexpr std::uint8_t kIdleFiller = 0x2F;

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool AtEnd() const { return pos_ >= bytes_.size(); }
  std::size_t Left() const { return bytes_.size() - pos_; }
  std::uint8_t Next() { return bytes_[pos_++]; }
  std::span<const std::uint8_t> Take(std::size_t n) {
    const auto taken = bytes_.subspan(pos_, n);
    pos_ += n;
    return taken;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

// Reads extension bytes while the previous one has its extension bit set.
DecodeError ReadExtensions(Reader& in, std::uint8_t first, std::vector<std::uint8_t>& out,
                           DecodeError too_many) {
  bool more = (first & kExtensionBit) != 0;
  while (more) {
    if (in.AtEnd()) return DecodeError::kTruncatedRecord;
    if (out.size() == kMaxExtensions) return too_many;
    out.push_back(in.Next());
    more = (out.back() & kExtensionBit) != 0;
  }
  return DecodeError::kNone;
}

void ApplyDataInformation(Record& r) {
  r.function = static_cast<Function>((r.dif >> 4) & 0x03);
  r.storage = (r.dif >> 6) & 0x01;
  for (std::size_t i = 0; i < r.difes.size(); ++i) {
    const std::uint8_t dife = r.difes[i];
    r.storage |= std::uint64_t{dife & 0x0Fu} << (1 + 4 * i);
    r.tariff |= static_cast<std::uint32_t>((dife >> 4) & 0x03) << (2 * i);
    r.subunit |= static_cast<std::uint32_t>((dife >> 6) & 0x01) << i;
  }
}

Record ManufacturerBlock(std::uint8_t dif, std::span<const std::uint8_t> rest) {
  Record r;
  r.dif = dif;
  r.function = Function::kManufacturer;
  r.data.assign(rest.begin(), rest.end());
  r.raw = ReadLittleEndian(rest);
  r.kind = ValueKind::kBytes;
  r.quantity = dif == kMoreRecordsFollow ? "More records follow" : "Manufacturer specific";
  return r;
}

// The length of the data that follows, reading the LVAR byte if there is one.
DecodeError DataLength(Reader& in, std::uint8_t dif, std::size_t& length,
                       std::optional<std::uint8_t>& lvar) {
  const DataField field = DescribeDataField(dif);
  if (field.coding != DataCoding::kVariable) {
    length = field.length;
    return DecodeError::kNone;
  }
  if (in.AtEnd()) return DecodeError::kTruncatedRecord;
  lvar = in.Next();
  const VariableField variable = DescribeVariableField(*lvar);
  if (variable.kind == VariableKind::kReserved) return DecodeError::kReservedCoding;
  length = variable.length;
  return DecodeError::kNone;
}

}  // namespace

DecodeError DecodeRecords(std::span<const std::uint8_t> data, std::vector<Record>& records,
                          bool& more_records_follow) {
  Reader in(data);
  while (!in.AtEnd()) {
    const std::uint8_t dif = in.Next();
    if (dif == kIdleFiller) continue;
    if ((dif & 0x0F) == 0x0F) {
      if (dif != kManufacturerData && dif != kMoreRecordsFollow)
        return DecodeError::kReservedCoding;
      more_records_follow = dif == kMoreRecordsFollow;
      records.push_back(ManufacturerBlock(dif, in.Take(in.Left())));
      break;
    }
    Record r;
    r.dif = dif;
    if (auto e = ReadExtensions(in, dif, r.difes, DecodeError::kTooManyDifes);
        e != DecodeError::kNone) {
      return e;
    }
    if (in.AtEnd()) return DecodeError::kTruncatedRecord;
    r.vif = in.Next();
    std::string plain_text;
    if ((r.vif & 0x7F) == 0x7C) {
      if (in.AtEnd()) return DecodeError::kTruncatedRecord;
      const std::size_t length = in.Next();
      if (in.Left() < length) return DecodeError::kTruncatedRecord;
      const auto text = in.Take(length);
      // Sent last character first.
      plain_text = MeterText(std::vector<std::uint8_t>(text.rbegin(), text.rend()));
    }
    if (auto e = ReadExtensions(in, r.vif, r.vifes, DecodeError::kTooManyVifes);
        e != DecodeError::kNone) {
      return e;
    }
    std::size_t length = 0;
    std::optional<std::uint8_t> lvar;
    if (auto e = DataLength(in, dif, length, lvar); e != DecodeError::kNone) return e;
    if (in.Left() < length) return DecodeError::kTruncatedRecord;
    const auto bytes = in.Take(length);
    r.data.assign(bytes.begin(), bytes.end());
    ApplyDataInformation(r);
    InterpretValue(r, plain_text, lvar);
    records.push_back(std::move(r));
  }
  return DecodeError::kNone;
}

}  // namespace keldar::bus
