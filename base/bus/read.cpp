#include "base/bus/read.h"

#include <cstring>

#include "base/bus/constants.h"
#include "base/bus/exchange.h"
#include "base/bus/objects.h"
#include "base/bus/records.h"

namespace mbus {

namespace {

// Why exchange result `result` brought no user data: the port itself, what
// came instead, or the meter's silence.
ReadStatus Failure(const Link& link, int result) {
  if (!link.PortUsable()) return ReadStatus::PortUnavailable;
  if (result == kResultGarbage) return ReadStatus::Collision;
  if (result == kResultOtherAddress) return ReadStatus::OtherAddress;
  return ReadStatus::NoAnswer;
}

void CopyHeader(const KeldarBusTelegram& from, KeldarBusTelegram* to) {
  to->a_field = from.a_field;
  to->identification = from.identification;
  to->manufacturer = from.manufacturer;
  std::memcpy(to->manufacturer_text, from.manufacturer_text, sizeof to->manufacturer_text);
  to->version = from.version;
  to->medium = from.medium;
  to->access_number = from.access_number;
  to->status = from.status;
  to->signature = from.signature;
}

}  // namespace

ReadResult ReadTelegrams(const Link& link, std::uint8_t address, const TelegramHandler& handler) {
  const auto* lib = link.lib;
  ReadResult result;
  while (result.telegrams < kMaxTelegrams) {
    if (link.Stopping()) {
      result.status = ReadStatus::Stopped;
      return result;
    }
    Telegram telegram = NewTelegram(lib);
    if (!telegram) {
      result.status = ReadStatus::NoAnswer;
      return result;
    }
    const std::uint8_t reqUd2 = keldar_bus_getCFieldREQ_UD2(lib, telegram->short_frame);
    const int exchanged = ExchangeShortFrame(link, reqUd2, address, telegram.get());
    if (exchanged != KELDAR_BUS_RESULT_USER_DATA) {
      result.status = Failure(link, exchanged);
      return result;
    }
    if (telegram->ci_field == kCiApplicationError) {
      result.status = ReadStatus::DeviceError;
      result.errorText.assign(telegram->error_text,
                              ::strnlen(telegram->error_text, sizeof telegram->error_text));
      return result;
    }
    const bool more = keldar_bus_CheckErrors(lib, telegram.get(), telegram->long_frame) ==
                      KELDAR_BUS_RESULT_MORE_RECORDS;
    telegram->more_records_follow = more ? 1 : 0;
    ++result.telegrams;
    if (handler) handler(*telegram);
    if (!more) break;
  }
  result.status = ReadStatus::Done;
  return result;
}

ReadResult ReadUserData(const Link& link, std::uint8_t address, KeldarBusTelegram* target) {
  const auto* lib = link.lib;
  return ReadTelegrams(link, address, [&](const KeldarBusTelegram& telegram) {
    target->c_field = telegram.c_field;
    target->ci_field = telegram.ci_field;
    target->more_records_follow = telegram.more_records_follow;
    if (telegram.ci_field == kCiVariableData) CopyHeader(telegram, target);
    for (const auto* record : TelegramRecords(lib, telegram)) {
      if (auto* copy = keldar_bus_CopyDataInfoBlock(lib, record))
        keldar_bus_UserDataPushBack(lib, target->user_data, copy);
    }
  });
}

}  // namespace mbus
