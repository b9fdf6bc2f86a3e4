#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

#include "keldar/phrases_api.h"
#include "phrase_store.h"

namespace phrases {

inline constexpr int32_t kPhrasesTypeWord = 0x50485253;       // "PHRS"
inline constexpr int32_t kPhraseRecordTypeWord = 0x54585450;  // "TXTP"

// The phrases object handed to the shell. The shell reads the language list at a fixed
// offset, so this is a standard-layout struct; the store and the loaded phrases follow
// the part the shell knows about.
struct PhrasesObject {
  explicit PhrasesObject(std::string store_file) : store(std::move(store_file)) {}

  int32_t type_word = kPhrasesTypeWord;
  int32_t selected_language = 0;
  KeldarPhraseRecord record{};
  uint8_t reserved[KELDAR_PHRASES_LANGUAGE_LIST_OFFSET - 2 * sizeof(int32_t) -
                   sizeof(KeldarPhraseRecord)]{};
  KeldarLanguageList languages{};
  PhraseStore store;
  PhraseMap phrases;  // of the selected language
};

static_assert(std::is_standard_layout_v<PhrasesObject>);
static_assert(offsetof(PhrasesObject, languages) == KELDAR_PHRASES_LANGUAGE_LIST_OFFSET);
static_assert(offsetof(KeldarPhraseRecord, text) == 112);
static_assert(offsetof(KeldarLanguageRecord, id) == 4);
static_assert(offsetof(KeldarLanguageRecord, name) == 8);

// Selects the language of later lookups and loads its phrases into memory.
void SelectLanguage(PhrasesObject& object, int32_t language_id);
// Fills the record with the phrase of `key` (NUL-terminated, at most
// KELDAR_PHRASE_KEY_MAX characters); empty text when there is none.
void LookUp(PhrasesObject& object, const char* key);
// Refills the language list from the store, in id order.
void LoadLanguages(PhrasesObject& object);

}  // namespace phrases
