#include "base/platform/library.h"

#include <dlfcn.h>

#include <mutex>
#include <system_error>
#include <utility>

namespace platform {
namespace {

std::mutex gDirectoryMutex;
std::filesystem::path gPluginDirectory;

}  // namespace

Library Library::Load(const std::string& plainName) {
  const auto beside = PluginDirectory() / plainName;
  std::error_code error;
  if (std::filesystem::is_regular_file(beside, error)) {
    if (void* handle = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL)) return Library(handle);
  }
  return Library(dlopen(plainName.c_str(), RTLD_NOW | RTLD_LOCAL));
}

Library::Library(Library&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

Library& Library::operator=(Library&& other) noexcept {
  if (this != &other) {
    Unload();
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

Library::~Library() { Unload(); }

void* Library::Symbol(const char* name) const {
  return handle_ != nullptr ? dlsym(handle_, name) : nullptr;
}

void Library::Unload() {
  if (handle_ != nullptr) dlclose(std::exchange(handle_, nullptr));
}

std::filesystem::path ExecutableDirectory() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path(error) : self.parent_path();
}

void SetPluginDirectory(const std::filesystem::path& directory) {
  std::lock_guard lock(gDirectoryMutex);
  gPluginDirectory = directory;
}

std::filesystem::path PluginDirectory() {
  std::lock_guard lock(gDirectoryMutex);
  return gPluginDirectory.empty() ? ExecutableDirectory() : gPluginDirectory;
}

}  // namespace platform
