#include "plugin_loader.h"

#include "base/platform/library.h"

namespace testing_support {

std::vector<std::string> MissingExports(const std::filesystem::path& file,
                                        std::span<const KeldarExportRow> rows) {
  const auto library = platform::Library::Load(file.string());
  std::vector<std::string> missing;
  for (const auto& row : rows) {
    if (library.Symbol(row.name) == nullptr) missing.emplace_back(row.name);
  }
  return missing;
}

std::filesystem::path BuiltPlugin(const char* name) {
  return std::filesystem::path(KELDAR_BIN_DIR) / name;
}

}  // namespace testing_support
