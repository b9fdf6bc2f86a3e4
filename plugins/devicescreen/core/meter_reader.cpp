#include "core/meter_reader.h"

#include <cstring>

#include "core/bus_objects.h"

namespace devicescreen {

namespace {

constexpr int kResetAttempts = 2;  // a meter waking from sleep may miss the first SND_NKE
// A meter that announces further telegrams without end must not hold the
// screen busy forever; no real meter sends more than this.
constexpr int kMaxTelegrams = 64;
constexpr std::uint8_t kCiApplicationError = 0x70;

// One short-frame request and its parsed answer: the parser's result.
int Exchange(const BusPort& bus, std::uint8_t cField, std::uint8_t address,
             KeldarBusTelegram* telegram) {
  const auto* lib = bus.lib;
  BusBuffer buffer(lib);
  if (!buffer) return KELDAR_BUS_RESULT_FAILED;
  KeldarBusShortFrame* frame = telegram->short_frame;
  keldar_bus_ShortFrameClear(lib, frame);
  keldar_bus_SetCField(lib, frame, cField);
  keldar_bus_SetAField(lib, frame, address);
  keldar_bus_ShortFrameSerialize(lib, frame);
  keldar_bus_CProcessComPortWriteData(lib, bus.port, frame);
  keldar_bus_CProcessComPortReadData(lib, bus.port, buffer.get());
  return keldar_bus_ParserTelegram(lib, telegram, buffer.get());
}

MeterHeader HeaderOf(const KeldarBusTelegram& telegram) {
  MeterHeader header;
  header.ci = telegram.ci_field;
  header.identification = telegram.identification;
  header.manufacturer.assign(
      telegram.manufacturer_text,
      ::strnlen(telegram.manufacturer_text, sizeof telegram.manufacturer_text));
  header.version = telegram.version;
  header.medium = telegram.medium;
  header.accessNumber = telegram.access_number;
  header.status = telegram.status;
  return header;
}

// A DIF 1F that carries no data only says that another telegram follows.
bool IsBareAnnouncement(const KeldarBusDataInfoBlock& block) {
  return block.function == KELDAR_BUS_FUNCTION_MANUFACTURER && block.data_size == 0;
}

// Why an exchange failed: the port itself, or the meter's silence.
ReadStatus Failure(const BusPort& bus) {
  return keldar_bus_CProcessComPortGetStatus(bus.lib, bus.port) == 0 ? ReadStatus::PortUnavailable
                                                                     : ReadStatus::NoAnswer;
}

bool ResetLink(const BusPort& bus, std::uint8_t address, std::stop_token stop) {
  for (int attempt = 0; attempt < kResetAttempts && !stop.stop_requested(); ++attempt) {
    BusTelegram telegram(bus.lib);
    if (!telegram) return false;
    const std::uint8_t sndNke = keldar_bus_CFieldSND_NKE(bus.lib, telegram->short_frame);
    if (Exchange(bus, sndNke, address, telegram.get()) == KELDAR_BUS_RESULT_ACK) return true;
  }
  return false;
}

}  // namespace

ReadOutcome ReadMeter(const BusPort& bus, std::uint8_t address, std::stop_token stop) {
  ReadOutcome outcome;
  if (bus.lib == nullptr || bus.lib->module == nullptr || bus.port == nullptr) {
    outcome.status = ReadStatus::BusMissing;
    return outcome;
  }
  if (keldar_bus_CProcessComPortGetStatus(bus.lib, bus.port) == 0) {
    outcome.status = ReadStatus::PortUnavailable;
    return outcome;
  }
  if (!ResetLink(bus, address, stop)) {
    outcome.status = stop.stop_requested() ? ReadStatus::Stopped : Failure(bus);
    return outcome;
  }

  const auto* lib = bus.lib;
  MeterReading& reading = outcome.reading;
  for (int telegrams = 0; telegrams < kMaxTelegrams; ++telegrams) {
    if (stop.stop_requested()) {
      outcome.status = ReadStatus::Stopped;
      return outcome;
    }
    BusTelegram telegram(lib);
    if (!telegram) break;
    const std::uint8_t reqUd2 = keldar_bus_getCFieldREQ_UD2(lib, telegram->short_frame);
    if (Exchange(bus, reqUd2, address, telegram.get()) != KELDAR_BUS_RESULT_USER_DATA) {
      outcome.status = Failure(bus);
      return outcome;
    }
    if (telegram->ci_field == kCiApplicationError) {
      outcome.status = ReadStatus::DeviceError;
      outcome.errorText.assign(telegram->error_text,
                               ::strnlen(telegram->error_text, sizeof telegram->error_text));
      return outcome;
    }
    reading.header = HeaderOf(*telegram.get());
    ++reading.telegrams;
    const int count = keldar_bus_UserDataSize(lib, telegram->user_data);
    for (int i = 0; i < count; ++i) {
      const auto* block = keldar_bus_UserDataGetIndexData(lib, telegram->user_data, i);
      if (block == nullptr || IsBareAnnouncement(*block)) continue;
      reading.records.push_back(RecordFromBlock(*block));
    }
    if (keldar_bus_CheckErrors(lib, telegram.get(), telegram->long_frame) !=
        KELDAR_BUS_RESULT_MORE_RECORDS)
      break;
  }
  outcome.status = reading.telegrams > 0 ? ReadStatus::Done : ReadStatus::NoAnswer;
  return outcome;
}

}  // namespace devicescreen
