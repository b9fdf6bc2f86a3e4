#include "abi_telegram.h"

#include <array>

#include "abi_frames.h"
#include "abi_objects.h"
#include "date_types.h"
#include "telegram_decoder.h"

namespace keldar::bus::abi {

namespace {

void StoreHeader(KeldarBusTelegram& out, const Telegram& t) {
  out.c_field = t.c;
  out.a_field = t.a;
  out.ci_field = t.ci;
  out.identification = t.header.identification;
  out.manufacturer = t.header.manufacturer;
  CopyText(out.manufacturer_text, ManufacturerLetters(t.header.manufacturer));
  out.version = t.header.version;
  out.medium = t.header.medium;
  out.access_number = t.header.access_number;
  out.status = t.header.status;
  out.signature = t.header.signature;
  out.more_records_follow = t.more_records_follow ? 1 : 0;
  out.application_error = t.application_error ? *t.application_error : -1;
  CopyText(out.error_text, t.application_error ? ApplicationErrorText(*t.application_error) : "");
}

}  // namespace

int32_t ParseTelegram(KeldarBusTelegram* telegram, const KeldarBusData* buffer) {
  if (telegram == nullptr || buffer == nullptr) return KELDAR_BUS_RESULT_FAILED;
  const auto frame = DecodeFrame(DataBytes(*buffer));
  if (!frame) return KELDAR_BUS_RESULT_FAILED;
  if (std::holds_alternative<Ack>(*frame)) return KELDAR_BUS_RESULT_ACK;
  const auto* long_frame = std::get_if<LongFrame>(&*frame);
  if (long_frame == nullptr) return KELDAR_BUS_RESULT_FAILED;
  if (telegram->long_frame != nullptr) StoreLongFrame(*telegram->long_frame, *long_frame);

  const DecodeOutcome outcome = DecodeAnswer(*long_frame);
  if (!outcome.telegram) return KELDAR_BUS_RESULT_FAILED;
  StoreHeader(*telegram, *outcome.telegram);
  for (const Record& record : outcome.telegram->records) {
    UserDataPushBack(telegram->user_data, ToAbiRecord(record).release());
  }
  return KELDAR_BUS_RESULT_USER_DATA;
}

int32_t CheckErrors(KeldarBusTelegram* target, const KeldarBusLongFrame* frame) {
  constexpr int32_t kUndecodable = KELDAR_BUS_RESULT_NO_USER_DATA;
  constexpr int32_t kApplicationError = KELDAR_BUS_RESULT_ERROR_ANSWER;
  if (frame == nullptr) return kUndecodable;
  const auto value = ReadLongFrame(*frame);
  if (!value) return kUndecodable;
  const DecodeOutcome outcome = DecodeAnswer(*value);
  if (!outcome.telegram) return kUndecodable;
  if (outcome.telegram->application_error) return kApplicationError;
  const bool more = outcome.telegram->more_records_follow;
  if (target != nullptr) target->more_records_follow = more ? 1 : 0;
  return more ? KELDAR_BUS_RESULT_MORE_RECORDS : KELDAR_BUS_RESULT_LAST_TELEGRAM;
}

int32_t DecodeDate(KeldarBusDateTime* date, char type, std::uint64_t value) {
  if (date == nullptr) return 0;
  *date = KeldarBusDateTime{};
  date->type = type;
  std::array<std::uint8_t, 8> bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
  DateTime decoded;
  switch (type) {
    case 'G':
      decoded = DecodeTypeG(std::span(bytes).first<2>());
      break;
    case 'F':
      decoded = DecodeTypeF(std::span(bytes).first<4>());
      break;
    case 'I':
      decoded = DecodeTypeI(std::span(bytes).first<6>());
      break;
    default:
      return 0;
  }
  date->year = decoded.year;
  date->month = decoded.month;
  date->day = decoded.day;
  date->hour = decoded.hour;
  date->minute = decoded.minute;
  date->second = decoded.second;
  date->valid = decoded.valid ? 1 : 0;
  date->summer_time = decoded.summer_time ? 1 : 0;
  return IsTimePoint(decoded) ? 1 : 0;
}

}  // namespace keldar::bus::abi
