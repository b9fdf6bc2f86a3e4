#pragma once

// Values are kept as raw bytes; no wide-character conversion is wanted.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <cstddef>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>

// The settings file config.ini: loaded once, answered from memory, and stored
// whole after every change. Section and key names ignore case; a key repeated
// in the file keeps its last value. Safe to use from several threads.
//
// A file that cannot be read as settings (a folder, a pipe or device, no
// permission, binary data, far too large) gives an empty document and is never
// written over: whatever the user keeps there stays as it is.
class IniFile {
 public:
  // Anything larger is not a settings file this program wrote.
  static constexpr std::size_t kMaxSize = 1 << 20;

  explicit IniFile(std::filesystem::path file = "config.ini");
  ~IniFile();
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  // (Re)reads the file; a missing or empty file gives an empty document, one
  // that cannot be read an empty document and a LoadProblem().
  void Load();

  // Why the file could not be read at the last Load(), in English
  // ("config.ini is a folder"); empty when it was read or did not exist.
  std::optional<std::string> LoadProblem() const;
  // Why the last store did not reach the file; empty after a store that did.
  std::optional<std::string> StoreProblem() const;

  // Copies the value with its terminator into `destination` (cut to fit on a
  // character boundary) and returns true; leaves it untouched when the section
  // or key is missing.
  bool ReadValue(const char* section, const char* key, char* destination, std::size_t size) const;
  std::optional<std::string> ReadValue(const char* section, const char* key) const;

  // Sets the value (creating section and key) and stores the whole document.
  // False when the store failed (see StoreProblem()): the change stays in memory.
  bool WriteValue(const char* section, const char* key, const char* value);

  const std::filesystem::path& File() const { return file_; }

 private:
  bool Store();

  std::filesystem::path file_;
  mutable std::mutex mutex_;
  std::optional<std::string> loadProblem_;
  std::optional<std::string> storeProblem_;
  // CSimpleIniA compares section and key names without regard to case.
  CSimpleIniA document_{/*isUtf8=*/false, /*multiKey=*/false, /*multiLine=*/false};
};

// The process-wide settings, created and loaded from "config.ini" in the
// working directory during static initialisation, before main().
IniFile& Settings();
