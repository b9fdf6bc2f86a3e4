#pragma once

#include <cstring>

#include "keldar/device_record.h"

// A constructed or reset record: all zero, texts empty, with its type word.
inline KeldarDeviceRecord EmptyDeviceRecord() {
  KeldarDeviceRecord record;
  std::memset(&record, 0, sizeof record);
  record.type_word = KELDAR_DEVICE_RECORD_TYPE_WORD;
  return record;
}
