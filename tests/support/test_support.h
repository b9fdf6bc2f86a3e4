#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything
// in it at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Makes `folder` the working directory for the object's life.
class ScopedDirectory {
 public:
  explicit ScopedDirectory(const std::filesystem::path& folder);
  ~ScopedDirectory();
  ScopedDirectory(const ScopedDirectory&) = delete;
  ScopedDirectory& operator=(const ScopedDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

// A fresh temporary folder that becomes the working directory for the test's
// life; the previous working directory is restored and the folder removed after.
class ScopedWorkingDirectory {
 public:
  ScopedWorkingDirectory() = default;
  const std::filesystem::path& Path() const { return folder_.Path(); }

 private:
  TempFolder folder_;
  ScopedDirectory inside_{folder_.Path()};
};

// Points KELDAR_FAKE_LOG at a fresh file and the plug-in search at `folder`
// for the test's life.
class FakePluginSession {
 public:
  explicit FakePluginSession(const std::filesystem::path& folder);
  ~FakePluginSession();
  FakePluginSession(const FakePluginSession&) = delete;
  FakePluginSession& operator=(const FakePluginSession&) = delete;
  // The lines logged so far.
  std::vector<std::string> Lines() const;

 private:
  TempFolder logFolder_;
  std::filesystem::path log_;
};

// The whole file, byte for byte; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& file);
// Creates the folders on the way; throws when the file cannot be written.
void WriteFile(const std::filesystem::path& file, std::string_view content);

// Sets an environment variable for the test's life (unset when value is null).
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  bool had_ = false;
  std::string old_;
};

// Start-up conditions of the program: a fresh working directory, a folder of
// plug-ins and a locale; the settings are loaded again as before main().
struct StartupEnvironment {
  StartupEnvironment(const std::filesystem::path& plugins, const char* locale);
  ScopedWorkingDirectory cwd;
  FakePluginSession session;
  ScopedEnv lang;
  ScopedEnv all{"LC_ALL", nullptr};
  ScopedEnv messages{"LC_MESSAGES", nullptr};
};
