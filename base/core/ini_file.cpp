// The document template is instantiated here, once for the program.
#define SI_IMPLEMENTATION
#include "base/core/ini_file.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "base/platform/text.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// SimpleIni ends lines with the platform's newline; the file format is CR LF.
std::string WithCrLf(const std::string& text) {
  std::string result;
  result.reserve(text.size() + text.size() / 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
    result += text[i];
  }
  return result;
}

}  // namespace

IniFile::IniFile(std::filesystem::path file) : file_(std::move(file)) {
  document_.SetSpaces(true);
  Load();
}

IniFile::~IniFile() = default;

void IniFile::Load() {
  std::lock_guard lock(mutex_);
  document_.Reset();
  FileHandle file(std::fopen(file_.c_str(), "rb"));
  if (!file) return;
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return;
  const long size = std::ftell(file.get());
  if (size <= 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return;
  std::vector<char> buffer(static_cast<std::size_t>(size) + 1, '\0');
  const std::size_t read = std::fread(buffer.data(), 1, static_cast<std::size_t>(size), file.get());
  document_.LoadData(buffer.data(), read);
}

bool IniFile::ReadValue(const char* section, const char* key, char* destination,
                         std::size_t size) const {
  std::lock_guard lock(mutex_);
  const char* value = document_.GetValue(section, key, nullptr);
  if (value == nullptr) return false;
  platform::CopyToField(destination, size, value);
  return true;
}

std::optional<std::string> IniFile::ReadValue(const char* section, const char* key) const {
  std::lock_guard lock(mutex_);
  const char* value = document_.GetValue(section, key, nullptr);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

void IniFile::WriteValue(const char* section, const char* key, const char* value) {
  std::lock_guard lock(mutex_);
  document_.SetValue(section, key, value, nullptr, /*forceReplace=*/true);
  Store();
}

void IniFile::Store() const {
  std::string text;
  if (document_.Save(text, /*addSignature=*/false) < 0) return;
  const std::string lines = WithCrLf(text);
  FileHandle file(std::fopen(file_.c_str(), "wb"));
  if (!file) return;
  std::fwrite(lines.data(), 1, lines.size(), file.get());
}

IniFile& Settings() {
  static IniFile settings{"config.ini"};
  return settings;
}

namespace {
// Loads the file during static initialisation, before main() runs.
[[maybe_unused]] const bool gSettingsLoaded = (Settings(), true);
}  // namespace
