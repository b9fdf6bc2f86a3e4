// Builds user-data records as the M-Bus library hands them over.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "core/meter_record.h"
#include "keldar/bus_protocol_types.h"

namespace devicescreen::test {

class Block {
 public:
  // `vif` as sent (extension bit included).
  Block(std::uint8_t dif, std::uint8_t vif) {
    block_.kind = 1;
    block_.dif = dif;
    block_.vif = vif & 0x7F;
    block_.vif_raw = vif;
    block_.function = (dif & 0x0F) == 0x0F ? KELDAR_BUS_FUNCTION_MANUFACTURER : (dif >> 4) & 0x03;
    Data(std::vector<std::uint8_t>(DataLength(dif), 0));
  }
  Block& Vife(std::uint8_t raw) {
    auto& list = block_.vife;
    list.items[list.count++] = {raw, static_cast<std::uint8_t>(raw & 0x7F), {}};
    return *this;
  }
  Block& Number(double decoded, const char* unit) {
    block_.value_kind = KELDAR_BUS_VALUE_NUMBER;
    block_.decoded = decoded;
    Copy(block_.unit_text, unit);
    return *this;
  }
  Block& Raw(std::uint64_t value) {
    block_.value = value;
    return *this;
  }
  Block& Date(const char* iso) {
    block_.value_kind = KELDAR_BUS_VALUE_DATE;
    Copy(block_.text, iso);
    return *this;
  }
  Block& InvalidDate() {
    block_.value_kind = KELDAR_BUS_VALUE_INVALID_DATE;
    return *this;
  }
  Block& Text(const char* text) {
    block_.value_kind = KELDAR_BUS_VALUE_TEXT;
    Copy(block_.text, text);
    return *this;
  }
  Block& Bytes(std::vector<std::uint8_t> bytes) {
    block_.value_kind = KELDAR_BUS_VALUE_BYTES;
    return Data(std::move(bytes));
  }
  Block& Data(std::vector<std::uint8_t> bytes) {
    block_.data_size = static_cast<std::uint32_t>(bytes.size());
    if (!bytes.empty()) std::memcpy(block_.data, bytes.data(), bytes.size());
    return *this;
  }
  Block& Quantity(const char* name) {
    Copy(block_.quantity, name);
    return *this;
  }
  Block& Storage(std::uint64_t storage) {
    block_.storage = storage;
    return *this;
  }
  Block& Tariff(std::uint32_t tariff) {
    block_.tariff = tariff;
    return *this;
  }
  Block& Subunit(std::uint32_t subunit) {
    block_.unit = subunit;
    return *this;
  }

  operator KeldarBusDataInfoBlock() const { return block_; }
  MeterRecord Record() const { return RecordFromBlock(block_); }

 private:
  static std::size_t DataLength(std::uint8_t dif) {
    constexpr std::size_t kLengths[16] = {0, 1, 2, 3, 4, 4, 6, 8, 0, 1, 2, 3, 4, 0, 6, 0};
    return kLengths[dif & 0x0F];
  }
  template <std::size_t N>
  static void Copy(char (&field)[N], const char* text) {
    std::strncpy(field, text, N - 1);
  }

  KeldarBusDataInfoBlock block_{};
};

}  // namespace devicescreen::test
