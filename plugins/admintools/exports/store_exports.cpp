// The archive's operations as device screens call them. Every entry point
// refuses null or foreign objects and lets no exception out: a failure is a
// result (0 or -1), never an unwinding.
#include <limits>
#include <memory>

#include "exports/record_arrays.h"
#include "exports/slot.h"
#include "store/archive_error.h"
#include "store/records.h"

namespace {

using admintools::Archive;
using admintools::DeviceKind;
using admintools::IsArray;
namespace records = admintools::records;

Archive* ArchiveOf(KeldarAdminStore* store) {
  return store != nullptr && store->typeWord == admintools::kStoreTypeWord ? store->archive.get()
                                                                           : nullptr;
}

// Runs `work` on the store's archive; any failure gives `failed`.
template <typename Work>
int32_t Guarded(KeldarAdminStore* store, int32_t failed, Work work) {
  try {
    Archive* archive = ArchiveOf(store);
    return archive != nullptr ? work(*archive) : failed;
  } catch (...) {
    return failed;
  }
}

// Clears `array` and fills it with `source` converted; -1 (and an empty array)
// on failure.
template <typename Array, typename Source, typename Convert>
int32_t Fill(Array* array, const Source& source, Convert convert) {
  array->items.clear();
  if (source.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) return -1;
  try {
    array->items.resize(source.size());
    for (std::size_t i = 0; i < source.size(); ++i) convert(source[i], array->items[i]);
  } catch (...) {
    array->items.clear();
    return -1;
  }
  return static_cast<int32_t>(array->items.size());
}

template <typename Record>
int32_t AddDeviceData(KeldarAdminStore* store, const Record* record, DeviceKind kind) {
  if (record == nullptr) return 0;
  return Guarded(store, 0, [&](Archive& archive) {
    archive.SaveReading(records::ToDevice(record->device, kind),
                        records::ToReading(record->reading));
    return 1;
  });
}

template <typename Array>
int32_t GetDeviceData(KeldarAdminStore* store, Array* array, DeviceKind kind) {
  if (!IsArray(array)) return -1;
  array->items.clear();
  return Guarded(store, -1, [&](Archive& archive) {
    return Fill(array, archive.Readings(kind, std::nullopt),
                [](const admintools::DeviceReading& from, typename Array::Item& to) {
                  records::FromDevice(from.device, to.device);
                  records::FromReading(from.reading, to.reading);
                });
  });
}

template <typename Record>
int32_t WriteData(KeldarAdminStore* store, const Record* reading, DeviceKind kind) {
  if (reading == nullptr) return 0;
  return Guarded(store, 0, [&](Archive& archive) {
    archive.AddReading(kind, records::ToReading(*reading));
    return 1;
  });
}

}  // namespace

extern "C" {

static int32_t SQLite3AddDeviceHeatData(KeldarAdminStore* store,
                                        const KeldarAdminDeviceHeat* record) {
  return AddDeviceData(store, record, DeviceKind::kHeat);
}
static int32_t SQLite3AddDeviceWaterColdData(KeldarAdminStore* store,
                                             const KeldarAdminDeviceWaterCold* record) {
  return AddDeviceData(store, record, DeviceKind::kWaterCold);
}
static int32_t SQLite3AddDeviceWaterHotData(KeldarAdminStore* store,
                                            const KeldarAdminDeviceWaterHot* record) {
  return AddDeviceData(store, record, DeviceKind::kWaterHot);
}

static int32_t SQLite3GetDeviceHeatData(KeldarAdminStore* store,
                                        KeldarAdminDeviceHeatArray* array) {
  return GetDeviceData(store, array, DeviceKind::kHeat);
}
static int32_t SQLite3GetDeviceWaterColdData(KeldarAdminStore* store,
                                             KeldarAdminDeviceWaterColdArray* array) {
  return GetDeviceData(store, array, DeviceKind::kWaterCold);
}
static int32_t SQLite3GetDeviceWaterHotData(KeldarAdminStore* store,
                                            KeldarAdminDeviceWaterHotArray* array) {
  return GetDeviceData(store, array, DeviceKind::kWaterHot);
}

static int32_t SQLite3GetDeviceHeatDataToAid(KeldarAdminStore* store,
                                             KeldarAdminDeviceHeat* record) {
  if (record == nullptr) return 0;
  return Guarded(store, 0, [&](Archive& archive) {
    const auto device =
        archive.FindDevice(DeviceKind::kHeat, records::FromField(record->device.manufacturer),
                           records::FromField(record->device.serial));
    if (!device) return 0;
    const auto latest = archive.ReadingsOf(DeviceKind::kHeat, device->id, 1);
    KeldarAdminDeviceHeat found{};
    records::FromDevice(*device, found.device);
    if (latest.empty()) {
      records::Blank(found.reading);
      found.reading.device_id = device->id;
    } else {
      records::FromReading(latest.front(), found.reading);
    }
    *record = found;
    return 1;
  });
}

static int32_t SQLite3GetSubscriberData(KeldarAdminStore* store,
                                        KeldarAdminSubscriberArray* array) {
  if (!IsArray(array)) return -1;
  array->items.clear();
  return Guarded(store, -1, [&](Archive& archive) {
    return Fill(array, archive.Subscribers(),
                [](const auto& from, auto& to) { records::FromSubscriber(from, to); });
  });
}

static int32_t SQLite3GetObjectData(KeldarAdminStore* store, int64_t subscriber_id,
                                    KeldarAdminObjectArray* array) {
  if (!IsArray(array)) return -1;
  array->items.clear();
  return Guarded(store, -1, [&](Archive& archive) {
    const auto objects =
        subscriber_id != 0 ? archive.Objects(subscriber_id) : archive.Objects(std::nullopt);
    return Fill(array, objects, [](const auto& from, auto& to) { records::FromObject(from, to); });
  });
}

static int32_t SQLite3WriteHeatData(KeldarAdminStore* store, const KeldarAdminHeat* reading) {
  return WriteData(store, reading, DeviceKind::kHeat);
}
static int32_t SQLite3WriteWaterColdData(KeldarAdminStore* store,
                                         const KeldarAdminWaterCold* reading) {
  return WriteData(store, reading, DeviceKind::kWaterCold);
}
static int32_t SQLite3WriteWaterHotData(KeldarAdminStore* store,
                                        const KeldarAdminWaterHot* reading) {
  return WriteData(store, reading, DeviceKind::kWaterHot);
}

static int32_t SQLite3GetHeatData(KeldarAdminStore* store, int64_t device_id,
                                  KeldarAdminHeatArray* array) {
  if (!IsArray(array)) return -1;
  array->items.clear();
  return Guarded(store, -1, [&](Archive& archive) {
    return Fill(array, archive.ReadingsOf(DeviceKind::kHeat, device_id),
                [](const auto& from, auto& to) { records::FromReading(from, to); });
  });
}

KELDAR_PLUGIN_EXPORT KeldarAdminStore* _CreateCSQLite3(void) {
  try {
    auto store = std::make_unique<KeldarAdminStore>();
    store->archive = std::make_unique<Archive>(Archive::kFileName);
    return store.release();
  } catch (...) {
    return nullptr;
  }
}

KELDAR_PLUGIN_EXPORT void _DeleteCSQLite3(KeldarAdminStore* store) {
  if (ArchiveOf(store) != nullptr) std::unique_ptr<KeldarAdminStore> owned(store);
}

// Getters: each hands out one operation.
#define STORE_GETTER(name, type)                           \
  KELDAR_PLUGIN_EXPORT void _Get##name(KeldarSlot* slot) { \
    admintools::FillSlot<type>(slot, &name);               \
  }

STORE_GETTER(SQLite3AddDeviceHeatData, KeldarAdminAddDeviceHeatDataFn)
STORE_GETTER(SQLite3AddDeviceWaterColdData, KeldarAdminAddDeviceWaterColdDataFn)
STORE_GETTER(SQLite3AddDeviceWaterHotData, KeldarAdminAddDeviceWaterHotDataFn)
STORE_GETTER(SQLite3GetDeviceHeatData, KeldarAdminGetDeviceHeatDataFn)
STORE_GETTER(SQLite3GetDeviceWaterColdData, KeldarAdminGetDeviceWaterColdDataFn)
STORE_GETTER(SQLite3GetDeviceWaterHotData, KeldarAdminGetDeviceWaterHotDataFn)
STORE_GETTER(SQLite3GetDeviceHeatDataToAid, KeldarAdminGetDeviceHeatDataToAidFn)
STORE_GETTER(SQLite3GetSubscriberData, KeldarAdminGetSubscriberDataFn)
STORE_GETTER(SQLite3GetObjectData, KeldarAdminGetObjectDataFn)
STORE_GETTER(SQLite3WriteHeatData, KeldarAdminWriteHeatDataFn)
STORE_GETTER(SQLite3WriteWaterColdData, KeldarAdminWriteWaterColdDataFn)
STORE_GETTER(SQLite3WriteWaterHotData, KeldarAdminWriteWaterHotDataFn)
STORE_GETTER(SQLite3GetHeatData, KeldarAdminGetHeatDataFn)

}  // extern "C"
