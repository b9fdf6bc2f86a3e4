#pragma once

#include <QString>

class PhrasesLibrary;

// What a screen needs to look its texts up: the language library and the
// phrases object (either may be absent). Cheap to copy.
class Phrases {
 public:
  Phrases() = default;
  Phrases(const PhrasesLibrary* library, void* phrases) : library_(library), phrases_(phrases) {}

  // The phrase of `key` when it has two characters or more, else `builtIn`.
  QString Text(const char* key, const QString& builtIn) const;
  // The phrase formatted into `format` ("%s:"), else `builtIn` as it is.
  QString Formatted(const char* key, const char* format, const QString& builtIn) const;
  // True when a phrase replaces the built-in text (message boxes then show an empty caption).
  bool Has(const char* key) const;

  const PhrasesLibrary* Library() const { return library_; }
  void* Object() const { return phrases_; }

 private:
  const PhrasesLibrary* library_ = nullptr;
  void* phrases_ = nullptr;
};
