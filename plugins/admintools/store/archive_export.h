#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "store/reading_query.h"

namespace admintools {

class Archive;

enum class ExportFormat { kCsv, kJson };

// How a spreadsheet of the user's language reads a CSV file: Russian and
// Ukrainian ones split fields at ';' and take ',' for the decimal mark,
// English ones ',' and '.'.
struct CsvStyle {
  char separator = ',';
  char decimalMark = '.';
};
// The style for a language tag or locale name ("ru", "uk_UA.UTF-8", "en").
CsvStyle CsvStyleFor(std::string_view language);

// The CSV file's columns, in their order. One reading per row; each quantity
// has a column of its own with its unit in the title (values in Wh, m³, W,
// m³/h, °C, K, h), empty where the meter did not report it.
enum class ExportColumn {
  kTime,  // ISO 8601, UTC ("2024-05-29T16:26:40Z")
  kKind,  // heat, cold, hot
  kSerial,
  kManufacturer,
  kModel,
  kSubscriber,
  kAccount,
  kObject,
  kAddress,
  kMeterTime,   // the meter's own clock as it reported it
  kErrorFlags,  // the meter's error flags, a number
  kBackwards,   // 1 when the counter went back, else 0
  kEnergy,
  kVolume,
  kPower,
  kFlow,
  kSupplyTemperature,
  kReturnTemperature,
  kTemperatureDifference,
  kTemperature,
  kOperatingHours,
};
inline constexpr int kExportColumnCount = 21;

// "heat", "cold", "hot": a kind as the export writes it and keldar-cli reads it.
const char* KindName(DeviceKind kind);
// The kind a KindName names; none for any other text.
std::optional<DeviceKind> KindNamed(std::string_view name);

// "2024-05-29T16:26:40Z": a read time as the export writes it (ISO 8601, UTC).
std::string IsoUtcTime(int64_t seconds);

// The built-in English title of a column ("energy, Wh").
std::string DefaultColumnTitle(ExportColumn column);

struct ExportOptions {
  ExportFormat format = ExportFormat::kCsv;
  ReadingOrder order = ReadingOrder::kOldestFirst;
  CsvStyle csv;
  // The CSV header's titles (the screens pass them in the user's language).
  std::function<std::string(ExportColumn)> title = DefaultColumnTitle;
};

// The export file could not be written. The archive is not touched and no
// part of the file is left behind; an older file of that name stays as it was.
class ExportError : public std::runtime_error {
 public:
  ExportError(std::filesystem::path target, const std::string& what)
      : std::runtime_error(what), target_(std::move(target)) {}
  const std::filesystem::path& target() const { return target_; }

 private:
  std::filesystem::path target_;
};

// Writes the readings `filter` selects, in the options' order, to `out`. Returns how
// many it wrote. A failure of the archive throws ArchiveError.
int64_t ExportReadings(const Archive& archive, const ReadingFilter& filter,
                       const ExportOptions& options, std::ostream& out);

// The same into the file `target`: written beside it under another name and
// renamed to it at the end, so `target` is either the whole export or as it
// was before. Throws ExportError when the file cannot be written and
// ArchiveError when the archive fails.
int64_t ExportReadings(const Archive& archive, const ReadingFilter& filter,
                       const ExportOptions& options, const std::filesystem::path& target);

}  // namespace admintools
