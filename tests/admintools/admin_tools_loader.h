#pragma once

#include "keldar/admin_tools_types.h"
#include "plugin_loader.h"

// The built AdminTools.so, loaded by the shell's own loader: every name of
// KELDAR_ADMIN_TOOLS_EXPORTS in order, each getter called once with its slot.
class AdminToolsLoader : public LoadedPlugin<KeldarAdminToolsLibrary> {
 public:
  AdminToolsLoader();

  const KeldarAdminToolsLibrary* Api() const { return get(); }
  KeldarCreateAdminScreenFn CreateAdministration() const;
  KeldarDeleteAdminScreenFn DeleteAdministration() const;
  KeldarCreateAdminScreenFn CreateArchive() const;
  KeldarDeleteAdminScreenFn DeleteArchive() const;
};
