// One of the five built device plug-ins, opened from the working folder.
#pragma once

#include <dlfcn.h>

#include <QWidget>

#include "keldar/device_plugin_api.h"
#include "loaded_library.h"

namespace devicescreen::test {

class DevicePlugin {
 public:
  explicit DevicePlugin(const char* file)
      : handle_(::dlopen(BinFile(file).c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ == nullptr) return;
    create_ = reinterpret_cast<KeldarCreateMainFrameFn>(::dlsym(handle_, "_CreateTMainFrame"));
    delete_ = reinterpret_cast<KeldarDeleteMainFrameFn>(::dlsym(handle_, "_DeleteTMainFrame"));
  }
  ~DevicePlugin() {
    if (handle_ != nullptr) ::dlclose(handle_);
  }
  DevicePlugin(const DevicePlugin&) = delete;
  DevicePlugin& operator=(const DevicePlugin&) = delete;

  bool Loaded() const { return create_ != nullptr && delete_ != nullptr; }
  QWidget* Create(void* port, const KeldarBusProtocolLibrary* bus, void* phrases,
                  const KeldarLanguageLibrary* language, const KeldarAdminToolsLibrary* admin,
                  KeldarDeviceRecord* device, std::uint8_t* closeFlag) const {
    int catalogue = 0;  // opaque to the plug-in
    return static_cast<QWidget*>(
        create_(nullptr, port, bus, &catalogue, phrases, language, admin, device, closeFlag));
  }
  void Delete(void* frame) const { delete_(frame); }

 private:
  void* handle_;
  KeldarCreateMainFrameFn create_ = nullptr;
  KeldarDeleteMainFrameFn delete_ = nullptr;
};

}  // namespace devicescreen::test
