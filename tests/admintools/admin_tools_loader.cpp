#include "admin_tools_loader.h"

namespace {

#define KELDAR_ROWS_TYPE KeldarAdminToolsLibrary
constexpr KeldarExportRow kExports[] = {KELDAR_EXPORT_ROWS(KELDAR_ADMIN_TOOLS_EXPORTS)};
#undef KELDAR_ROWS_TYPE

}  // namespace

AdminToolsLoader::AdminToolsLoader()
    : LoadedPlugin(testing_support::BuiltPlugin("AdminTools.so"), kExports) {}

KeldarCreateAdminScreenFn AdminToolsLoader::CreateAdministration() const {
  return Function<KeldarCreateAdminScreenFn>(
      &KeldarAdminToolsLibrary::CreateTProgramAdministration);
}
KeldarDeleteAdminScreenFn AdminToolsLoader::DeleteAdministration() const {
  return Function<KeldarDeleteAdminScreenFn>(
      &KeldarAdminToolsLibrary::DeleteTProgramAdministration);
}
KeldarCreateAdminScreenFn AdminToolsLoader::CreateArchive() const {
  return Function<KeldarCreateAdminScreenFn>(
      &KeldarAdminToolsLibrary::CreateTProgramReadLocalArhiv);
}
KeldarDeleteAdminScreenFn AdminToolsLoader::DeleteArchive() const {
  return Function<KeldarDeleteAdminScreenFn>(
      &KeldarAdminToolsLibrary::DeleteTProgramReadLocalArhiv);
}
