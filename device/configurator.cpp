#include "device/configurator.h"

#include <cstring>

#include "base/platform/text.h"

namespace {

constexpr std::uint8_t kVifExtensionTable = 0x7D;  // 0xFD without its extension bit
constexpr std::uint8_t kVifeModel = 0x0C;
constexpr std::uint8_t kVifeOtherSoftware = 0x0F;
constexpr std::uint8_t kCiVariableData = 0x72;
// A meter that announces further telegrams without end must not hold the
// worker forever; no real meter needs more telegrams than this.
constexpr int kMaxTelegrams = 64;

int SendShortFrame(const BusLink& link, std::uint8_t cField, std::uint8_t address,
                   KeldarBusTelegram* telegram) {
  if (link.Stopping()) return KELDAR_BUS_RESULT_FAILED;
  const auto* lib = link.lib;
  BusBuffer buffer(lib);
  KeldarBusShortFrame* frame = telegram->short_frame;
  keldar_bus_ShortFrameClear(lib, frame);
  keldar_bus_SetCField(lib, frame, cField);
  keldar_bus_SetAField(lib, frame, address);
  keldar_bus_ShortFrameSerialize(lib, frame);
  keldar_bus_CProcessComPortWriteData(lib, link.port, frame);
  keldar_bus_CProcessComPortReadData(lib, link.port, buffer.get());
  return keldar_bus_ParserTelegram(lib, telegram, buffer.get());
}

}  // namespace

CConfigurator& Configurator() {
  static CConfigurator configurator;
  return configurator;
}

namespace {
// Created during static initialisation, before main() runs.
[[maybe_unused]] CConfigurator& gConfigurator = Configurator();
}  // namespace

bool HasVife(const KeldarBusDataInfoBlock& record, std::uint8_t code) {
  const std::uint32_t count = std::min<std::uint32_t>(record.vife.count, KELDAR_BUS_VIFE_CAPACITY);
  for (std::uint32_t i = 0; i < count; ++i) {
    if (record.vife.items[i].code == code) return true;
  }
  return false;
}

std::vector<const KeldarBusDataInfoBlock*> TelegramRecords::All() const {
  std::vector<const KeldarBusDataInfoBlock*> records;
  const int count = keldar_bus_UserDataSize(lib_, telegram_->user_data);
  for (int i = 0; i < count; ++i) {
    if (const auto* record = keldar_bus_UserDataGetIndexData(lib_, telegram_->user_data, i))
      records.push_back(record);
  }
  return records;
}

int CConfigurator::Ping(const BusLink& link, std::uint8_t address) const {
  BusTelegram telegram(link.lib);
  const std::uint8_t sndNke = keldar_bus_CFieldSND_NKE(link.lib, telegram->short_frame);
  return SendShortFrame(link, sndNke, address, telegram.get());
}

int CConfigurator::ReadUserData(const BusLink& link, std::uint8_t address,
                                KeldarBusTelegram* target, int* telegrams) const {
  const auto* lib = link.lib;
  int result = KELDAR_BUS_RESULT_FAILED;
  if (telegrams != nullptr) *telegrams = 0;
  for (int arrived = 0; arrived < kMaxTelegrams; ++arrived) {
    BusTelegram fresh(lib);
    const std::uint8_t reqUd2 = keldar_bus_getCFieldREQ_UD2(lib, fresh->short_frame);
    if (link.Stopping()) return KELDAR_BUS_RESULT_FAILED;
    KeldarBusShortFrame* frame = fresh->short_frame;
    keldar_bus_ShortFrameClear(lib, frame);
    keldar_bus_SetCField(lib, frame, reqUd2);
    keldar_bus_SetAField(lib, frame, address);
    keldar_bus_ShortFrameSerialize(lib, frame);
    keldar_bus_CProcessComPortWriteData(lib, link.port, frame);
    if (keldar_bus_CProcessComPortGetStatus(lib, link.port) == 0) return KELDAR_BUS_RESULT_FAILED;
    BusBuffer buffer(lib);
    keldar_bus_CProcessComPortReadData(lib, link.port, buffer.get());
    result = keldar_bus_ParserTelegram(lib, fresh.get(), buffer.get());
    if (result != KELDAR_BUS_RESULT_USER_DATA) return result;
    if (telegrams != nullptr) *telegrams = arrived + 1;

    target->c_field = fresh->c_field;
    target->ci_field = fresh->ci_field;
    if (fresh->ci_field == kCiVariableData) {
      target->a_field = fresh->a_field;
      target->identification = fresh->identification;
      target->manufacturer = fresh->manufacturer;
      std::memcpy(target->manufacturer_text, fresh->manufacturer_text,
                  sizeof target->manufacturer_text);
      target->version = fresh->version;
      target->medium = fresh->medium;
      target->access_number = fresh->access_number;
      target->status = fresh->status;
      target->signature = fresh->signature;
    }
    for (const auto* record : TelegramRecords(lib, fresh.get()).All()) {
      if (auto* copy = keldar_bus_CopyDataInfoBlock(lib, record))
        keldar_bus_UserDataPushBack(lib, target->user_data, copy);
    }
    if (keldar_bus_CheckErrors(lib, target, fresh->long_frame) != KELDAR_BUS_RESULT_MORE_RECORDS)
      return result;
  }
  return result;
}

int CConfigurator::SendLongFrame(const BusLink& link, KeldarBusTelegram* telegram) const {
  if (link.Stopping()) return KELDAR_BUS_RESULT_FAILED;
  const auto* lib = link.lib;
  BusBuffer buffer(lib);
  keldar_bus_CLongFrameSerialize(lib, telegram->long_frame);
  keldar_bus_CProcessComPortWriteData(lib, link.port, telegram->long_frame);
  keldar_bus_DataMbusClear(lib, buffer.get());
  keldar_bus_CProcessComPortReadData(lib, link.port, buffer.get());
  return keldar_bus_ParserTelegram(lib, telegram, buffer.get());
}

int CConfigurator::ReadIdentificationText(const BusLink& link, std::uint8_t address, char* text,
                                          std::size_t size, int unit, bool model) const {
  if (Ping(link, address) != KELDAR_BUS_RESULT_ACK) return KELDAR_BUS_RESULT_FAILED;
  const auto* lib = link.lib;
  BusTelegram request(lib);
  keldar_bus_LongFrameClear(lib, request->long_frame);
  if (model)
    keldar_bus_GetDeviceModel(lib, request->long_frame, address, unit);
  else
    keldar_bus_GetDeviceOtherSoftware(lib, request->long_frame, address, unit);
  if (SendLongFrame(link, request.get()) != KELDAR_BUS_RESULT_ACK) return KELDAR_BUS_RESULT_FAILED;

  BusTelegram answer(lib);
  const int result = ReadUserData(link, address, answer.get());
  if (result != KELDAR_BUS_RESULT_USER_DATA) return result;
  const std::uint8_t wanted = model ? kVifeModel : kVifeOtherSoftware;
  for (const auto* record : TelegramRecords(lib, answer.get()).All()) {
    if (record->kind == 1 && record->vif == kVifExtensionTable && HasVife(*record, wanted)) {
      platform::CopyToField(
          text, size, std::string_view(record->text, ::strnlen(record->text, sizeof record->text)));
      break;
    }
  }
  return result;
}

void CConfigurator::ReadDeviceModel(const BusLink& link, std::uint8_t address, char* text,
                                    std::size_t size, int unit) const {
  ReadIdentificationText(link, address, text, size, unit, /*model=*/true);
}

void CConfigurator::ReadOtherSoftwareVersion(const BusLink& link, std::uint8_t address, char* text,
                                             std::size_t size, int unit) const {
  ReadIdentificationText(link, address, text, size, unit, /*model=*/false);
}

void CConfigurator::ClearDevices() {
  std::lock_guard lock(devicesMutex_);
  devices_.clear();
}

KeldarDeviceRecord& CConfigurator::AddDevice(const KeldarDeviceRecord& record) {
  std::lock_guard lock(devicesMutex_);
  devices_.push_back(std::make_unique<KeldarDeviceRecord>(record));
  return *devices_.back();
}

std::size_t CConfigurator::DeviceCount() const {
  std::lock_guard lock(devicesMutex_);
  return devices_.size();
}

KeldarDeviceRecord* CConfigurator::Device(std::size_t index) const {
  std::lock_guard lock(devicesMutex_);
  return index < devices_.size() ? devices_[index].get() : nullptr;
}
