#include "language_list.h"

#include <algorithm>
#include <cstring>

#include "utf8_field.h"

namespace phrases {

int32_t ListSize(const KeldarLanguageList& list) {
  return std::clamp<int32_t>(list.count, 0, KELDAR_LANGUAGE_LIST_CAPACITY);
}

void ListPushBack(KeldarLanguageList& list, const KeldarLanguageRecord& record) {
  // The caller's name need not be terminated inside its field.
  const auto* name = record.name;
  ListPushBack(list, record.id, std::string_view(name, strnlen(name, sizeof record.name)));
}

void ListPushBack(KeldarLanguageList& list, int32_t id, std::string_view name) {
  const int32_t size = ListSize(list);
  if (size >= KELDAR_LANGUAGE_LIST_CAPACITY) return;
  KeldarLanguageRecord& item = list.items[size];
  item = KeldarLanguageRecord{};
  item.type_word = kLanguageTypeWord;
  item.id = id;
  CopyToField(item.name, name);
  list.count = size + 1;
}

KeldarLanguageRecord* ListItem(KeldarLanguageList& list, int32_t index) {
  if (index < 0 || index >= ListSize(list)) return nullptr;
  return &list.items[index];
}

void ListClear(KeldarLanguageList& list) { list = KeldarLanguageList{}; }

}  // namespace phrases
