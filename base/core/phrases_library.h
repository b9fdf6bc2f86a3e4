#pragma once

#include <string>
#include <vector>

#include "base/core/plugin_library.h"
#include "keldar/phrases_api.h"

// The language library "Phrases.so". Plug-in screens receive its C struct
// (GetApi()); the shell uses the typed operations below. Main thread only.
class PhrasesLibrary : public PluginLibrary<KeldarLanguageLibrary> {
 public:
  static constexpr const char* kFileName = "Phrases.so";
  PhrasesLibrary();

  struct Language {
    int id;
    std::string name;  // UTF-8
  };

  void* CreatePhrases() const;
  void DeletePhrases(void* phrases) const;
  void SelectLanguage(void* phrases, int id) const;
  // The phrase of `key` (two characters at least), or nullptr.
  const char* Phrase(void* phrases, const char* key) const;
  // Loads the phrases object's language list and returns it in list order.
  std::vector<Language> LoadLanguages(void* phrases) const;
};
