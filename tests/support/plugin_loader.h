#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "base/core/plugin_library.h"

namespace testing_support {

// The names of `rows` that the library `file` does not export (all of them
// when it cannot be loaded).
std::vector<std::string> MissingExports(const std::filesystem::path& file,
                                        std::span<const KeldarExportRow> rows);

// The library built into the working folder: "<build>/bin/<name>".
std::filesystem::path BuiltPlugin(const char* name);

}  // namespace testing_support

// A plug-in library loaded from `file` by the shell's own loader, for the
// object's life: the entries and slots of `rows` filled as the shell fills
// them. `Api` stays all zero when the library is missing or lacks an export the
// shell needs.
template <typename Api>
class LoadedPlugin {
 public:
  LoadedPlugin(const std::filesystem::path& file, std::span<const KeldarExportRow> rows)
      : library_(LoadPluginExports(file.string(), rows, &api_, sizeof api_)),
        file_(file),
        rows_(rows) {}
  ~LoadedPlugin() { api_ = Api{}; }  // library_ unloads after this body
  LoadedPlugin(const LoadedPlugin&) = delete;
  LoadedPlugin& operator=(const LoadedPlugin&) = delete;

  bool Loaded() const { return api_.module != nullptr; }
  const Api& api() const { return api_; }
  const Api* get() const { return &api_; }
  // The exports of the list the library lacks.
  std::vector<std::string> Missing() const { return testing_support::MissingExports(file_, rows_); }

  template <typename Fn>
  Fn Function(KeldarEntry Api::*entry) const {
    return reinterpret_cast<Fn>(api_.*entry);
  }
  template <typename Fn>
  Fn Operation(KeldarSlot Api::*slot) const {
    return reinterpret_cast<Fn>((api_.*slot).entry);
  }

 private:
  Api api_{};
  platform::Library library_;
  std::filesystem::path file_;
  std::span<const KeldarExportRow> rows_;
};
