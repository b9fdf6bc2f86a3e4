#include "base/bus/records.h"

#include <algorithm>

#include "base/bus/constants.h"

namespace mbus {

TelegramRecords::TelegramRecords(const KeldarBusProtocolLibrary* lib,
                                 const KeldarBusTelegram& telegram) {
  if (telegram.user_data == nullptr) return;
  const int count = keldar_bus_UserDataSize(lib, telegram.user_data);
  records_.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) {
    if (const auto* record = keldar_bus_UserDataGetIndexData(lib, telegram.user_data, i))
      records_.push_back(record);
  }
}

bool HasVife(const KeldarBusDataInfoBlock& record, std::uint8_t code) {
  const std::uint32_t count = std::min<std::uint32_t>(record.vife.count, KELDAR_BUS_VIFE_CAPACITY);
  for (std::uint32_t i = 0; i < count; ++i) {
    if (record.vife.items[i].code == code) return true;
  }
  return false;
}

bool IsExtensionRecord(const KeldarBusDataInfoBlock& record, std::uint8_t code) {
  return record.kind == 1 && record.vif == kVifExtensionTableFD && HasVife(record, code);
}

}  // namespace mbus
