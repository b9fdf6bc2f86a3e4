#include "fake_admin.h"

#include <cassert>

namespace devicescreen::test {

FakeAdmin* FakeAdmin::current_ = nullptr;

namespace {
int gStoreToken = 0;
KeldarAdminStore* StoreToken() { return reinterpret_cast<KeldarAdminStore*>(&gStoreToken); }
}  // namespace

KeldarAdminStore* FakeAdmin::Open() {
  if (current_->failOpen_) return nullptr;
  ++current_->opened;
  return StoreToken();
}

void FakeAdmin::Close(KeldarAdminStore* store) {
  if (store == StoreToken()) ++current_->closed;
}

template <typename Record>
int32_t FakeAdmin::Add(std::vector<Record> FakeAdmin::*list, KeldarAdminStore* store,
                       const Record* record) {
  // Saving into a store that is not open is a fault of the caller.
  if (store != StoreToken() || current_->opened == current_->closed) return 0;
  if (current_->refuseAdd_) return 0;
  (current_->*list).push_back(*record);
  return 1;
}

FakeAdmin::FakeAdmin() {
  assert(current_ == nullptr);
  current_ = this;
  lib_.module = this;
  lib_.CreateCSQLite3 = reinterpret_cast<KeldarEntry>(&FakeAdmin::Open);
  lib_.DeleteCSQLite3 = reinterpret_cast<KeldarEntry>(&FakeAdmin::Close);
  lib_.SQLite3AddDeviceHeatData.entry =
      reinterpret_cast<KeldarEntry>(+[](KeldarAdminStore* s, const KeldarAdminDeviceHeat* r) {
        return Add(&FakeAdmin::heat, s, r);
      });
  lib_.SQLite3AddDeviceWaterColdData.entry =
      reinterpret_cast<KeldarEntry>(+[](KeldarAdminStore* s, const KeldarAdminDeviceWaterCold* r) {
        return Add(&FakeAdmin::cold, s, r);
      });
  lib_.SQLite3AddDeviceWaterHotData.entry =
      reinterpret_cast<KeldarEntry>(+[](KeldarAdminStore* s, const KeldarAdminDeviceWaterHot* r) {
        return Add(&FakeAdmin::hot, s, r);
      });
}

FakeAdmin::~FakeAdmin() { current_ = nullptr; }

}  // namespace devicescreen::test
