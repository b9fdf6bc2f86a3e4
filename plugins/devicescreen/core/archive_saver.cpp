#include "core/archive_saver.h"

#include "core/archive_mapping.h"

namespace devicescreen {

namespace {

// archive.db, open for one save.
class Store {
 public:
  explicit Store(const KeldarAdminToolsLibrary* lib)
      : lib_(lib), store_(keldar_admin_CreateCSQLite3(lib)) {}
  ~Store() {
    if (store_ != nullptr) keldar_admin_DeleteCSQLite3(lib_, store_);
  }
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;
  KeldarAdminStore* get() const { return store_; }

 private:
  const KeldarAdminToolsLibrary* lib_;
  KeldarAdminStore* store_;
};

bool HasOperations(const KeldarAdminToolsLibrary* lib, MeterKind kind) {
  if (!KELDAR_ADMIN_LOADED(lib) || lib->CreateCSQLite3 == nullptr || lib->DeleteCSQLite3 == nullptr)
    return false;
  switch (kind) {
    case MeterKind::Heat:
      return lib->SQLite3AddDeviceHeatData.entry != nullptr;
    case MeterKind::WaterCold:
      return lib->SQLite3AddDeviceWaterColdData.entry != nullptr;
    case MeterKind::WaterHot:
      return lib->SQLite3AddDeviceWaterHotData.entry != nullptr;
  }
  return false;
}

int32_t Add(const KeldarAdminToolsLibrary* lib, KeldarAdminStore* store, MeterKind kind,
            const KeldarDeviceRecord& device, const MeterReading& reading) {
  // read_time 0: the archive stamps the reading with the present time.
  switch (kind) {
    case MeterKind::Heat: {
      KeldarAdminDeviceHeat record{};
      keldar_admin_device_from_record(&record.device, &device);
      FillHeat(reading, record.reading);
      return keldar_admin_AddDeviceHeatData(lib, store, &record);
    }
    case MeterKind::WaterCold: {
      KeldarAdminDeviceWaterCold record{};
      keldar_admin_device_from_record(&record.device, &device);
      FillWaterCold(reading, record.reading);
      return keldar_admin_AddDeviceWaterColdData(lib, store, &record);
    }
    case MeterKind::WaterHot: {
      KeldarAdminDeviceWaterHot record{};
      keldar_admin_device_from_record(&record.device, &device);
      FillWaterHot(reading, record.reading);
      return keldar_admin_AddDeviceWaterHotData(lib, store, &record);
    }
  }
  return KELDAR_ADMIN_RESULT_FAILED;
}

}  // namespace

SaveOutcome SaveReading(const KeldarAdminToolsLibrary* lib, MeterKind kind,
                        const KeldarDeviceRecord& device, const MeterReading& reading) {
  if (!HasOperations(lib, kind)) return SaveOutcome::ComponentMissing;
  if (reading.records.empty()) return SaveOutcome::NothingToSave;
  Store store(lib);
  if (store.get() == nullptr) return SaveOutcome::StoreNotOpened;
  return Add(lib, store.get(), kind, device, reading) == KELDAR_ADMIN_RESULT_OK
             ? SaveOutcome::Saved
             : SaveOutcome::Refused;
}

}  // namespace devicescreen
