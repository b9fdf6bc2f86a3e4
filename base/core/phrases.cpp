#include "base/core/phrases.h"

#include "base/core/phrases_library.h"

namespace {

const char* Lookup(const PhrasesLibrary* library, void* phrases, const char* key) {
  return library != nullptr ? library->Phrase(phrases, key) : nullptr;
}

}  // namespace

QString Phrases::Text(const char* key, const QString& builtIn) const {
  const char* text = Lookup(library_, phrases_, key);
  return text != nullptr ? QString::fromUtf8(text) : builtIn;
}

QString Phrases::Formatted(const char* key, const char* format, const QString& builtIn) const {
  const char* text = Lookup(library_, phrases_, key);
  if (text == nullptr) return builtIn;
  // The formats are fixed texts with one "%s"; the phrase is inserted as it is,
  // never used as a format itself.
  QString result = QString::fromUtf8(format);
  return result.replace(QStringLiteral("%s"), QString::fromUtf8(text));
}

bool Phrases::Has(const char* key) const { return Lookup(library_, phrases_, key) != nullptr; }
