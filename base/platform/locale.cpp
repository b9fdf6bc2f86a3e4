#include "base/platform/locale.h"

#include <array>
#include <cstdlib>
#include <utility>

namespace platform {

int LcidFromLocaleName(std::string_view name) {
  // The language is what stands before '_', '.' or '@' ("uk_UA.UTF-8" → "uk").
  const auto end = name.find_first_of("_.@");
  const std::string_view language = name.substr(0, end);
  static constexpr std::array<std::pair<std::string_view, int>, 14> kLanguages{{
      {"en", kLcidEnglish},
      {"ru", kLcidRussian},
      {"uk", kLcidUkrainian},
      {"be", 1059},
      {"kk", 1087},
      {"pl", 1045},
      {"de", 1031},
      {"fr", 1036},
      {"es", 3082},
      {"it", 1040},
      {"lt", 1063},
      {"lv", 1062},
      {"et", 1061},
      {"ro", 1048},
  }};
  for (const auto& [code, lcid] : kLanguages) {
    if (language == code) return lcid;
  }
  return 0;
}

int SystemDefaultLcid() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return LcidFromLocaleName(value);
  }
  return 0;
}

}  // namespace platform
