#include "telegram_decoder.h"

#include "fixed_data.h"

namespace keldar::bus {

const char* DescribeDecodeError(DecodeError error) {
  switch (error) {
    case DecodeError::kNone:
      return "no error";
    case DecodeError::kNotAnAnswer:
      return "not a user-data answer";
    case DecodeError::kUnsupportedCi:
      return "unsupported CI-field";
    case DecodeError::kTruncatedHeader:
      return "header cut short";
    case DecodeError::kTruncatedRecord:
      return "record cut short";
    case DecodeError::kTooManyDifes:
      return "more than 10 DIFEs";
    case DecodeError::kTooManyVifes:
      return "more than 10 VIFEs";
    case DecodeError::kReservedCoding:
      return "reserved DIF or LVAR";
  }
  return "unknown error";
}

namespace {

constexpr std::size_t kLongHeaderSize = 12;
constexpr std::size_t kShortHeaderSize = 4;

Header ReadLongHeader(std::span<const std::uint8_t> d) {
  Header h;
  h.identification = static_cast<std::uint32_t>(d[0] | d[1] << 8 | d[2] << 16) |
                     static_cast<std::uint32_t>(d[3]) << 24;
  h.manufacturer = static_cast<std::uint16_t>(d[4] | d[5] << 8);
  h.version = d[6];
  h.medium = d[7];
  h.access_number = d[8];
  h.status = d[9];
  h.signature = static_cast<std::uint16_t>(d[10] | d[11] << 8);
  return h;
}

DecodeOutcome Fail(DecodeError error) { return {std::nullopt, error}; }

}  // namespace

DecodeOutcome DecodeAnswer(const LongFrame& frame) {
  if ((frame.c & kFromMaster) != 0 || (frame.c & kFunctionMask) != kRspUdFunction) {
    return Fail(DecodeError::kNotAnAnswer);
  }
  Telegram t;
  t.c = frame.c;
  t.a = frame.a;
  t.ci = frame.ci;
  const std::span<const std::uint8_t> data(frame.data);
  std::span<const std::uint8_t> records;
  switch (frame.ci) {
    case 0x72:  // variable data, long header
      if (data.size() < kLongHeaderSize) return Fail(DecodeError::kTruncatedHeader);
      t.header = ReadLongHeader(data);
      records = data.subspan(kLongHeaderSize);
      break;
    case 0x7A:  // variable data, short header
      if (data.size() < kShortHeaderSize) return Fail(DecodeError::kTruncatedHeader);
      t.header.access_number = data[0];
      t.header.status = data[1];
      t.header.signature = static_cast<std::uint16_t>(data[2] | data[3] << 8);
      records = data.subspan(kShortHeaderSize);
      break;
    case 0x78:  // variable data, no header
      records = data;
      break;
    case 0x73:  // fixed data structure
      if (!DecodeFixedData(data, t)) return Fail(DecodeError::kTruncatedHeader);
      return {std::move(t), DecodeError::kNone};
    case 0x70:  // application error
      t.application_error = data.empty() ? std::uint8_t{0} : data[0];
      return {std::move(t), DecodeError::kNone};
    default:
      return Fail(DecodeError::kUnsupportedCi);
  }
  const DecodeError error = DecodeRecords(records, t.records, t.more_records_follow);
  if (error != DecodeError::kNone) return Fail(error);
  return {std::move(t), DecodeError::kNone};
}

}  // namespace keldar::bus
