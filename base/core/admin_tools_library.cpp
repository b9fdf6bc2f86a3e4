#include "base/core/admin_tools_library.h"

namespace {

#define KELDAR_ROWS_TYPE KeldarAdminToolsLibrary
constexpr KeldarExportRow kExports[] = {KELDAR_EXPORT_ROWS(KELDAR_ADMIN_TOOLS_EXPORTS)};
#undef KELDAR_ROWS_TYPE

}  // namespace

AdminToolsLibrary::AdminToolsLibrary() : PluginLibrary(kFileName, kExports) {}
