#include "device/identification.h"

#include <cstdio>
#include <cstring>

#include "base/core/ini_file.h"
#include "base/platform/text.h"
#include "device/configurator.h"
#include "device/device_record.h"
#include "device/firmware_catalogue.h"

namespace {

constexpr std::uint8_t kCiVariableData = 0x72;
constexpr std::uint8_t kVifPulseWeight = 0x13;  // 0x93 without its extension bit
constexpr std::uint8_t kVifeInput0 = 0x28;
constexpr std::uint8_t kVifeInput1 = 0x29;
constexpr std::uint8_t kVifSecondaryAddress = 0x79;
constexpr int kSoftwareVersionSize = 30;
constexpr int kSubDeviceModelSize = 51;

bool QualifiesAsPulseWeight(const KeldarBusDataInfoBlock& record, std::uint8_t vife) {
  return record.kind == 1 && record.vif == kVifPulseWeight && HasVife(record, vife) &&
         record.value != 0;
}

}  // namespace

bool IsAcceptedManufacturer(const std::string& letters) {
  return letters == "KRV" || letters == "PTX" || letters == "MLD";
}

Identification::Identification(BusLink link, CConfigurator& configurator,
                               FirmwareCatalogue& catalogue, CIniFile& settings,
                               IdentifyTexts texts, IdentifyObserver& observer)
    : link_(std::move(link)),
      configurator_(configurator),
      catalogue_(catalogue),
      settings_(settings),
      texts_(std::move(texts)),
      observer_(observer) {}

bool Identification::PortUsable() const {
  return keldar_bus_CProcessComPortGetStatus(link_.lib, link_.port) != 0;
}

void Identification::SetProgress(int progress) {
  outcome_.progress = progress;
  observer_.ShowProgress(outcome_.progress, status_);
}

void Identification::Advance(int step) { SetProgress(outcome_.progress + step); }

IdentifyOutcome Identification::Run(const IdentifyRequest& request) {
  request_ = request;
  outcome_ = IdentifyOutcome{};
  currentSpeed_ = 300;
  status_ = texts_.connecting;
  observer_.ShowProgress(outcome_.progress, status_);
  if (PortUsable()) SearchSpeed();

  observer_.Finish(outcome_.selectionOpened);
  if (!outcome_.selectionOpened) {
    keldar_bus_DeleteCProcessComPort(link_.lib, link_.port);
    link_.port = nullptr;
  }
  return outcome_;
}

void Identification::SearchSpeed() {
  const auto address = static_cast<std::uint8_t>(request_.address);
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    Advance();
    if (!PortUsable() || link_.Stopping()) {
      outcome_.selectionOpened = false;
      return;
    }
    if (configurator_.Ping(link_, address) == KELDAR_BUS_RESULT_ACK) {
      outcome_.foundSpeed = currentSpeed_;
      Advance();
      Read();
      return;
    }
    if (attempt == kMaxAttempts - 1) {
      SetProgress(kProgressMaximum);
      return;
    }
    currentSpeed_ *= 2;
    keldar_bus_CProcessComPortSetSpeed(link_.lib, link_.port, currentSpeed_);
    if (!PortUsable()) {
      outcome_.selectionOpened = false;
      return;
    }
  }
}

void Identification::Read() {
  BusTelegram answer(link_.lib);
  for (int read = 0; read < 2; ++read) {
    if (configurator_.ReadUserData(link_, static_cast<std::uint8_t>(request_.address),
                                   answer.get()) != KELDAR_BUS_RESULT_USER_DATA)
      continue;
    Advance();
    if (answer->ci_field == kCiVariableData) {
      Identify(answer.get());
      break;
    }
  }
  SetProgress(kProgressMaximum);
}

void Identification::Identify(KeldarBusTelegram* answer) {
  manufacturer_.assign(answer->manufacturer_text,
                       ::strnlen(answer->manufacturer_text, sizeof answer->manufacturer_text));
  outcome_.manufacturer = manufacturer_;
  outcome_.medium = answer->medium;
  const auto address = static_cast<std::uint8_t>(request_.address);

  if (request_.requestedSpeed != currentSpeed_) {
    BusTelegram speed(link_.lib);
    keldar_bus_LongFrameClear(link_.lib, speed->long_frame);
    keldar_bus_SetDeviceSpeed(link_.lib, speed->long_frame, address, request_.requestedSpeed);
    if (configurator_.SendLongFrame(link_, speed.get()) == KELDAR_BUS_RESULT_ACK) {
      keldar_bus_CProcessComPortSetSpeed(link_.lib, link_.port, request_.requestedSpeed);
      currentSpeed_ = request_.requestedSpeed;
      outcome_.switched = true;
      configurator_.Ping(link_, address);
      Advance();
    }
  } else {
    outcome_.switched = true;
  }

  status_ = texts_.connected;
  SetProgress(kProgressMaximum);
  configurator_.ClearDevices();

  const bool accepted = IsAcceptedManufacturer(manufacturer_);
  if (accepted) {
    status_ = texts_.readingConfiguration;
    SetProgress(0);
    ReadConfiguration(address);
    if (configurator_.DeviceCount() > 0)
      outcome_.selectionOpened = observer_.OpenSelection();
    else
      observer_.DeviceInformationNotFound();
  }
  settings_.WriteValue("SERIAL", "COM", request_.devicePath.c_str());
  settings_.WriteValue("SERIAL", "BAUD", std::to_string(request_.requestedSpeed).c_str());
}

void Identification::ReadConfiguration(std::uint8_t address) {
  const auto* lib = link_.lib;
  BusTelegram answer(lib);
  char softwareVersion[kSoftwareVersionSize] = {};
  configurator_.ReadOtherSoftwareVersion(link_, address, softwareVersion, sizeof softwareVersion,
                                         0);

  if (configurator_.Ping(link_, address) != KELDAR_BUS_RESULT_ACK) return;
  Advance();
  if (configurator_.ReadUserData(link_, address, answer.get()) != KELDAR_BUS_RESULT_USER_DATA)
    return;
  Advance();

  catalogue_.Find(manufacturer_.c_str(), answer->version, softwareVersion);
  KeldarDeviceRecord record = catalogue_.Result();
  record.address = address;
  platform::CopyToField(record.manufacturer, manufacturer_);
  char serial[16];
  std::snprintf(serial, sizeof serial, "%08X", static_cast<unsigned>(answer->identification));
  platform::CopyToField(record.serial, serial);
  record.device_type = answer->medium;
  configurator_.ReadDeviceModel(link_, address, record.model, sizeof record.model, 0);
  const std::int32_t subunits = record.subunit;
  configurator_.AddDevice(record);

  if (std::strstr(softwareVersion, "/V") != nullptr || subunits <= 0) return;
  Advance();
  for (const int unit : ScanSubUnits(address)) {
    if (configurator_.Ping(link_, address) != KELDAR_BUS_RESULT_ACK) continue;
    BusTelegram request(lib);
    keldar_bus_LongFrameClear(lib, request->long_frame);
    keldar_bus_GetSecondaryAddress(lib, request->long_frame, address, unit);
    if (configurator_.SendLongFrame(link_, request.get()) != KELDAR_BUS_RESULT_ACK) continue;
    BusTelegram secondary(lib);
    if (configurator_.ReadUserData(link_, address, secondary.get()) != KELDAR_BUS_RESULT_USER_DATA)
      continue;
    for (const auto* found : TelegramRecords(lib, secondary.get()).All()) {
      if (found->vif != kVifSecondaryAddress) continue;
      if (configurator_.Ping(link_, address) != KELDAR_BUS_RESULT_ACK) continue;
      Advance();
      char model[kSubDeviceModelSize] = {};
      configurator_.ReadDeviceModel(link_, address, model, sizeof model, unit);
      BusTelegram selection(lib);
      keldar_bus_LongFrameClear(lib, selection->long_frame);
      keldar_bus_SetSecondaryAddressing(lib, selection->long_frame, KELDAR_BUS_WILDCARD_ID, 0,
                                        manufacturer_.c_str(), 255, 255, model);
      if (configurator_.SendLongFrame(link_, selection.get()) == KELDAR_BUS_RESULT_ACK)
        ReadConfiguration(KELDAR_BUS_ADDRESS_SELECTED);
    }
  }
}

bool Identification::RequestPulseWeight(std::uint8_t address, int unit, int input,
                                        KeldarBusTelegram* answer) {
  BusTelegram request(link_.lib);
  keldar_bus_LongFrameClear(link_.lib, request->long_frame);
  keldar_bus_GetIncrementInputPulse(link_.lib, request->long_frame, address, unit, input);
  return configurator_.SendLongFrame(link_, request.get()) == KELDAR_BUS_RESULT_ACK &&
         configurator_.ReadUserData(link_, address, answer) == KELDAR_BUS_RESULT_USER_DATA;
}

std::vector<int> Identification::ScanSubUnits(std::uint8_t address) {
  std::vector<int> units;
  const auto* lib = link_.lib;
  // A pulse weight on input b means a device hangs there as sub-unit b + 1;
  // that sub-unit then reports its weight under VIFE 0x28.
  const struct {
    int input;
    std::uint8_t vife;
    int subUnit;
  } inputs[] = {{0, kVifeInput0, 1}, {1, kVifeInput1, 2}};
  for (const auto& in : inputs) {
    BusTelegram weights(lib);
    if (!RequestPulseWeight(address, 0, in.input, weights.get())) continue;
    for (const auto* record : TelegramRecords(lib, weights.get()).All()) {
      if (!QualifiesAsPulseWeight(*record, in.vife)) continue;
      BusTelegram subUnit(lib);
      if (!RequestPulseWeight(address, in.subUnit, 0, subUnit.get())) continue;
      for (const auto* weight : TelegramRecords(lib, subUnit.get()).All()) {
        if (QualifiesAsPulseWeight(*weight, kVifeInput0))
          units.push_back(static_cast<int>(weight->unit));
      }
    }
  }
  return units;
}
