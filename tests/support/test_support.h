#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A fresh temporary folder that becomes the working directory for the test's
// life; the previous working directory is restored and the folder removed after.
class ScopedWorkingDirectory {
 public:
  ScopedWorkingDirectory();
  ~ScopedWorkingDirectory();
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
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
  std::filesystem::path log_;
};

std::string ReadFile(const std::filesystem::path& file);
void WriteFile(const std::filesystem::path& file, const std::string& content);

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
