#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "base/platform/library.h"
#include "keldar/plugin_abi.h"

// Loads `plainName` and fills `api`, a wrapper struct whose first member is the
// module handle followed by the entries and slots `rows` locate. Plain
// functions are stored, each getter is called once with its slot, in row order.
// A library lacking an export the shell calls counts as not loaded: the result
// is then empty and `api` all zero. A missing optional export leaves its entry
// or slot empty.
platform::Library LoadPluginExports(const std::string& plainName,
                                    std::span<const KeldarExportRow> rows, void* api,
                                    std::size_t apiSize);

// One plug-in library for the life of the object. `Api` is the C struct the
// shell hands to plug-ins; it stays all zero when the library is not loaded.
template <typename Api>
class PluginLibrary {
 public:
  PluginLibrary(const std::string& plainName, std::span<const KeldarExportRow> rows)
      : library_(LoadPluginExports(plainName, rows, &api_, sizeof api_)) {}
  ~PluginLibrary() { api_ = Api{}; }  // library_ unloads after this body
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  bool IsLoaded() const { return api_.module != nullptr; }
  const Api* GetApi() const { return &api_; }

 protected:
  template <typename Fn>
  Fn Entry(KeldarEntry entry) const {
    return reinterpret_cast<Fn>(entry);
  }

  Api api_{};

 private:
  platform::Library library_;
};

// Rows of an export list for the wrapper struct named by KELDAR_ROWS_TYPE:
//   #define KELDAR_ROWS_TYPE KeldarXLibrary
//   constexpr KeldarExportRow kExports[] = {KELDAR_EXPORT_ROWS(KELDAR_X_EXPORTS)};
#define KELDAR_ROWS_F(member, required) KELDAR_ROW_F(KELDAR_ROWS_TYPE, member, required)
#define KELDAR_ROWS_G(member, required) KELDAR_ROW_G(KELDAR_ROWS_TYPE, member, required)
#define KELDAR_ROWS_GA(member, exported, required) \
  KELDAR_ROW_GA(KELDAR_ROWS_TYPE, member, exported, required)
#define KELDAR_ROWS KELDAR_ROWS_F, KELDAR_ROWS_G, KELDAR_ROWS_GA
#define KELDAR_APPLY_(list, ...) list(__VA_ARGS__)
#define KELDAR_EXPORT_ROWS(list) KELDAR_APPLY_(list, KELDAR_ROWS)
