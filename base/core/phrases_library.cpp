#include "base/core/phrases_library.h"

#include <cstring>

namespace {

#define KELDAR_ROWS_TYPE KeldarLanguageLibrary
constexpr KeldarExportRow kExports[] = {KELDAR_EXPORT_ROWS(KELDAR_PHRASES_EXPORTS)};
#undef KELDAR_ROWS_TYPE

}  // namespace

PhrasesLibrary::PhrasesLibrary() : PluginLibrary(kFileName, kExports) {}

void* PhrasesLibrary::CreatePhrases() const {
  if (!IsLoaded()) return nullptr;
  return Entry<KeldarPhrasesCreateFn>(api_.CreateCSQLite3Phrases)();
}

void PhrasesLibrary::DeletePhrases(void* phrases) const {
  if (IsLoaded() && phrases != nullptr)
    Entry<KeldarPhrasesDeleteFn>(api_.DeleteCSQLite3Phrases)(phrases);
}

void PhrasesLibrary::SelectLanguage(void* phrases, int id) const {
  if (IsLoaded() && phrases != nullptr)
    Entry<KeldarSetSelectLangFn>(api_.SetSelectLang.entry)(phrases, id);
}

const char* PhrasesLibrary::Phrase(void* phrases, const char* key) const {
  return keldar_phrase(&api_, phrases, key);
}

std::vector<PhrasesLibrary::Language> PhrasesLibrary::LoadLanguages(void* phrases) const {
  std::vector<Language> languages;
  if (!IsLoaded() || phrases == nullptr) return languages;
  Entry<KeldarGetLanguageFn>(api_.GetLanguage.entry)(phrases);
  auto* list = reinterpret_cast<KeldarLanguageList*>(static_cast<unsigned char*>(phrases) +
                                                     KELDAR_PHRASES_LANGUAGE_LIST_OFFSET);
  const auto size = Entry<KeldarLanguageListSizeFn>(api_.ArrayLanguageDataSize.entry);
  const auto item =
      Entry<KeldarLanguageListGetIndexDataFn>(api_.ArrayLanguageDataGetIndexData.entry);
  const int count = size(list);
  for (int i = 0; i < count; ++i) {
    if (const KeldarLanguageRecord* record = item(list, i)) {
      // The name field is bounded; never read past it.
      const std::string_view name(record->name, ::strnlen(record->name, sizeof record->name));
      languages.push_back({record->id, std::string(name)});
    }
  }
  return languages;
}
