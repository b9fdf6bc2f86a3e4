#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "base/bus/selection.h"
#include "keldar/device_record.h"

// The identified devices every screen builds on. One object for the process,
// created before main().
class DeviceList {
 public:
  // The identified-device list (main thread, or the one connect worker).
  void ClearDevices();
  KeldarDeviceRecord& AddDevice(const KeldarDeviceRecord& record);
  std::size_t DeviceCount() const;
  KeldarDeviceRecord* Device(std::size_t index) const;

  // A device reached by its secondary address (a meter whose primary address
  // is shared or 0) keeps the selection that reached it; the others are
  // selected by their maker, medium and model.
  void SetSelection(const KeldarDeviceRecord* record, mbus::Selection selection);
  // The selection that reaches `record`'s device at 253.
  mbus::Selection SelectionReaching(const KeldarDeviceRecord& record) const;

 private:
  mutable std::mutex devicesMutex_;
  std::vector<std::unique_ptr<KeldarDeviceRecord>> devices_;
  std::map<const KeldarDeviceRecord*, mbus::Selection> selections_;
};

DeviceList& IdentifiedDevices();
