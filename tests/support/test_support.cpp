#include "test_support.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "base/core/ini_file.h"
#include "base/platform/library.h"

namespace {

std::filesystem::path FreshTemporaryFolder() {
  static std::atomic<int> counter{0};
  auto path =
      std::filesystem::temp_directory_path() /
      ("keldar-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1)));
  std::filesystem::remove_all(path);
  std::filesystem::create_directories(path);
  return path;
}

}  // namespace

TempFolder::TempFolder() : path_(FreshTemporaryFolder()) {}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

ScopedDirectory::ScopedDirectory(const std::filesystem::path& folder)
    : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(folder);
}

ScopedDirectory::~ScopedDirectory() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
}

FakePluginSession::FakePluginSession(const std::filesystem::path& folder)
    : log_(logFolder_ / "calls.log") {
  ::setenv("KELDAR_FAKE_LOG", log_.c_str(), 1);
  platform::SetPluginDirectory(folder);
}

FakePluginSession::~FakePluginSession() {
  platform::SetPluginDirectory({});
  ::unsetenv("KELDAR_FAKE_LOG");
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

void WriteFile(const std::filesystem::path& file, std::string_view content) {
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
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
