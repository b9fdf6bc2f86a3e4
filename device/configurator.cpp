#include "device/configurator.h"

CConfigurator& Configurator() {
  static CConfigurator configurator;
  return configurator;
}

namespace {
// Created during static initialisation, before main() runs.
[[maybe_unused]] CConfigurator& gConfigurator = Configurator();
}  // namespace

void CConfigurator::ClearDevices() {
  std::lock_guard lock(devicesMutex_);
  devices_.clear();
}

KeldarDeviceRecord& CConfigurator::AddDevice(const KeldarDeviceRecord& record) {
  std::lock_guard lock(devicesMutex_);
  devices_.push_back(std::make_unique<KeldarDeviceRecord>(record));
  return *devices_.back();
}

std::size_t CConfigurator::DeviceCount() const {
  std::lock_guard lock(devicesMutex_);
  return devices_.size();
}

KeldarDeviceRecord* CConfigurator::Device(std::size_t index) const {
  std::lock_guard lock(devicesMutex_);
  return index < devices_.size() ? devices_[index].get() : nullptr;
}
