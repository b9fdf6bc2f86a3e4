#pragma once

#include <string>
#include <vector>

#include "keldar/admin_tools_types.h"

// The built AdminTools.so, resolved as the shell resolves it: every name of
// KELDAR_ADMIN_TOOLS_EXPORTS in order, each getter called once with its slot.
class AdminToolsLoader {
 public:
  AdminToolsLoader();
  ~AdminToolsLoader();
  AdminToolsLoader(const AdminToolsLoader&) = delete;
  AdminToolsLoader& operator=(const AdminToolsLoader&) = delete;

  const KeldarAdminToolsLibrary* Api() const { return &api_; }
  const std::vector<std::string>& Missing() const { return missing_; }
  KeldarCreateAdminScreenFn CreateAdministration() const;
  KeldarDeleteAdminScreenFn DeleteAdministration() const;
  KeldarCreateAdminScreenFn CreateArchive() const;
  KeldarDeleteAdminScreenFn DeleteArchive() const;

 private:
  KeldarAdminToolsLibrary api_{};
  std::vector<std::string> missing_;
};
