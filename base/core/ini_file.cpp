// The document template is instantiated here, once for the program.
#define SI_IMPLEMENTATION
#include "base/core/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "base/platform/text.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

struct FdCloser {
  int fd;
  ~FdCloser() {
    if (fd >= 0) ::close(fd);
  }
};

// Settings are text: a control character other than tab and line ends means
// the file holds something else.
bool LooksBinary(const std::vector<char>& bytes) {
  return std::any_of(bytes.begin(), bytes.end(), [](char c) {
    const auto b = static_cast<unsigned char>(c);
    return b < 0x20 && b != '\t' && b != '\n' && b != '\r';
  });
}

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
  loadProblem_.reset();
  const std::string name = file_.filename().string();
  const auto fail = [&](const std::string& why) { loadProblem_ = name + " " + why; };
  const auto failErrno = [&](int error) {
    fail(std::string("cannot be read: ") + std::strerror(error));
  };

  // Looked at before opening: opening a pipe would wait for a writer.
  struct stat info {};
  if (::stat(file_.c_str(), &info) != 0) {
    if (errno != ENOENT) failErrno(errno);
    return;
  }
  if (S_ISDIR(info.st_mode)) return fail("is a folder, not a file");
  if (!S_ISREG(info.st_mode)) return fail("is not a regular file");
  if (static_cast<std::uintmax_t>(info.st_size) > kMaxSize)
    return fail("is too large to be a settings file (" + std::to_string(info.st_size) + " bytes)");

  // Non-blocking, and checked again once open, should it have been swapped meanwhile.
  const FdCloser file{::open(file_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
  if (file.fd < 0) return failErrno(errno);
  if (::fstat(file.fd, &info) != 0) return failErrno(errno);
  if (!S_ISREG(info.st_mode)) return fail("is not a regular file");

  std::vector<char> buffer;
  char chunk[16384];
  for (;;) {
    const ssize_t n = ::read(file.fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return failErrno(errno);
    if (n == 0) break;
    buffer.insert(buffer.end(), chunk, chunk + n);
    if (buffer.size() > kMaxSize) return fail("is too large to be a settings file");
  }
  if (LooksBinary(buffer)) return fail("holds binary data, not settings");
  if (buffer.empty()) return;
  if (document_.LoadData(buffer.data(), buffer.size()) < 0) {
    document_.Reset();
    fail("cannot be read as settings");
  }
}

std::optional<std::string> IniFile::LoadProblem() const {
  std::lock_guard lock(mutex_);
  return loadProblem_;
}

std::optional<std::string> IniFile::StoreProblem() const {
  std::lock_guard lock(mutex_);
  return storeProblem_;
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

bool IniFile::WriteValue(const char* section, const char* key, const char* value) {
  std::lock_guard lock(mutex_);
  document_.SetValue(section, key, value, nullptr, /*forceReplace=*/true);
  return Store();
}

bool IniFile::Store() {
  const std::string name = file_.filename().string();
  // Writing the empty document over a file that could not be read would lose it.
  if (loadProblem_) {
    storeProblem_ = name + " was not written: it could not be read when the program started";
    return false;
  }
  std::string text;
  if (document_.Save(text, /*addSignature=*/false) < 0) {
    storeProblem_ = name + " was not written";
    return false;
  }
  const std::string lines = WithCrLf(text);
  FileHandle file(std::fopen(file_.c_str(), "wb"));
  if (!file) {
    storeProblem_ = name + " cannot be written: " + std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(lines.data(), 1, lines.size(), file.get()) == lines.size();
  const int writeError = errno;
  // The close flushes: a full disk shows here.
  const bool closed = std::fclose(file.release()) == 0;
  if (!written || !closed) {
    storeProblem_ = name + " cannot be written: " + std::strerror(written ? errno : writeError);
    return false;
  }
  storeProblem_.reset();
  return true;
}

IniFile& Settings() {
  static IniFile settings{"config.ini"};
  return settings;
}

namespace {
// Loads the file during static initialisation, before main() runs.
[[maybe_unused]] const bool gSettingsLoaded = (Settings(), true);
}  // namespace
