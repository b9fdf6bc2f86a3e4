#pragma once

#include <QString>

#include "keldar/phrases_api.h"

class QLabel;

namespace admintools {

// The phrases a screen was given: looks a key up in the selected language and
// keeps the built-in Russian text when there is no phrase (no phrases object,
// language library not loaded, or a phrase shorter than two characters).
class ScreenTexts {
 public:
  ScreenTexts() = default;
  ScreenTexts(const KeldarLanguageLibrary* library, void* phrases)
      : library_(library), phrases_(phrases) {}

  QString Text(const char* key, const QString& builtIn) const;
  // The text with its first "%s" replaced by `value` (no other formatting, so a
  // phrase cannot inject conversions).
  QString Format(const char* key, const QString& builtIn, const QString& value) const;
  // Replaces a label's design-time caption.
  void Apply(QLabel* label, const char* key) const;

 private:
  const KeldarLanguageLibrary* library_ = nullptr;
  void* phrases_ = nullptr;
};

}  // namespace admintools
