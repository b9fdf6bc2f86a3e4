#include "device/device_list.h"

#include "device/device_record.h"

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
  selections_.clear();
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

void DeviceList::SetSelection(const KeldarDeviceRecord* record, mbus::Selection selection) {
  std::lock_guard lock(devicesMutex_);
  selections_[record] = std::move(selection);
}

mbus::Selection DeviceList::SelectionReaching(const KeldarDeviceRecord& record) const {
  std::lock_guard lock(devicesMutex_);
  const auto it = selections_.find(&record);
  return it != selections_.end() ? it->second : SelectionFor(record);
}
