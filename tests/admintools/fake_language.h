#pragma once

#include <map>
#include <string>

#include "keldar/phrases_api.h"

// A language library as a screen receives it, answering every key with
// "EN:<key>", or with the text set for it (short texts included).
class FakeLanguage {
 public:
  FakeLanguage();
  FakeLanguage(const FakeLanguage&) = delete;
  FakeLanguage& operator=(const FakeLanguage&) = delete;

  const KeldarLanguageLibrary* Library() const { return &library_; }
  void* Phrases() { return &phrases_; }
  void Set(const std::string& key, const std::string& text) { phrases_.texts[key] = text; }
  // The library as the shell hands it over when Phrases.so is missing.
  void Unload() { library_.module = nullptr; }

  struct PhrasesObject {
    KeldarPhraseRecord record{};
    std::map<std::string, std::string> texts;
  };

 private:
  KeldarLanguageLibrary library_{};
  PhrasesObject phrases_;
};
