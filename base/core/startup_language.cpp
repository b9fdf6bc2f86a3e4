#include "base/core/startup_language.h"

#include <cstdlib>
#include <string>

#include "base/core/ini_file.h"
#include "base/core/phrases_library.h"
#include "base/platform/locale.h"

int LanguageForLcid(int lcid) {
  switch (lcid) {
    case platform::kLcidRussian:
      return 2;
    case platform::kLcidUkrainian:
      return 3;
    default:
      return 1;
  }
}

int SelectStartupLanguage(IniFile& settings, const PhrasesLibrary& library, void* phrases,
                          int systemLcid) {
  // Two characters and the terminator; a longer stored value is cut to two.
  char value[3] = {};
  settings.ReadValue("LANGUAGE", "LANG", value, sizeof value);
  if (value[0] == '\0') {
    const std::string derived = std::to_string(LanguageForLcid(systemLcid));
    settings.WriteValue("LANGUAGE", "LANG", derived.c_str());
    settings.ReadValue("LANGUAGE", "LANG", value, sizeof value);
  }
  const int id = std::atoi(value);
  library.SelectLanguage(phrases, id);
  return id;
}
