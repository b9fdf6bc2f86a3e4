// A plug-in library loaded the way the shell loads it: every export of its
// list resolved by name, each _Get export called once to fill its slot.
#pragma once

#include <dlfcn.h>

#include <cstddef>
#include <span>
#include <string>

#include "keldar/plugin_abi.h"

namespace devicescreen::test {

inline std::string BinFile(const char* name) { return std::string(KELDAR_BIN_DIR) + "/" + name; }

template <typename Api>
class LoadedLibrary {
 public:
  LoadedLibrary(const char* file, std::span<const KeldarExportRow> rows)
      : handle_(::dlopen(BinFile(file).c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ == nullptr) return;
    api_.module = handle_;
    auto* base = reinterpret_cast<unsigned char*>(&api_);
    for (const auto& row : rows) {
      void* symbol = ::dlsym(handle_, row.name);
      if (symbol == nullptr) continue;
      if (row.kind == KELDAR_EXPORT_FUNCTION) {
        *reinterpret_cast<KeldarEntry*>(base + row.offset) = reinterpret_cast<KeldarEntry>(symbol);
      } else {
        reinterpret_cast<KeldarGetExport>(symbol)(reinterpret_cast<KeldarSlot*>(base + row.offset));
      }
    }
  }
  ~LoadedLibrary() {
    if (handle_ != nullptr) ::dlclose(handle_);
  }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  bool Loaded() const { return handle_ != nullptr; }
  const Api* get() const { return &api_; }
  const char* Error() const { return ::dlerror(); }

 private:
  void* handle_;
  Api api_{};
};

}  // namespace devicescreen::test
