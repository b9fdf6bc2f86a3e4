#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

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

 private:
  mutable std::mutex devicesMutex_;
  std::vector<std::unique_ptr<KeldarDeviceRecord>> devices_;
};

DeviceList& IdentifiedDevices();
