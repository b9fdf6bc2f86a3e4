#include "screen/screen_texts.h"

namespace devicescreen {

namespace {
constexpr int32_t kEnglish = 1;
}  // namespace

QString ScreenTexts::Text(const Phrase& phrase) const {
  const char* text = keldar_phrase(library_, phrases_, phrase.key);
  return QString::fromUtf8(text != nullptr ? text : phrase.russian);
}

NumberStyle ScreenTexts::Style() const {
  // The language a phrase came in is the one selected; without phrases the
  // screen speaks Russian.
  NumberStyle style;
  if (keldar_phrase(library_, phrases_, phrase::kRefresh.key) == nullptr) return style;
  const auto getRecord = reinterpret_cast<KeldarGetPhrasesDataFn>(library_->GetPhrasesData.entry);
  const KeldarPhraseRecord* record = getRecord(phrases_);
  if (record != nullptr && record->language_id == kEnglish) {
    style.decimalSeparator = '.';
    style.isoDates = true;
  }
  return style;
}

}  // namespace devicescreen
