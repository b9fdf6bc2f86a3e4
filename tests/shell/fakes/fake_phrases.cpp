// A fake language library with three languages. A phrase reads
// "<language id>:<key>", except for a few keys tests use for short texts.
#include <cstring>
#include <map>
#include <new>
#include <string>

#include "fake_log.h"
#include "keldar/phrases_api.h"

namespace {

struct FakePhrases {
  int selected = 0;
  KeldarPhraseRecord record{};
  unsigned char
      padding[KELDAR_PHRASES_LANGUAGE_LIST_OFFSET - sizeof(int) - sizeof(KeldarPhraseRecord)];
  KeldarLanguageList languages{};
};
static_assert(offsetof(FakePhrases, languages) == KELDAR_PHRASES_LANGUAGE_LIST_OFFSET);

void Copy(char* field, std::size_t size, const std::string& text) {
  std::strncpy(field, text.c_str(), size - 1);
  field[size - 1] = '\0';
}

void SetSelectLang(void* object, int32_t id) {
  static_cast<FakePhrases*>(object)->selected = id;
  FakeLog("select " + std::to_string(id));
}

void GetPhrases(void* object, const char* key) {
  auto* phrases = static_cast<FakePhrases*>(object);
  static const std::map<std::string, std::string> kShort{
      {"ONE_LATIN_LETTER", "x"}, {"ONE_CYRILLIC_LETTER", "Я"}, {"EMPTY", ""}};
  const auto found = kShort.find(key);
  const std::string text = found != kShort.end()
                               ? found->second
                               : std::to_string(phrases->selected) + ":" + std::string(key);
  Copy(phrases->record.text, sizeof phrases->record.text, text);
}

KeldarPhraseRecord* GetPhrasesData(void* object) {
  return &static_cast<FakePhrases*>(object)->record;
}

void GetLanguage(void* object) {
  auto* phrases = static_cast<FakePhrases*>(object);
  static const char* const kNames[] = {"English", "Русский", "Українська"};
#ifdef FAKE_NO_LANGUAGES
  phrases->languages.count = 0;
  return;
#endif
  phrases->languages.count = 3;
  for (int i = 0; i < 3; ++i) {
    phrases->languages.items[i].id = i + 1;
    Copy(phrases->languages.items[i].name, sizeof phrases->languages.items[i].name, kNames[i]);
  }
  FakeLog("languages");
}

int32_t ListSize(const KeldarLanguageList* list) { return list->count; }
int32_t ListEmpty(const KeldarLanguageList* list) { return list->count == 0; }
void ListPushBack(KeldarLanguageList* list, const KeldarLanguageRecord* record) {
  if (list->count < KELDAR_LANGUAGE_LIST_CAPACITY) list->items[list->count++] = *record;
}
KeldarLanguageRecord* ListItem(KeldarLanguageList* list, int32_t index) {
  return index >= 0 && index < list->count ? &list->items[index] : nullptr;
}
void ListClear(KeldarLanguageList* list) { list->count = 0; }

template <typename Fn>
void Fill(KeldarSlot* slot, Fn fn) {
  slot->entry = reinterpret_cast<KeldarEntry>(fn);
  slot->context = nullptr;
}

}  // namespace

#define EXPORT extern "C" KELDAR_PLUGIN_EXPORT

EXPORT void* _CreateCSQLite3Phrases() {
  FakeLog("create");
  return new (std::nothrow) FakePhrases();
}
EXPORT void _DeleteCSQLite3Phrases(void* object) {
  FakeLog("delete");
  delete static_cast<FakePhrases*>(object);
}
EXPORT void _GetSetSelectLang(KeldarSlot* slot) { Fill(slot, &SetSelectLang); }
EXPORT void _GetGetPhrases(KeldarSlot* slot) { Fill(slot, &GetPhrases); }
EXPORT void _GetGetPhrasesData(KeldarSlot* slot) { Fill(slot, &GetPhrasesData); }
EXPORT void _GetGetLanguage(KeldarSlot* slot) { Fill(slot, &GetLanguage); }
EXPORT void* _CreateCDataPhrases() { return new (std::nothrow) KeldarPhraseRecord(); }
EXPORT void _DeleteCDataPhrases(void* record) { delete static_cast<KeldarPhraseRecord*>(record); }
EXPORT void* _CreateCArrayLanguageData() { return new (std::nothrow) KeldarLanguageList(); }
EXPORT void _DeleteCArrayLanguageData(void* list) { delete static_cast<KeldarLanguageList*>(list); }
EXPORT void _GetArrayLanguageDataSize(KeldarSlot* slot) { Fill(slot, &ListSize); }
EXPORT void _GetArrayLanguageDataEmpty(KeldarSlot* slot) { Fill(slot, &ListEmpty); }
EXPORT void _GetArrayLanguageDataPushBack(KeldarSlot* slot) { Fill(slot, &ListPushBack); }
EXPORT void _GetArrayLanguageDataGetIndexData(KeldarSlot* slot) { Fill(slot, &ListItem); }
EXPORT void _GetArrayLanguageDataClear(KeldarSlot* slot) { Fill(slot, &ListClear); }
