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
class IniFile {
 public:
  explicit IniFile(std::filesystem::path file = "config.ini");
  ~IniFile();
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  // (Re)reads the file; a missing, empty or unreadable file gives an empty document.
  void Load();

  // Copies the value with its terminator into `destination` (cut to fit on a
  // character boundary) and returns true; leaves it untouched when the section
  // or key is missing.
  bool ReadValue(const char* section, const char* key, char* destination, std::size_t size) const;
  std::optional<std::string> ReadValue(const char* section, const char* key) const;

  // Sets the value (creating section and key) and stores the whole document.
  // A failed store is not reported: the change stays in memory.
  void WriteValue(const char* section, const char* key, const char* value);

  const std::filesystem::path& File() const { return file_; }

 private:
  void Store() const;

  std::filesystem::path file_;
  mutable std::mutex mutex_;
  // CSimpleIniA compares section and key names without regard to case.
  CSimpleIniA document_{/*isUtf8=*/false, /*multiKey=*/false, /*multiLine=*/false};
};

// The process-wide settings, created and loaded from "config.ini" in the
// working directory during static initialisation, before main().
IniFile& Settings();
