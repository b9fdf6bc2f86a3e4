/* The language library "Phrases.so": interface phrases in several languages.
 *
 * Objects:
 *   phrases object  _CreateCSQLite3Phrases; its language list lies
 *                   KELDAR_PHRASES_LANGUAGE_LIST_OFFSET bytes in.
 *   phrase record   the record GetPhrases fills; its text starts 112 bytes in.
 *   language list   a fixed array of language records, ids ascending from 1.
 *
 * Threading: every operation runs on the main thread. */
#pragma once

#include "keldar/plugin_abi.h"

#ifdef __cplusplus
extern "C" {
#endif

#define KELDAR_PHRASE_KEY_MAX 119          /* characters, terminator not counted */
#define KELDAR_PHRASE_TEXT_SIZE 2048       /* bytes, UTF-8, terminator included */
#define KELDAR_LANGUAGE_NAME_SIZE 64
#define KELDAR_LANGUAGE_LIST_CAPACITY 32
#define KELDAR_PHRASES_LANGUAGE_LIST_OFFSET 2332

typedef struct KeldarPhraseRecord {
  int32_t type_word;
  int32_t language_id;                 /* language the text is in; 0 when not found */
  uint8_t reserved[104];
  char text[KELDAR_PHRASE_TEXT_SIZE];  /* empty when the key has no phrase */
} KeldarPhraseRecord;

typedef struct KeldarLanguageRecord {
  int32_t type_word;
  int32_t id;                              /* 1-based, the list position + 1 */
  char name[KELDAR_LANGUAGE_NAME_SIZE];    /* UTF-8, in the language itself */
} KeldarLanguageRecord;

typedef struct KeldarLanguageList {
  int32_t count;
  KeldarLanguageRecord items[KELDAR_LANGUAGE_LIST_CAPACITY];
} KeldarLanguageList;

/* Operation types (object acted on first). */
typedef void *(*KeldarPhrasesCreateFn)(void);
typedef void (*KeldarPhrasesDeleteFn)(void *phrases);
typedef void (*KeldarSetSelectLangFn)(void *phrases, int32_t language_id);
typedef void (*KeldarGetPhrasesFn)(void *phrases, const char *key);
typedef KeldarPhraseRecord *(*KeldarGetPhrasesDataFn)(void *phrases);
typedef void (*KeldarGetLanguageFn)(void *phrases);
typedef void *(*KeldarCreateObjectFn)(void);
typedef void (*KeldarDeleteObjectFn)(void *object);
typedef int32_t (*KeldarLanguageListSizeFn)(const KeldarLanguageList *list);
typedef int32_t (*KeldarLanguageListEmptyFn)(const KeldarLanguageList *list);
typedef void (*KeldarLanguageListPushBackFn)(KeldarLanguageList *list,
                                             const KeldarLanguageRecord *record);
typedef KeldarLanguageRecord *(*KeldarLanguageListGetIndexDataFn)(KeldarLanguageList *list,
                                                                  int32_t index);
typedef void (*KeldarLanguageListClearFn)(KeldarLanguageList *list);

/* Exports in the order the shell resolves them. */
#define KELDAR_PHRASES_EXPORTS(F, G, GA)      \
  F(CreateCSQLite3Phrases, 1)                 \
  F(DeleteCSQLite3Phrases, 1)                 \
  G(SetSelectLang, 1)                         \
  G(GetPhrases, 1)                            \
  G(GetPhrasesData, 1)                        \
  G(GetLanguage, 1)                           \
  F(CreateCDataPhrases, 0)                    \
  F(DeleteCDataPhrases, 0)                    \
  F(CreateCArrayLanguageData, 0)              \
  F(DeleteCArrayLanguageData, 0)              \
  G(ArrayLanguageDataSize, 1)                 \
  G(ArrayLanguageDataEmpty, 0)                \
  G(ArrayLanguageDataPushBack, 0)             \
  G(ArrayLanguageDataGetIndexData, 1)         \
  G(ArrayLanguageDataClear, 0)

/* The language wrapper as plug-in screens receive it: the module handle
 * (non-null when loaded), then one member per export in the order above. */
typedef struct KeldarLanguageLibrary {
  void *module;
  KELDAR_PHRASES_EXPORTS(KELDAR_STRUCT_F, KELDAR_STRUCT_G, KELDAR_STRUCT_GA)
} KeldarLanguageLibrary;

/* Looks `key` up and returns its text, or NULL when there is no phrases
 * object, the library is not loaded, or the phrase is shorter than two
 * characters (callers then keep their built-in text). Main thread only. */
static inline const char *keldar_phrase(const KeldarLanguageLibrary *lib, void *phrases,
                                        const char *key) {
  if (lib == NULL || lib->module == NULL || phrases == NULL) return NULL;
  ((KeldarGetPhrasesFn)lib->GetPhrases.entry)(phrases, key);
  const KeldarPhraseRecord *record =
      ((KeldarGetPhrasesDataFn)lib->GetPhrasesData.entry)(phrases);
  if (record == NULL) return NULL;
  /* count characters, not bytes: a lone Cyrillic letter is two UTF-8 bytes */
  int characters = 0;
  for (const unsigned char *p = (const unsigned char *)record->text; *p && characters < 2; ++p)
    if ((*p & 0xC0) != 0x80) ++characters;
  return characters >= 2 ? record->text : NULL;
}

#ifdef __cplusplus
}
#endif
