#include "core/meter_reader.h"

#include <cstring>

#include "base/bus/exchange.h"
#include "base/bus/read.h"
#include "base/bus/records.h"

namespace devicescreen {

namespace {

constexpr int kResetAttempts = 2;  // a meter waking from sleep may miss the first SND_NKE

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

bool WakeLink(const mbus::Link& link, std::uint8_t address) {
  // A stopped link sends nothing: the reset fails at once.
  for (int attempt = 0; attempt < kResetAttempts; ++attempt) {
    if (mbus::ResetLink(link, address)) return true;
  }
  return false;
}

ReadStatus StatusOf(mbus::ReadStatus status) {
  switch (status) {
    case mbus::ReadStatus::Done:
      return ReadStatus::Done;
    case mbus::ReadStatus::PortUnavailable:
      return ReadStatus::PortUnavailable;
    case mbus::ReadStatus::DeviceError:
      return ReadStatus::DeviceError;
    case mbus::ReadStatus::Stopped:
      return ReadStatus::Stopped;
    case mbus::ReadStatus::NoAnswer:
    case mbus::ReadStatus::Collision:
    case mbus::ReadStatus::OtherAddress:  // never shown as this meter's data
      break;
  }
  return ReadStatus::NoAnswer;
}

}  // namespace

ReadOutcome ReadMeter(const BusPort& bus, std::uint8_t address, std::stop_token stop) {
  ReadOutcome outcome;
  if (bus.lib == nullptr || bus.lib->module == nullptr || bus.port == nullptr) {
    outcome.status = ReadStatus::BusMissing;
    return outcome;
  }
  const mbus::Link link{bus.lib, bus.port, [&stop] { return stop.stop_requested(); }};
  if (!link.PortUsable()) {
    outcome.status = ReadStatus::PortUnavailable;
    return outcome;
  }
  if (!WakeLink(link, address)) {
    outcome.status = link.Stopping()     ? ReadStatus::Stopped
                     : link.PortUsable() ? ReadStatus::NoAnswer
                                         : ReadStatus::PortUnavailable;
    return outcome;
  }

  MeterReading& reading = outcome.reading;
  const mbus::ReadResult read =
      mbus::ReadTelegrams(link, address, [&](const KeldarBusTelegram& telegram) {
        reading.header = HeaderOf(telegram);
        ++reading.telegrams;
        for (const auto* block : mbus::TelegramRecords(bus.lib, telegram)) {
          if (!IsBareAnnouncement(*block)) reading.records.push_back(RecordFromBlock(*block));
        }
      });
  outcome.status = StatusOf(read.status);
  outcome.errorText = read.errorText;
  return outcome;
}

}  // namespace devicescreen
