#pragma once

#include "base/core/plugin_library.h"
#include "keldar/admin_tools_api.h"

// The administration and archive library "AdminTools.so". The shell opens its
// two screens; device plug-ins use its data-store operations through GetApi().
class AdminToolsLibrary : public PluginLibrary<KeldarAdminToolsLibrary> {
 public:
  static constexpr const char* kFileName = "AdminTools.so";
  AdminToolsLibrary();

  KeldarCreateAdminScreenFn CreateAdministration() const {
    return Entry<KeldarCreateAdminScreenFn>(api_.CreateTProgramAdministration);
  }
  KeldarDeleteAdminScreenFn DeleteAdministration() const {
    return Entry<KeldarDeleteAdminScreenFn>(api_.DeleteTProgramAdministration);
  }
  KeldarCreateAdminScreenFn CreateArchive() const {
    return Entry<KeldarCreateAdminScreenFn>(api_.CreateTProgramReadLocalArhiv);
  }
  KeldarDeleteAdminScreenFn DeleteArchive() const {
    return Entry<KeldarDeleteAdminScreenFn>(api_.DeleteTProgramReadLocalArhiv);
  }
};
