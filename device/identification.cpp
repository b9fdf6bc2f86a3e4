#include "device/identification.h"

#include <cstdio>
#include <cstring>

#include "base/bus/constants.h"
#include "base/bus/exchange.h"
#include "base/bus/gateway_address.h"
#include "base/bus/objects.h"
#include "base/bus/read.h"
#include "base/bus/records.h"
#include "base/bus/selection.h"
#include "base/core/ini_file.h"
#include "base/platform/text.h"
#include "device/device_list.h"
#include "device/device_record.h"
#include "device/firmware_catalogue.h"

namespace {

constexpr int kSoftwareVersionSize = 30;
constexpr int kSubDeviceModelSize = 51;

bool QualifiesAsPulseWeight(const KeldarBusDataInfoBlock& record, std::uint8_t vife) {
  return record.kind == 1 && record.vif == mbus::kVifPulseWeight && mbus::HasVife(record, vife) &&
         record.value != 0;
}

}  // namespace

bool IsAcceptedManufacturer(const std::string& letters) {
  return letters == "KRV" || letters == "PTX" || letters == "MLD";
}

Identification::Identification(mbus::Link link, DeviceList& devices, FirmwareCatalogue& catalogue,
                               IniFile& settings, IdentifyTexts texts, IdentifyObserver& observer)
    : link_(std::move(link)),
      devices_(devices),
      catalogue_(catalogue),
      settings_(settings),
      texts_(std::move(texts)),
      observer_(observer) {}

bool Identification::PortUsable() const { return link_.PortUsable(); }

std::uint8_t Identification::Address() const {
  return request_.selection ? mbus::kAddressSelected : static_cast<std::uint8_t>(request_.address);
}

void Identification::SetProgress(int progress) {
  outcome_.progress = progress;
  observer_.ShowProgress(outcome_.progress, status_);
}

void Identification::Advance(int step) { SetProgress(outcome_.progress + step); }

void Identification::Explain(IdentifyReason reason) {
  outcome_.explanation.reason = reason;
  outcome_.explanation.speed = outcome_.foundSpeed;
  outcome_.explanation.maker = manufacturer_;
}

IdentifyOutcome Identification::Run(const IdentifyRequest& request) {
  request_ = request;
  outcome_ = IdentifyOutcome{};
  informationNotFound_ = false;
  manufacturer_.clear();
  currentSpeed_ = 300;
  if (!mbus::HasSpeedCode(request_.requestedSpeed)) {
    outcome_.speedRefused = true;
    observer_.Finish(false);
    keldar_bus_DeleteCProcessComPort(link_.lib, link_.port);
    link_.port = nullptr;
    return outcome_;
  }
  status_ = texts_.connecting;
  outcome_.explanation.address = Address();
  outcome_.explanation.port = request_.devicePath;
  observer_.ShowProgress(outcome_.progress, status_);
  if (PortUsable()) SearchSpeed();
  if (link_.Stopping()) outcome_.explanation.reason = IdentifyReason::None;
  if (outcome_.explanation.reason != IdentifyReason::None && !informationNotFound_)
    observer_.NothingFound(outcome_.explanation);

  observer_.Finish(outcome_.selectionOpened);
  if (!outcome_.selectionOpened) {
    keldar_bus_DeleteCProcessComPort(link_.lib, link_.port);
    link_.port = nullptr;
  }
  return outcome_;
}

void Identification::SearchSpeed() {
  const auto address = Address();
  bool garbage = false;  // bytes that made no frame came at some speed
  // A gateway's bus runs at the speed it was set up for: the one asked for is
  // tried alone, and only times the answers (nothing changes on the wire).
  const bool gateway = mbus::IsGatewayPath(request_.devicePath);
  if (gateway) {
    currentSpeed_ = request_.requestedSpeed;
    keldar_bus_CProcessComPortSetSpeed(link_.lib, link_.port, currentSpeed_);
    status_ = texts_.fixedSpeed;
  }
  const int attempts = gateway ? 1 : kMaxAttempts;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    Advance();
    if (!PortUsable() || link_.Stopping()) {
      outcome_.selectionOpened = false;
      Explain(IdentifyReason::PortLost);
      return;
    }
    outcome_.explanation.speedsTried.push_back(currentSpeed_);
    // A meter reached by selection starts its link afresh when selected.
    const int reset = request_.selection ? mbus::SendSelection(link_, *request_.selection)
                                         : mbus::Ping(link_, address);
    if (reset == KELDAR_BUS_RESULT_ACK) {
      outcome_.foundSpeed = currentSpeed_;
      Advance();
      Read();
      return;
    }
    garbage = garbage || reset == mbus::kResultGarbage;
    if (!PortUsable()) {
      Explain(IdentifyReason::PortLost);
      return;
    }
    if (attempt == attempts - 1) {
      SetProgress(kProgressMaximum);
      Explain(garbage ? IdentifyReason::Collision : IdentifyReason::NoAnswer);
      return;
    }
    currentSpeed_ *= 2;
    keldar_bus_CProcessComPortSetSpeed(link_.lib, link_.port, currentSpeed_);
    if (!PortUsable()) {
      outcome_.selectionOpened = false;
      Explain(IdentifyReason::PortLost);
      return;
    }
  }
}

void Identification::Read() {
  mbus::Telegram answer = mbus::NewTelegram(link_.lib);
  // The meter acknowledged: whatever stops it now is what it sent, or did not.
  IdentifyReason failure = IdentifyReason::NotVariableData;
  for (int read = 0; read < 2; ++read) {
    const mbus::ReadResult result = mbus::ReadUserData(link_, Address(), answer.get());
    if (result.status == mbus::ReadStatus::Collision) failure = IdentifyReason::Collision;
    if (result.status == mbus::ReadStatus::PortUnavailable) failure = IdentifyReason::PortLost;
    // An error answer is an answer too: the meter heard us, it just has no data.
    if (result.status != mbus::ReadStatus::Done && result.status != mbus::ReadStatus::DeviceError)
      continue;
    Advance();
    if (result.status == mbus::ReadStatus::Done && answer->ci_field == mbus::kCiVariableData) {
      Identify(*answer);
      SetProgress(kProgressMaximum);
      return;
    }
  }
  Explain(failure);
  SetProgress(kProgressMaximum);
}

void Identification::Identify(const KeldarBusTelegram& answer) {
  manufacturer_.assign(answer.manufacturer_text,
                       ::strnlen(answer.manufacturer_text, sizeof answer.manufacturer_text));
  outcome_.manufacturer = manufacturer_;
  outcome_.medium = answer.medium;
  const auto address = Address();

  if (request_.requestedSpeed != currentSpeed_) {
    mbus::Telegram speed = mbus::NewTelegram(link_.lib);
    keldar_bus_LongFrameClear(link_.lib, speed->long_frame);
    keldar_bus_SetDeviceSpeed(link_.lib, speed->long_frame, address, request_.requestedSpeed);
    if (mbus::SendLongFrame(link_, speed.get()) == KELDAR_BUS_RESULT_ACK) {
      keldar_bus_CProcessComPortSetSpeed(link_.lib, link_.port, request_.requestedSpeed);
      currentSpeed_ = request_.requestedSpeed;
      outcome_.switched = true;
      mbus::ResetLink(link_, address);
      Advance();
    }
  } else {
    outcome_.switched = true;
  }

  status_ = texts_.connected;
  SetProgress(kProgressMaximum);
  devices_.ClearDevices();

  const bool accepted = IsAcceptedManufacturer(manufacturer_);
  if (accepted) {
    status_ = texts_.readingConfiguration;
    SetProgress(0);
    ReadConfiguration(address);
    // The meter itself is the first device; the selection that found it reaches it again.
    if (request_.selection && devices_.DeviceCount() > 0)
      devices_.SetSelection(devices_.Device(0), *request_.selection);
    if (devices_.DeviceCount() > 0) {
      outcome_.selectionOpened = observer_.OpenSelection();
    } else {
      // Said in the screen's own words; keldar-cli's reason names the silence.
      informationNotFound_ = true;
      Explain(PortUsable() ? IdentifyReason::NoAnswer : IdentifyReason::PortLost);
      observer_.DeviceInformationNotFound();
    }
  } else {
    Explain(IdentifyReason::MakerNotSupported);
  }
  settings_.WriteValue("SERIAL", "COM", request_.devicePath.c_str());
  settings_.WriteValue("SERIAL", "BAUD", std::to_string(request_.requestedSpeed).c_str());
}

void Identification::ReadConfiguration(std::uint8_t address) {
  const auto* lib = link_.lib;
  mbus::Telegram answer = mbus::NewTelegram(lib);
  char softwareVersion[kSoftwareVersionSize] = {};
  ReadText(address, 0, /*model=*/false, softwareVersion, sizeof softwareVersion);

  if (!mbus::ResetLink(link_, address)) return;
  Advance();
  if (!mbus::Succeeded(mbus::ReadUserData(link_, address, answer.get()))) return;
  Advance();

  catalogue_.Find(manufacturer_.c_str(), answer->version, softwareVersion);
  KeldarDeviceRecord record = catalogue_.Result();
  record.address = address;
  platform::CopyToField(record.manufacturer, manufacturer_);
  char serial[16];
  std::snprintf(serial, sizeof serial, "%08X", static_cast<unsigned>(answer->identification));
  platform::CopyToField(record.serial, serial);
  record.device_type = answer->medium;
  ReadText(address, 0, /*model=*/true, record.model, sizeof record.model);
  const std::int32_t subunits = record.subunit;
  devices_.AddDevice(record);

  if (std::strstr(softwareVersion, "/V") != nullptr || subunits <= 0) return;
  Advance();
  for (const int unit : ScanSubUnits(address)) {
    if (!mbus::ResetLink(link_, address)) continue;
    mbus::Telegram request = mbus::NewTelegram(lib);
    keldar_bus_LongFrameClear(lib, request->long_frame);
    keldar_bus_GetSecondaryAddress(lib, request->long_frame, address, unit);
    if (mbus::SendLongFrame(link_, request.get()) != KELDAR_BUS_RESULT_ACK) continue;
    mbus::Telegram secondary = mbus::NewTelegram(lib);
    if (!mbus::Succeeded(mbus::ReadUserData(link_, address, secondary.get()))) continue;
    for (const auto* found : mbus::TelegramRecords(lib, *secondary)) {
      if (found->vif != mbus::kVifSecondaryAddress) continue;
      if (!mbus::ResetLink(link_, address)) continue;
      Advance();
      char model[kSubDeviceModelSize] = {};
      ReadText(address, unit, /*model=*/true, model, sizeof model);
      if (mbus::Select(link_, {.manufacturer = manufacturer_, .model = model}))
        ReadConfiguration(mbus::kAddressSelected);
      // A meter reached by selection is selected again for its next input.
      if (request_.selection) mbus::SendSelection(link_, *request_.selection);
    }
  }
}

void Identification::ReadText(std::uint8_t address, int unit, bool model, char* text,
                              std::size_t size) {
  if (!mbus::ResetLink(link_, address)) return;
  const auto* lib = link_.lib;
  mbus::Telegram request = mbus::NewTelegram(lib);
  keldar_bus_LongFrameClear(lib, request->long_frame);
  if (model)
    keldar_bus_GetDeviceModel(lib, request->long_frame, address, unit);
  else
    keldar_bus_GetDeviceOtherSoftware(lib, request->long_frame, address, unit);
  if (mbus::SendLongFrame(link_, request.get()) != KELDAR_BUS_RESULT_ACK) return;

  mbus::Telegram answer = mbus::NewTelegram(lib);
  if (!mbus::Succeeded(mbus::ReadUserData(link_, address, answer.get()))) return;
  const std::uint8_t wanted = model ? mbus::kVifeModel : mbus::kVifeOtherSoftware;
  for (const auto* record : mbus::TelegramRecords(lib, *answer)) {
    if (mbus::IsExtensionRecord(*record, wanted)) {
      platform::CopyToField(
          text, size, std::string_view(record->text, ::strnlen(record->text, sizeof record->text)));
      break;
    }
  }
}

bool Identification::RequestPulseWeight(std::uint8_t address, int unit, int input,
                                        KeldarBusTelegram* answer) {
  mbus::Telegram request = mbus::NewTelegram(link_.lib);
  keldar_bus_LongFrameClear(link_.lib, request->long_frame);
  keldar_bus_GetIncrementInputPulse(link_.lib, request->long_frame, address, unit, input);
  return mbus::SendLongFrame(link_, request.get()) == KELDAR_BUS_RESULT_ACK &&
         mbus::Succeeded(mbus::ReadUserData(link_, address, answer));
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
  } inputs[] = {{0, mbus::kVifeInput0, 1}, {1, mbus::kVifeInput1, 2}};
  for (const auto& in : inputs) {
    mbus::Telegram weights = mbus::NewTelegram(lib);
    if (!RequestPulseWeight(address, 0, in.input, weights.get())) continue;
    for (const auto* record : mbus::TelegramRecords(lib, *weights)) {
      if (!QualifiesAsPulseWeight(*record, in.vife)) continue;
      mbus::Telegram subUnit = mbus::NewTelegram(lib);
      if (!RequestPulseWeight(address, in.subUnit, 0, subUnit.get())) continue;
      for (const auto* weight : mbus::TelegramRecords(lib, *subUnit)) {
        if (QualifiesAsPulseWeight(*weight, mbus::kVifeInput0))
          units.push_back(static_cast<int>(weight->unit));
      }
    }
  }
  return units;
}
