#include "fake_language.h"

#include <cstring>

namespace {

void GetPhrases(void* object, const char* key) {
  auto* phrases = static_cast<FakeLanguage::PhrasesObject*>(object);
  const auto found = phrases->texts.find(key);
  const std::string text = found != phrases->texts.end() ? found->second : "EN:" + std::string(key);
  std::strncpy(phrases->record.text, text.c_str(), sizeof phrases->record.text - 1);
}

KeldarPhraseRecord* GetPhrasesData(void* object) {
  return &static_cast<FakeLanguage::PhrasesObject*>(object)->record;
}

}  // namespace

FakeLanguage::FakeLanguage() {
  library_.module = this;  // any non-null handle reads as loaded
  library_.GetPhrases.entry = reinterpret_cast<KeldarEntry>(&GetPhrases);
  library_.GetPhrasesData.entry = reinterpret_cast<KeldarEntry>(&GetPhrasesData);
}
