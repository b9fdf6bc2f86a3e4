#pragma once

#include <cstdint>
#include <string_view>

#include "keldar/phrases_api.h"

namespace phrases {

inline constexpr int32_t kLanguageTypeWord = 0x4C414E47;  // "LANG"

// Operations on a language list. A count that was corrupted from outside is read
// clamped to the capacity, so no operation indexes past the array.
int32_t ListSize(const KeldarLanguageList& list);
void ListPushBack(KeldarLanguageList& list, const KeldarLanguageRecord& record);
void ListPushBack(KeldarLanguageList& list, int32_t id, std::string_view name);
KeldarLanguageRecord* ListItem(KeldarLanguageList& list, int32_t index);
void ListClear(KeldarLanguageList& list);

}  // namespace phrases
