#include "base/core/plugin_library.h"

#include <cstring>

platform::Library LoadPluginExports(const std::string& plainName,
                                    std::span<const KeldarExportRow> rows, void* api,
                                    std::size_t apiSize) {
  std::memset(api, 0, apiSize);
  auto library = platform::Library::Load(plainName);
  if (!library.IsLoaded()) return library;

  for (const auto& row : rows) {
    if (row.required != 0 && library.Symbol(row.name) == nullptr) {
      library.Unload();
      return library;
    }
  }
  auto* base = static_cast<unsigned char*>(api);
  for (const auto& row : rows) {
    void* symbol = library.Symbol(row.name);
    if (symbol == nullptr) continue;
    if (row.kind == KELDAR_EXPORT_GETTER) {
      auto* slot = reinterpret_cast<KeldarSlot*>(base + row.offset);
      reinterpret_cast<KeldarGetExport>(symbol)(slot);
    } else {
      auto* entry = reinterpret_cast<KeldarEntry*>(base + row.offset);
      *entry = reinterpret_cast<KeldarEntry>(symbol);
    }
  }
  // The handle goes in last: a half-filled struct never reads as loaded.
  void* handle = library.Handle();
  std::memcpy(base, &handle, sizeof handle);
  return library;
}
