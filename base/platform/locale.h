#pragma once

#include <string_view>

namespace platform {

// Windows-style locale identifiers the program's language rules are written in.
inline constexpr int kLcidEnglish = 1033;
inline constexpr int kLcidRussian = 1049;
inline constexpr int kLcidUkrainian = 1058;

// The identifier of a POSIX locale name ("uk_UA.UTF-8"): ru_* 1049, en_* 1033,
// uk_* 1058, a few other languages their own identifier, anything else 0.
int LcidFromLocaleName(std::string_view name);

// The system's default locale from LC_ALL, LC_MESSAGES and LANG, in that order.
int SystemDefaultLcid();

}  // namespace platform
