// The interface language of keldar-cli: the language library with the
// language config.ini names (or the system locale's), never written back.
#pragma once

#include "base/core/phrases.h"
#include "base/core/phrases_library.h"

namespace keldar::cli {

class CliLanguage {
 public:
  CliLanguage();
  ~CliLanguage();
  CliLanguage(const CliLanguage&) = delete;
  CliLanguage& operator=(const CliLanguage&) = delete;

  Phrases Source() const { return Phrases(&library_, phrases_); }
  // A message text: the phrase of `key`, else the built-in text.
  std::string Text(const char* key, const char* builtIn) const;

 private:
  PhrasesLibrary library_;
  void* phrases_ = nullptr;
};

}  // namespace keldar::cli
