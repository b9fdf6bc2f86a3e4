#pragma once

#include <filesystem>
#include <string>

namespace platform {

// A loaded shared library; unloads it when destroyed. Move-only.
class Library {
 public:
  Library() = default;
  // Loads `plainName` ("Phrases.so") from the plug-in folder (the executable's
  // own folder unless overridden), else by the system's normal search.
  // An empty Library when neither works.
  static Library Load(const std::string& plainName);

  Library(Library&& other) noexcept;
  Library& operator=(Library&& other) noexcept;
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  ~Library();

  bool IsLoaded() const { return handle_ != nullptr; }
  void* Handle() const { return handle_; }
  void* Symbol(const char* name) const;
  void Unload();

 private:
  explicit Library(void* handle) : handle_(handle) {}
  void* handle_ = nullptr;
};

// The folder of the running executable.
std::filesystem::path ExecutableDirectory();

// Where plug-ins are looked for first. Tests point it at a folder of fakes;
// an empty path restores the executable's folder.
void SetPluginDirectory(const std::filesystem::path& directory);
std::filesystem::path PluginDirectory();

}  // namespace platform
