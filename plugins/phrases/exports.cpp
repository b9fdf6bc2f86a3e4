// The exported interface of Phrases.so. Every entry point refuses null or foreign
// objects and catches everything: no exception may unwind into the caller.
#include <memory>
#include <string>

#include "keldar/phrases_api.h"
#include "language_list.h"
#include "module_folder.h"
#include "phrases_object.h"

namespace {

using phrases::PhrasesObject;

PhrasesObject* AsPhrases(void* object) {
  auto* self = static_cast<PhrasesObject*>(object);
  return self != nullptr && self->type_word == phrases::kPhrasesTypeWord ? self : nullptr;
}

template <typename Operation>
void FillSlot(KeldarSlot* slot, Operation operation) {
  if (slot == nullptr) return;
  slot->entry = reinterpret_cast<KeldarEntry>(operation);
  slot->context = nullptr;
}

}  // namespace

extern "C" {

// Operations handed out through the _Get exports. Their types are the interface's own
// (checked where each is stored), so a signature mismatch does not compile.

static void SetSelectLang(void* object, int32_t language_id) {
  try {
    if (auto* self = AsPhrases(object)) phrases::SelectLanguage(*self, language_id);
  } catch (...) {
  }
}

static void GetPhrases(void* object, const char* key) {
  try {
    if (auto* self = AsPhrases(object)) phrases::LookUp(*self, key);
  } catch (...) {
  }
}

static KeldarPhraseRecord* GetPhrasesData(void* object) {
  auto* self = AsPhrases(object);
  return self != nullptr ? &self->record : nullptr;
}

static void GetLanguage(void* object) {
  try {
    if (auto* self = AsPhrases(object)) phrases::LoadLanguages(*self);
  } catch (...) {
  }
}

static int32_t ArrayLanguageDataSize(const KeldarLanguageList* list) {
  return list != nullptr ? phrases::ListSize(*list) : 0;
}

static int32_t ArrayLanguageDataEmpty(const KeldarLanguageList* list) {
  return ArrayLanguageDataSize(list) == 0 ? 1 : 0;
}

static void ArrayLanguageDataPushBack(KeldarLanguageList* list,
                                      const KeldarLanguageRecord* record) {
  if (list != nullptr && record != nullptr) phrases::ListPushBack(*list, *record);
}

static KeldarLanguageRecord* ArrayLanguageDataGetIndexData(KeldarLanguageList* list,
                                                           int32_t index) {
  return list != nullptr ? phrases::ListItem(*list, index) : nullptr;
}

static void ArrayLanguageDataClear(KeldarLanguageList* list) {
  if (list != nullptr) phrases::ListClear(*list);
}

// Plain functions.

KELDAR_PLUGIN_EXPORT void* _CreateCSQLite3Phrases(void) {
  try {
    const std::string folder = phrases::ModuleFolder();
    const std::string store = folder.empty() ? "phrases.db" : folder + "/phrases.db";
    return std::make_unique<PhrasesObject>(store).release();
  } catch (...) {
    return nullptr;
  }
}

KELDAR_PLUGIN_EXPORT void _DeleteCSQLite3Phrases(void* object) {
  std::unique_ptr<PhrasesObject> owned(AsPhrases(object));
}

KELDAR_PLUGIN_EXPORT void* _CreateCDataPhrases(void) {
  try {
    auto record = std::make_unique<KeldarPhraseRecord>();
    record->type_word = phrases::kPhraseRecordTypeWord;
    return record.release();
  } catch (...) {
    return nullptr;
  }
}

KELDAR_PLUGIN_EXPORT void _DeleteCDataPhrases(void* record) {
  std::unique_ptr<KeldarPhraseRecord> owned(static_cast<KeldarPhraseRecord*>(record));
}

KELDAR_PLUGIN_EXPORT void* _CreateCArrayLanguageData(void) {
  try {
    return std::make_unique<KeldarLanguageList>().release();
  } catch (...) {
    return nullptr;
  }
}

KELDAR_PLUGIN_EXPORT void _DeleteCArrayLanguageData(void* list) {
  std::unique_ptr<KeldarLanguageList> owned(static_cast<KeldarLanguageList*>(list));
}

// Getters: each hands out one operation.

KELDAR_PLUGIN_EXPORT void _GetSetSelectLang(KeldarSlot* slot) {
  FillSlot<KeldarSetSelectLangFn>(slot, &SetSelectLang);
}
KELDAR_PLUGIN_EXPORT void _GetGetPhrases(KeldarSlot* slot) {
  FillSlot<KeldarGetPhrasesFn>(slot, &GetPhrases);
}
KELDAR_PLUGIN_EXPORT void _GetGetPhrasesData(KeldarSlot* slot) {
  FillSlot<KeldarGetPhrasesDataFn>(slot, &GetPhrasesData);
}
KELDAR_PLUGIN_EXPORT void _GetGetLanguage(KeldarSlot* slot) {
  FillSlot<KeldarGetLanguageFn>(slot, &GetLanguage);
}
KELDAR_PLUGIN_EXPORT void _GetArrayLanguageDataSize(KeldarSlot* slot) {
  FillSlot<KeldarLanguageListSizeFn>(slot, &ArrayLanguageDataSize);
}
KELDAR_PLUGIN_EXPORT void _GetArrayLanguageDataEmpty(KeldarSlot* slot) {
  FillSlot<KeldarLanguageListEmptyFn>(slot, &ArrayLanguageDataEmpty);
}
KELDAR_PLUGIN_EXPORT void _GetArrayLanguageDataPushBack(KeldarSlot* slot) {
  FillSlot<KeldarLanguageListPushBackFn>(slot, &ArrayLanguageDataPushBack);
}
KELDAR_PLUGIN_EXPORT void _GetArrayLanguageDataGetIndexData(KeldarSlot* slot) {
  FillSlot<KeldarLanguageListGetIndexDataFn>(slot, &ArrayLanguageDataGetIndexData);
}
KELDAR_PLUGIN_EXPORT void _GetArrayLanguageDataClear(KeldarSlot* slot) {
  FillSlot<KeldarLanguageListClearFn>(slot, &ArrayLanguageDataClear);
}

}  // extern "C"
