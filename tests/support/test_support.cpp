#include "test_support.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "base/core/ini_file.h"
#include "base/platform/library.h"

namespace {

std::filesystem::path FreshTemporaryFolder(const char* prefix) {
  static std::atomic<int> counter{0};
  auto path =
      std::filesystem::temp_directory_path() / (std::string(prefix) + std::to_string(::getpid()) +
                                                "-" + std::to_string(counter.fetch_add(1)));
  std::filesystem::remove_all(path);
  std::filesystem::create_directories(path);
  return path;
}

}  // namespace

ScopedWorkingDirectory::ScopedWorkingDirectory()
    : previous_(std::filesystem::current_path()), path_(FreshTemporaryFolder("keldar-cwd-")) {
  std::filesystem::current_path(path_);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
  std::filesystem::remove_all(path_, ignored);
}

FakePluginSession::FakePluginSession(const std::filesystem::path& folder)
    : log_(FreshTemporaryFolder("keldar-log-") / "calls.log") {
  ::setenv("KELDAR_FAKE_LOG", log_.c_str(), 1);
  platform::SetPluginDirectory(folder);
}

FakePluginSession::~FakePluginSession() {
  platform::SetPluginDirectory({});
  ::unsetenv("KELDAR_FAKE_LOG");
  std::error_code ignored;
  std::filesystem::remove_all(log_.parent_path(), ignored);
}

std::vector<std::string> FakePluginSession::Lines() const {
  std::vector<std::string> lines;
  std::ifstream in(log_);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteFile(const std::filesystem::path& file, const std::string& content) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << content;
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name) {
  if (const char* old = std::getenv(name)) {
    had_ = true;
    old_ = old;
  }
  if (value != nullptr)
    ::setenv(name, value, 1);
  else
    ::unsetenv(name);
}

ScopedEnv::~ScopedEnv() {
  if (had_)
    ::setenv(name_.c_str(), old_.c_str(), 1);
  else
    ::unsetenv(name_.c_str());
}

StartupEnvironment::StartupEnvironment(const std::filesystem::path& plugins, const char* locale)
    : session(plugins), lang("LANG", locale) {
  Settings().Load();
}
