// Records and arrays of the exported interface. Every entry point refuses null
// or foreign objects and lets no exception out.
#include <limits>
#include <memory>

#include "exports/record_arrays.h"
#include "exports/slot.h"
#include "store/records.h"

namespace {

using admintools::IsArray;

// Records as _CreateCData… hands them out: zero, with nothing reported.
template <typename Record>
void Blank(Record& record) {
  record = Record{};
}
void Blank(KeldarAdminHeat& record) { admintools::records::Blank(record); }
void Blank(KeldarAdminWaterCold& record) { admintools::records::Blank(record); }
void Blank(KeldarAdminWaterHot& record) { admintools::records::Blank(record); }
template <typename Record>
requires requires(Record r) { r.device; }
void Blank(Record& record) {
  record = Record{};
  Blank(record.reading);
}

template <typename Record>
Record* CreateRecord() {
  try {
    auto record = std::make_unique<Record>();
    Blank(*record);
    return record.release();
  } catch (...) {
    return nullptr;
  }
}

template <typename Record>
void DeleteRecord(Record* record) {
  std::unique_ptr<Record> owned(record);
}

template <typename Array>
Array* CreateArray() {
  try {
    return std::make_unique<Array>().release();
  } catch (...) {
    return nullptr;
  }
}

template <typename Array>
void DeleteArray(Array* array) {
  if (IsArray(array)) std::unique_ptr<Array> owned(array);
}

template <typename Array>
int32_t Size(const Array* array) {
  return IsArray(array) ? static_cast<int32_t>(array->items.size()) : 0;
}

template <typename Array>
int32_t Empty(const Array* array) {
  return Size(array) == 0 ? 1 : 0;
}

template <typename Array>
int32_t PushBack(Array* array, const typename Array::Item* record) {
  if (!IsArray(array) || record == nullptr) return 0;
  // Sizes and indices are 32-bit at the interface.
  if (array->items.size() >= static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
    return 0;
  }
  try {
    array->items.push_back(*record);
    return 1;
  } catch (...) {
    return 0;
  }
}

template <typename Array>
void Clear(Array* array) {
  if (IsArray(array)) array->items.clear();
}

template <typename Array>
typename Array::Item* GetIndexData(Array* array, int32_t index) {
  if (!IsArray(array) || index < 0 || static_cast<std::size_t>(index) >= array->items.size()) {
    return nullptr;
  }
  return &array->items[static_cast<std::size_t>(index)];
}

}  // namespace

#define RECORD_EXPORTS(N, R, A)                                                               \
  extern "C" KELDAR_PLUGIN_EXPORT R* _CreateCData##N(void) { return CreateRecord<R>(); }      \
  extern "C" KELDAR_PLUGIN_EXPORT void _DeleteCData##N(R* record) { DeleteRecord(record); }   \
  extern "C" KELDAR_PLUGIN_EXPORT A* _CreateCArrayData##N(void) { return CreateArray<A>(); }  \
  extern "C" KELDAR_PLUGIN_EXPORT void _DeleteCArrayData##N(A* array) { DeleteArray(array); } \
  extern "C" KELDAR_PLUGIN_EXPORT void _GetCArrayData##N##Size(KeldarSlot* slot) {            \
    admintools::FillSlot<KeldarAdmin##N##SizeFn>(slot, &Size<A>);                             \
  }                                                                                           \
  extern "C" KELDAR_PLUGIN_EXPORT void _GetCArrayData##N##Empty(KeldarSlot* slot) {           \
    admintools::FillSlot<KeldarAdmin##N##EmptyFn>(slot, &Empty<A>);                           \
  }                                                                                           \
  extern "C" KELDAR_PLUGIN_EXPORT void _GetCArrayData##N##PushBack(KeldarSlot* slot) {        \
    admintools::FillSlot<KeldarAdmin##N##PushBackFn>(slot, &PushBack<A>);                     \
  }                                                                                           \
  extern "C" KELDAR_PLUGIN_EXPORT void _GetCArrayData##N##Clear(KeldarSlot* slot) {           \
    admintools::FillSlot<KeldarAdmin##N##ClearFn>(slot, &Clear<A>);                           \
  }                                                                                           \
  extern "C" KELDAR_PLUGIN_EXPORT void _GetCArrayData##N##GetIndexData(KeldarSlot* slot) {    \
    admintools::FillSlot<KeldarAdmin##N##GetIndexDataFn>(slot, &GetIndexData<A>);             \
  }

RECORD_EXPORTS(DeviceHeat, KeldarAdminDeviceHeat, KeldarAdminDeviceHeatArray)
RECORD_EXPORTS(DeviceWaterCold, KeldarAdminDeviceWaterCold, KeldarAdminDeviceWaterColdArray)
RECORD_EXPORTS(DeviceWaterHot, KeldarAdminDeviceWaterHot, KeldarAdminDeviceWaterHotArray)
RECORD_EXPORTS(Subscriber, KeldarAdminSubscriber, KeldarAdminSubscriberArray)
RECORD_EXPORTS(Object, KeldarAdminObject, KeldarAdminObjectArray)
RECORD_EXPORTS(Heat, KeldarAdminHeat, KeldarAdminHeatArray)
RECORD_EXPORTS(WaterCold, KeldarAdminWaterCold, KeldarAdminWaterColdArray)
RECORD_EXPORTS(WaterHot, KeldarAdminWaterHot, KeldarAdminWaterHotArray)
