// An administration library whose data-store operations record what a
// device screen saves.
#pragma once

#include <vector>

#include "keldar/admin_tools_types.h"

namespace devicescreen::test {

class FakeAdmin {
 public:
  FakeAdmin();
  ~FakeAdmin();
  FakeAdmin(const FakeAdmin&) = delete;
  FakeAdmin& operator=(const FakeAdmin&) = delete;

  const KeldarAdminToolsLibrary* Library() const { return &lib_; }
  KeldarAdminToolsLibrary& Editable() { return lib_; }

  void FailOpen(bool fail) { failOpen_ = fail; }
  void RefuseAdd(bool refuse) { refuseAdd_ = refuse; }

  std::vector<KeldarAdminDeviceHeat> heat;
  std::vector<KeldarAdminDeviceWaterCold> cold;
  std::vector<KeldarAdminDeviceWaterHot> hot;
  int opened = 0;
  int closed = 0;

 private:
  KeldarAdminToolsLibrary lib_{};
  bool failOpen_ = false;
  bool refuseAdd_ = false;

  static FakeAdmin* current_;
  static KeldarAdminStore* Open();
  static void Close(KeldarAdminStore* store);
  template <typename Record>
  static int32_t Add(std::vector<Record> FakeAdmin::*list, KeldarAdminStore* store,
                     const Record* record);
};

}  // namespace devicescreen::test
