#include "module_folder.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace phrases {
namespace {
// Any object of this library serves to ask the loader which file holds it.
const char kAnchor = 0;
}  // namespace

std::string ModuleFolder() {
  Dl_info info{};
  if (dladdr(&kAnchor, &info) == 0 || info.dli_fname == nullptr) return {};
  std::error_code ec;
  const auto file = std::filesystem::absolute(info.dli_fname, ec);
  if (ec) return {};
  return file.parent_path().string();
}

}  // namespace phrases
