#include "abi_builders.h"

#include <ctime>
#include <string>

#include "abi_frames.h"
#include "request_builder.h"

namespace keldar::bus::abi {

namespace {

constexpr std::uint8_t kPulseInputVife = 0x28;   // + channel: per input pulse
constexpr std::uint8_t kPulseOutputVife = 0x2A;  // + channel: per output pulse

std::string Text(const char* text) { return text != nullptr ? std::string(text) : std::string(); }

DateTime LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  DateTime d;
  d.year = local.tm_year + 1900;
  d.month = local.tm_mon + 1;
  d.day = local.tm_mday;
  d.hour = local.tm_hour;
  d.minute = local.tm_min;
  d.second = local.tm_sec;
  d.summer_time = local.tm_isdst > 0;
  return d;
}

int32_t Pulse(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit, int32_t channel,
              std::uint8_t first_vife) {
  if (channel != 0 && channel != 1) return StoreRequest(f, std::nullopt);
  const auto vife = static_cast<std::uint8_t>(first_vife + channel);
  return StoreRequest(f, requests::SelectForReadout(a, unit, {0x93, vife}));
}

int32_t SetPulse(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit, int32_t channel,
                 std::uint8_t first_vife, std::uint32_t litres) {
  if (channel != 0 && channel != 1) return StoreRequest(f, std::nullopt);
  return StoreRequest(f, requests::SetIncrementPulse(a, unit, first_vife + channel, litres));
}

}  // namespace

int32_t BuildSetAddress(KeldarBusLongFrame* f, std::uint8_t a, std::uint64_t value,
                        int32_t secondary) {
  if (secondary == 0) return StoreRequest(f, requests::SetPrimaryAddress(a, value));
  if (secondary == 1) return StoreRequest(f, requests::SetSecondaryAddress(a, value));
  return StoreRequest(f, std::nullopt);
}

int32_t BuildSetSerialNumber(KeldarBusLongFrame* f, std::uint8_t a, std::int64_t serial) {
  return StoreRequest(f, requests::SetSerialNumber(a, serial));
}

int32_t BuildSetDeviceType(KeldarBusLongFrame* f, std::uint8_t a, std::uint8_t medium) {
  return StoreRequest(f, requests::SetDeviceType(a, medium));
}

int32_t BuildSetDeviceSpeed(KeldarBusLongFrame* f, std::uint8_t a, int32_t baud) {
  return StoreRequest(f, requests::SetDeviceSpeed(a, baud));
}

int32_t BuildSetLocalTime(KeldarBusLongFrame* f, std::uint8_t a, const KeldarBusDateTime* time) {
  DateTime when = LocalNow();
  if (time != nullptr) {
    when.year = time->year;
    when.month = time->month;
    when.day = time->day;
    when.hour = time->hour;
    when.minute = time->minute;
    when.summer_time = time->summer_time != 0;
  }
  return StoreRequest(f, requests::SetLocalTime(a, when));
}

int32_t BuildSetSecondaryAddressing(KeldarBusLongFrame* f, std::int64_t id, int32_t reserved,
                                    const char* manufacturer, int32_t version, int32_t medium,
                                    const char* model) {
  if (reserved != 0) return StoreRequest(f, std::nullopt);
  return StoreRequest(
      f, requests::SelectSecondary(id, Text(manufacturer), version, medium, Text(model)));
}

int32_t BuildGetDeviceModel(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit) {
  return StoreRequest(f, requests::SelectForReadout(a, unit, {0xFD, 0x0C}));
}
int32_t BuildGetOtherSoftware(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit) {
  return StoreRequest(f, requests::SelectForReadout(a, unit, {0xFD, 0x0F}));
}
int32_t BuildGetSecondaryAddress(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit) {
  return StoreRequest(f, requests::SelectForReadout(a, unit, {0x79}));
}
int32_t BuildGetPrimaryAddress(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit) {
  return StoreRequest(f, requests::SelectForReadout(a, unit, {0x7A}));
}
int32_t BuildGetDeviceType(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit) {
  return StoreRequest(f, requests::SelectForReadout(a, unit, {0xFD, 0x09}));
}
int32_t BuildGetSerialNumber(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit) {
  return StoreRequest(f, requests::SelectForReadout(a, unit, {0x78}));
}
int32_t BuildGetErrorFlags(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit) {
  return StoreRequest(f, requests::SelectForReadout(a, unit, {0xFD, 0x17}));
}
int32_t BuildGetDateTime(KeldarBusLongFrame* f, std::uint8_t a) {
  return StoreRequest(f, requests::SelectForReadout(a, 0, {0x6D}));
}
int32_t BuildGetInputPulse(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit, int32_t input) {
  return Pulse(f, a, unit, input, kPulseInputVife);
}
int32_t BuildGetOutputPulse(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit, int32_t output) {
  return Pulse(f, a, unit, output, kPulseOutputVife);
}
int32_t BuildSetInputPulse(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit, int32_t input,
                           std::uint32_t litres) {
  return SetPulse(f, a, unit, input, kPulseInputVife, litres);
}
int32_t BuildSetOutputPulse(KeldarBusLongFrame* f, std::uint8_t a, int32_t unit, int32_t output,
                            std::uint32_t litres) {
  return SetPulse(f, a, unit, output, kPulseOutputVife, litres);
}
int32_t BuildArchiveRecords(KeldarBusLongFrame* f, std::uint8_t a, std::uint32_t storage) {
  // VIF 7E: any value of that storage number.
  return StoreRequest(f, requests::SelectForReadout(a, 0, {0x7E}, storage));
}
int32_t BuildGlobalReadout(KeldarBusLongFrame* f, std::uint8_t a) {
  return StoreRequest(f, requests::GlobalReadout(a));
}

int32_t BuildNothing(KeldarBusLongFrame* f) { return StoreRequest(f, std::nullopt); }

}  // namespace keldar::bus::abi
