#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "keldar/device_record.h"

// The firmware catalogue over program.db, table FIRMWARE. One object for the
// process; the database is opened read-only and closed within each lookup, so
// a missing catalogue is never created.
class FirmwareCatalogue {
 public:
  explicit FirmwareCatalogue(std::string databasePath = "program.db");

  // Replaces the result with the row matching the meter's manufacturer
  // letters, product code (the version byte) and software version; with
  // several rows the last one wins; with none (or no table) it stays reset.
  void Find(const char* manufacturer, std::uint8_t productCode, const char* softwareVersion);

  const KeldarDeviceRecord& Result() const { return result_; }

  // Why the last Find() could not consult the catalogue, in English and naming
  // the file; empty after a lookup that could (whether or not a row matched).
  const std::optional<std::string>& Problem() const { return problem_; }

  // The EN 13757-3 manufacturer code of three letters ("ABC" → 1091).
  static std::uint16_t ManufacturerNumber(const char* letters);

 private:
  std::string databasePath_;
  KeldarDeviceRecord result_;
  std::optional<std::string> problem_;
};
