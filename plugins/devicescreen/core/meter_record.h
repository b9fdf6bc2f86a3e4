// A meter's answer as plain values: what the read hands from the bus thread
// to the screen, with no object of the M-Bus library left in it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "keldar/bus_protocol_types.h"

namespace devicescreen {

struct MeterRecord {
  std::uint8_t dif = 0;
  std::uint8_t vif = 0;  // without extension bit
  std::uint8_t function = KELDAR_BUS_FUNCTION_INSTANTANEOUS;
  std::uint8_t valueKind = KELDAR_BUS_VALUE_NONE;
  std::vector<std::uint8_t> vifes;  // without extension bits
  std::uint64_t raw = 0;            // first eight data bytes, little-endian
  double decoded = 0.0;             // scaled to `unit` when valueKind is a number
  std::uint64_t storage = 0;
  std::uint32_t tariff = 0;
  std::uint32_t subunit = 0;
  std::string unit;                // the library's base unit ("Wh", "m^3", …) or ""
  std::string quantity;            // the library's own (English) name of the quantity
  std::string text;                // texts, ISO dates, hexadecimal bytes
  std::vector<std::uint8_t> data;  // data bytes as sent

  bool IsReal() const { return (dif & 0x0F) == 0x05; }
  bool IsBcd() const;
};

// The header of the answer (the last variable-data telegram of a read).
struct MeterHeader {
  std::uint8_t ci = 0;
  std::uint64_t identification = 0;
  std::string manufacturer;
  std::uint8_t version = 0;
  std::uint8_t medium = 0;
  std::uint8_t accessNumber = 0;
  std::uint8_t status = 0;
};

struct MeterReading {
  MeterHeader header;
  std::vector<MeterRecord> records;  // every telegram's records, in order
  int telegrams = 0;
};

MeterRecord RecordFromBlock(const KeldarBusDataInfoBlock& block);

}  // namespace devicescreen
