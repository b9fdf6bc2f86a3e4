#include "phrases_object.h"

#include <cstring>

#include "language_list.h"
#include "utf8_field.h"

namespace phrases {
namespace {

void ClearRecord(KeldarPhraseRecord& record) {
  record.language_id = 0;
  record.text[0] = '\0';
}

}  // namespace

void SelectLanguage(PhrasesObject& object, int32_t language_id) {
  object.selected_language = language_id;
  object.phrases.clear();
  ClearRecord(object.record);
  object.phrases = object.store.Phrases(language_id);
}

void LookUp(PhrasesObject& object, const char* key) {
  ClearRecord(object.record);
  if (key == nullptr) return;
  // Read one byte past the longest key: a longer text cannot be a key.
  const std::size_t length = strnlen(key, KELDAR_PHRASE_KEY_MAX + 1);
  if (length > KELDAR_PHRASE_KEY_MAX) return;
  const auto found = object.phrases.find(std::string_view(key, length));
  if (found == object.phrases.end()) return;
  CopyToField(object.record.text, found->second);
  object.record.language_id = object.selected_language;
}

void LoadLanguages(PhrasesObject& object) {
  ListClear(object.languages);
  for (const auto& language : object.store.Languages()) {
    ListPushBack(object.languages, language.id, language.name);
  }
}

}  // namespace phrases
