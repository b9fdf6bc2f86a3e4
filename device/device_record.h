#pragma once

#include <cstring>
#include <string>

#include "base/bus/selection.h"
#include "keldar/device_record.h"

// A constructed or reset record: all zero, texts empty, with its type word.
inline KeldarDeviceRecord EmptyDeviceRecord() {
  KeldarDeviceRecord record;
  std::memset(&record, 0, sizeof record);
  record.type_word = KELDAR_DEVICE_RECORD_TYPE_WORD;
  return record;
}

// The selection that reaches the device of `record` at 253: its maker, medium and model.
inline mbus::Selection SelectionFor(const KeldarDeviceRecord& record) {
  return {.manufacturer = std::string(record.manufacturer,
                                      ::strnlen(record.manufacturer, sizeof record.manufacturer)),
          .medium = record.device_type,
          .model = std::string(record.model, ::strnlen(record.model, sizeof record.model))};
}
