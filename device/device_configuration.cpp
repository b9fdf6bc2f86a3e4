#include "device/device_configuration.h"

#include <algorithm>
#include <cstdio>

#include "base/bus/constants.h"
#include "base/bus/exchange.h"
#include "base/bus/objects.h"
#include "base/bus/read.h"
#include "base/bus/records.h"
#include "base/bus/selection.h"
#include "base/platform/text.h"
#include "device/device_list.h"
#include "device/device_record.h"

namespace {

constexpr std::int64_t kHighestPrimary = 252;
constexpr std::uint64_t kHighestSecondary = 0x99999999;

}  // namespace

std::uint64_t HexTextToUInt64(const char* text) {
  std::uint64_t value = 0;
  for (const char* p = text; p != nullptr && *p != '\0'; ++p) {
    const auto c = static_cast<unsigned char>(*p);
    unsigned digit = c & 0x0F;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    value = (value << 4) + digit;
  }
  return value;
}

std::int64_t LeadingDecimal(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value > (INT64_MAX - 9) / 10) break;  // longer than any edit holds
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

bool HasGap(const std::string& text) {
  const auto blank = text.find(' ');
  return blank != std::string::npos && text.find_first_of("0123456789", blank) != std::string::npos;
}

std::string CorrectPrimaryText(const std::string& text) {
  const auto value = static_cast<std::uint16_t>(LeadingDecimal(text));
  return value > kHighestPrimary ? "252" : text;
}

std::string CorrectSecondaryText(const std::string& text) {
  return HexTextToUInt64(text.c_str()) > kHighestSecondary ? "99999999" : text;
}

DeviceConfiguration::DeviceConfiguration(mbus::Link link, KeldarDeviceRecord& record)
    : link_(std::move(link)), record_(record) {}

int DeviceConfiguration::Send(KeldarBusTelegram* telegram) const {
  return mbus::SendLongFrame(link_, telegram);
}

DeviceConfiguration::Addresses DeviceConfiguration::ReadAddresses() const {
  const auto* lib = link_.lib;
  Addresses addresses;
  mbus::Telegram telegram = mbus::NewTelegram(lib);

  keldar_bus_LongFrameClear(lib, telegram->long_frame);
  keldar_bus_GetSecondaryAddress(lib, telegram->long_frame, Address(), 0);
  keldar_bus_UserDataClear(lib, telegram->user_data);
  if (Send(telegram.get()) == KELDAR_BUS_RESULT_ACK &&
      mbus::Succeeded(mbus::ReadUserData(link_, Address(), telegram.get()))) {
    for (const auto* record : mbus::TelegramRecords(lib, *telegram)) {
      if (record->vif != mbus::kVifSecondaryAddress) continue;
      char text[16];
      std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(record->value & 0xFFFFFFFFu));
      addresses.secondary = text;
    }
  }

  keldar_bus_LongFrameClear(lib, telegram->long_frame);
  keldar_bus_GetPrimaryAddress(lib, telegram->long_frame, Address(), 0);
  keldar_bus_UserDataClear(lib, telegram->user_data);
  if (Send(telegram.get()) != KELDAR_BUS_RESULT_ACK) return addresses;
  if (!mbus::Succeeded(mbus::ReadUserData(link_, Address(), telegram.get()))) {
    addresses.primaryReadout = PrimaryReadout::InvalidResponse;
    return addresses;
  }
  addresses.primaryReadout = PrimaryReadout::Received;
  for (const auto* record : mbus::TelegramRecords(lib, *telegram)) {
    if (record->vif != mbus::kVifBusAddress) continue;
    char text[24];
    std::snprintf(text, sizeof text, "%03u", static_cast<unsigned>(record->value & 0xFFFFu));
    addresses.primary = text;
  }
  return addresses;
}

bool DeviceConfiguration::OneMeterAnswers(bool& several) const {
  // Every meter answers 254 at once: their acknowledgements merge into one E5,
  // but their user data collide into bytes that make no frame.
  several = false;
  mbus::Telegram telegram = mbus::NewTelegram(link_.lib);
  if (!telegram) return false;
  const std::uint8_t reqUd2 = keldar_bus_getCFieldREQ_UD2(link_.lib, telegram->short_frame);
  const int answer = mbus::SendShortFrame(link_, reqUd2, Address(), telegram.get());
  several = answer == mbus::kResultGarbage;
  return answer == KELDAR_BUS_RESULT_USER_DATA;
}

DeviceConfiguration::Outcome DeviceConfiguration::ReadyToWrite() const {
  if (Address() == mbus::kAddressAny) {
    bool several = false;
    if (!OneMeterAnswers(several))
      return several ? Outcome::SeveralMeters : Outcome::InvalidResponse;
  }
  // No write follows a reset the meter did not acknowledge. At 253 the meter is
  // selected anew instead: a reset there would end a standard meter's selection.
  const bool ready =
      Address() == mbus::kAddressSelected
          ? mbus::Select(link_,
                         selection_ ? *selection_ : IdentifiedDevices().SelectionReaching(record_))
          : mbus::Ping(link_, Address()) == KELDAR_BUS_RESULT_ACK;
  return ready ? Outcome::Acknowledged : Outcome::InvalidResponse;
}

DeviceConfiguration::Outcome DeviceConfiguration::SetDeviceType(std::uint8_t code) {
  if (const Outcome ready = ReadyToWrite(); ready != Outcome::Acknowledged) return ready;
  mbus::Telegram telegram = mbus::NewTelegram(link_.lib);
  keldar_bus_LongFrameClear(link_.lib, telegram->long_frame);
  keldar_bus_SetDeviceType(link_.lib, telegram->long_frame, Address(), code);
  if (Send(telegram.get()) != KELDAR_BUS_RESULT_ACK) return Outcome::Rejected;
  record_.device_type = code;
  return Outcome::Acknowledged;
}

DeviceConfiguration::Outcome DeviceConfiguration::SetSerialNumber(const std::string& serialText) {
  if (const Outcome ready = ReadyToWrite(); ready != Outcome::Acknowledged) return ready;
  mbus::Telegram telegram = mbus::NewTelegram(link_.lib);
  keldar_bus_LongFrameClear(link_.lib, telegram->long_frame);
  // A refused build leaves the frame empty; the meter then rejects nothing it understood.
  if (keldar_bus_SetSerialNumber(link_.lib, telegram->long_frame, Address(),
                                 LeadingDecimal(serialText)) == 0)
    return Outcome::Rejected;
  if (Send(telegram.get()) != KELDAR_BUS_RESULT_ACK) return Outcome::Rejected;
  platform::CopyToField(record_.serial, platform::Utf8Prefix(serialText, 8));
  return Outcome::Acknowledged;
}

DeviceConfiguration::AddressChange DeviceConfiguration::SetAddresses(
    const std::string& primaryText, const std::string& secondaryText) {
  AddressChange change;
  const Outcome primary = SetPrimaryAddress(primaryText);
  change.severalMeters = primary == Outcome::SeveralMeters;
  change.primary = primary == Outcome::Acknowledged;
  if (change.severalMeters) return change;  // the secondary would reach them all too
  // Sent whatever became of the primary address; after a change, to the new one.
  change.secondary = SetSecondaryAddress(secondaryText) == Outcome::Acknowledged;
  return change;
}

DeviceConfiguration::Outcome DeviceConfiguration::SetPrimaryAddress(
    const std::string& primaryText) {
  const std::int64_t primary = std::min(LeadingDecimal(primaryText.substr(0, 5)), kHighestPrimary);
  if (const Outcome ready = ReadyToWrite(); ready != Outcome::Acknowledged) return ready;
  mbus::Telegram telegram = mbus::NewTelegram(link_.lib);
  keldar_bus_LongFrameClear(link_.lib, telegram->long_frame);
  keldar_bus_SetAddress(link_.lib, telegram->long_frame, Address(),
                        static_cast<std::uint64_t>(primary), 0);
  if (Send(telegram.get()) != KELDAR_BUS_RESULT_ACK) return Outcome::Rejected;
  record_.address = static_cast<std::uint8_t>(primary);
  return Outcome::Acknowledged;
}

DeviceConfiguration::Outcome DeviceConfiguration::SetSecondaryAddress(
    const std::string& secondaryText) {
  const std::uint64_t secondary =
      std::min(HexTextToUInt64(secondaryText.c_str()), kHighestSecondary);
  if (const Outcome ready = ReadyToWrite(); ready != Outcome::Acknowledged) return ready;
  mbus::Telegram telegram = mbus::NewTelegram(link_.lib);
  keldar_bus_LongFrameClear(link_.lib, telegram->long_frame);
  keldar_bus_SetAddress(link_.lib, telegram->long_frame, Address(), secondary, 1);
  return Send(telegram.get()) == KELDAR_BUS_RESULT_ACK ? Outcome::Acknowledged : Outcome::Rejected;
}
