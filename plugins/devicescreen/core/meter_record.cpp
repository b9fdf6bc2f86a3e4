#include "core/meter_record.h"

#include <algorithm>
#include <cstring>

namespace devicescreen {

namespace {

// A fixed text field of the library, which need not be terminated.
template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
  return std::string(field, ::strnlen(field, N));
}

}  // namespace

bool MeterRecord::IsBcd() const {
  switch (dif & 0x0F) {
    case 0x09:
    case 0x0A:
    case 0x0B:
    case 0x0C:
    case 0x0E:
      return true;
    default:
      return false;
  }
}

MeterRecord RecordFromBlock(const KeldarBusDataInfoBlock& block) {
  MeterRecord record;
  record.dif = block.dif;
  record.vif = block.vif;
  record.function = block.function;
  record.valueKind = block.value_kind;
  const auto vifeCount = std::min<std::uint32_t>(block.vife.count, KELDAR_BUS_VIFE_CAPACITY);
  for (std::uint32_t i = 0; i < vifeCount; ++i) record.vifes.push_back(block.vife.items[i].code);
  record.raw = block.value;
  record.decoded = block.decoded;
  record.storage = block.storage;
  record.tariff = block.tariff;
  record.subunit = block.unit;
  record.unit = FieldText(block.unit_text);
  record.quantity = FieldText(block.quantity);
  record.text = FieldText(block.text);
  const auto dataSize = std::min<std::uint32_t>(block.data_size, KELDAR_BUS_LONG_DATA_CAPACITY);
  record.data.assign(block.data, block.data + dataSize);
  return record;
}

}  // namespace devicescreen
