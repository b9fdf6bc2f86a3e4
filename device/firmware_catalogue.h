#pragma once

#include <cstdint>
#include <string>

#include "keldar/device_record.h"

// The firmware catalogue over program.db, table FIRMWARE. One object for the
// process; the database is opened and closed within each lookup.
class FirmwareCatalogue {
 public:
  explicit FirmwareCatalogue(std::string databasePath = "program.db");

  // Replaces the result with the row matching the meter's manufacturer
  // letters, product code (the version byte) and software version; with
  // several rows the last one wins; with none (or no table) it stays reset.
  void Find(const char* manufacturer, std::uint8_t productCode, const char* softwareVersion);

  const KeldarDeviceRecord& Result() const { return result_; }

  // The EN 13757-3 manufacturer code of three letters ("ABC" → 1091).
  static std::uint16_t ManufacturerNumber(const char* letters);

 private:
  std::string databasePath_;
  KeldarDeviceRecord result_;
};
