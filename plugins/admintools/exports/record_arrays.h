#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "keldar/admin_tools_types.h"
#include "store/archive.h"

namespace admintools {

// An array handed to callers: a vector of records behind a type word, so a
// pointer of the wrong kind is refused rather than read.
template <typename Record, uint32_t kTypeWord>
struct RecordArray {
  using Item = Record;
  static constexpr uint32_t kWord = kTypeWord;
  uint32_t typeWord = kTypeWord;
  std::vector<Record> items;
};

template <typename Array>
bool IsArray(const Array* array) {
  return array != nullptr && array->typeWord == Array::kWord;
}

inline constexpr uint32_t kStoreTypeWord = 0x41524348;  // "ARCH"

}  // namespace admintools

// The opaque types of the interface, defined here.
struct KeldarAdminDeviceHeatArray : admintools::RecordArray<KeldarAdminDeviceHeat, 0x41444831> {};
struct KeldarAdminDeviceWaterColdArray
    : admintools::RecordArray<KeldarAdminDeviceWaterCold, 0x41444332> {};
struct KeldarAdminDeviceWaterHotArray
    : admintools::RecordArray<KeldarAdminDeviceWaterHot, 0x41444833> {};
struct KeldarAdminSubscriberArray : admintools::RecordArray<KeldarAdminSubscriber, 0x41535542> {};
struct KeldarAdminObjectArray : admintools::RecordArray<KeldarAdminObject, 0x414F424A> {};
struct KeldarAdminHeatArray : admintools::RecordArray<KeldarAdminHeat, 0x41524831> {};
struct KeldarAdminWaterColdArray : admintools::RecordArray<KeldarAdminWaterCold, 0x41524332> {};
struct KeldarAdminWaterHotArray : admintools::RecordArray<KeldarAdminWaterHot, 0x41524833> {};

struct KeldarAdminStore {
  uint32_t typeWord = admintools::kStoreTypeWord;
  std::unique_ptr<admintools::Archive> archive;
};
