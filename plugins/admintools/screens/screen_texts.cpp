#include "screens/screen_texts.h"

#include <QLabel>

namespace admintools {

QString ScreenTexts::Text(const char* key, const QString& builtIn) const {
  const char* phrase = keldar_phrase(library_, phrases_, key);
  return phrase != nullptr ? QString::fromUtf8(phrase) : builtIn;
}

QString ScreenTexts::Format(const char* key, const QString& builtIn, const QString& value) const {
  QString text = Text(key, builtIn);
  const auto at = text.indexOf(QStringLiteral("%s"));
  if (at >= 0) text.replace(at, 2, value);
  return text;
}

void ScreenTexts::Apply(QLabel* label, const char* key) const {
  label->setText(Text(key, label->text()));
}

}  // namespace admintools
