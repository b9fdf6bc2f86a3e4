#include "device/device_list.h"

DeviceList& IdentifiedDevices() {
  static DeviceList configurator;
  return configurator;
}

namespace {
// Created during static initialisation, before main() runs.
[[maybe_unused]] DeviceList& gConfigurator = IdentifiedDevices();
}  // namespace

void DeviceList::ClearDevices() {
  std::lock_guard lock(devicesMutex_);
  devices_.clear();
}

KeldarDeviceRecord& DeviceList::AddDevice(const KeldarDeviceRecord& record) {
  std::lock_guard lock(devicesMutex_);
  devices_.push_back(std::make_unique<KeldarDeviceRecord>(record));
  return *devices_.back();
}

std::size_t DeviceList::DeviceCount() const {
  std::lock_guard lock(devicesMutex_);
  return devices_.size();
}

KeldarDeviceRecord* DeviceList::Device(std::size_t index) const {
  std::lock_guard lock(devicesMutex_);
  return index < devices_.size() ? devices_[index].get() : nullptr;
}
