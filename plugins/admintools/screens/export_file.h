#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <span>

#include "store/archive_model.h"

namespace admintools {

enum class ExportKind { kCsv, kJson };

// Writes `rows` (oldest first) to `path` as CSV or JSON in stored units (Wh,
// m³, W, m³/h, °C, K, h). The file appears whole or not at all. Returns how
// many readings it wrote, nothing when the file could not be written.
std::optional<int64_t> WriteExportFile(const QString& path, ExportKind kind,
                                       std::span<const DeviceReading> rows);

}  // namespace admintools
