#pragma once

#include <QString>

#include "core/phrase.h"
#include "core/value_format.h"
#include "keldar/phrases_api.h"

namespace devicescreen {

// The phrase lookup of one screen: the selected language's text of a key, or
// the built-in Russian text when there is none (main thread only).
class ScreenTexts {
 public:
  ScreenTexts(const KeldarLanguageLibrary* library, void* phrases)
      : library_(library), phrases_(phrases) {}

  QString Text(const Phrase& phrase) const;
  // Numbers and dates as the selected language writes them.
  NumberStyle Style() const;

 private:
  const KeldarLanguageLibrary* library_;
  void* phrases_;
};

}  // namespace devicescreen
