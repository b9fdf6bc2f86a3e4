#include "admin_tools_loader.h"

#include <dlfcn.h>

#include <cstring>

namespace {

#define ROW_F(member, required) KELDAR_ROW_F(KeldarAdminToolsLibrary, member, required)
#define ROW_G(member, required) KELDAR_ROW_G(KeldarAdminToolsLibrary, member, required)
#define ROW_GA(member, exported, required) \
  KELDAR_ROW_GA(KeldarAdminToolsLibrary, member, exported, required)
constexpr KeldarExportRow kExports[] = {KELDAR_ADMIN_TOOLS_EXPORTS(ROW_F, ROW_G, ROW_GA)};
#undef ROW_F
#undef ROW_G
#undef ROW_GA

template <typename Fn>
Fn As(KeldarEntry entry) {
  return reinterpret_cast<Fn>(entry);
}

}  // namespace

AdminToolsLoader::AdminToolsLoader() {
  void* module = dlopen(KELDAR_BIN_DIR "/AdminTools.so", RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) return;
  auto* base = reinterpret_cast<unsigned char*>(&api_);
  for (const auto& row : kExports) {
    void* symbol = dlsym(module, row.name);
    if (symbol == nullptr) {
      missing_.emplace_back(row.name);
    } else if (row.kind == KELDAR_EXPORT_FUNCTION) {
      const auto entry = reinterpret_cast<KeldarEntry>(symbol);
      std::memcpy(base + row.offset, &entry, sizeof entry);
    } else {
      reinterpret_cast<KeldarGetExport>(symbol)(reinterpret_cast<KeldarSlot*>(base + row.offset));
    }
  }
  api_.module = module;  // last, as the shell does
}

AdminToolsLoader::~AdminToolsLoader() {
  if (api_.module != nullptr) dlclose(api_.module);
}

KeldarCreateAdminScreenFn AdminToolsLoader::CreateAdministration() const {
  return As<KeldarCreateAdminScreenFn>(api_.CreateTProgramAdministration);
}
KeldarDeleteAdminScreenFn AdminToolsLoader::DeleteAdministration() const {
  return As<KeldarDeleteAdminScreenFn>(api_.DeleteTProgramAdministration);
}
KeldarCreateAdminScreenFn AdminToolsLoader::CreateArchive() const {
  return As<KeldarCreateAdminScreenFn>(api_.CreateTProgramReadLocalArhiv);
}
KeldarDeleteAdminScreenFn AdminToolsLoader::DeleteArchive() const {
  return As<KeldarDeleteAdminScreenFn>(api_.DeleteTProgramReadLocalArhiv);
}
