// Content of the phrase store the build puts into the working folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "phrases_library.h"
#include "shell_phrase_keys.h"

namespace {

constexpr int32_t kEnglish = 1, kRussian = 2, kUkrainian = 3;

// Strict UTF-8: no stray continuation bytes, no overlong or truncated sequences.
bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80                   ? 1
                       : lead >= 0xC2 && lead < 0xE0 ? 2
                       : lead >= 0xE0 && lead < 0xF0 ? 3
                       : lead >= 0xF0 && lead < 0xF5 ? 4
                                                     : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (int k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

std::size_t Count(std::string_view text, std::string_view part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

class PhraseStoreContent : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(library_.loaded());
    ASSERT_NE(phrases_.get(), nullptr);
  }
  // The record's text for `key` in `language`, empty when there is none.
  std::string TextOf(int32_t language, std::string_view key) const {
    library_.Select(phrases_.get(), language);
    library_.Phrase(phrases_.get(), std::string(key).c_str());
    return library_.Record(phrases_.get())->text;
  }

  PhrasesLibrary library_{BuiltLibrary()};
  PhrasesLibrary::Phrases phrases_ = library_.Create();
};

TEST_F(PhraseStoreContent, EveryShellKeyHasATextInEveryLanguage) {
  for (const auto key : kShellPhraseKeys) {
    for (const int32_t language : {kEnglish, kRussian, kUkrainian}) {
      EXPECT_FALSE(TextOf(language, key).empty()) << key << " in language " << language;
      EXPECT_EQ(library_.Record(phrases_.get())->language_id, language);
    }
    // Russian replaces the built-in text only from two characters on.
    library_.Select(phrases_.get(), kRussian);
    EXPECT_NE(library_.Phrase(phrases_.get(), std::string(key).c_str()), nullptr) << key;
  }
}

TEST_F(PhraseStoreContent, TextsSuitHowTheScreensShowThem) {
  for (const auto key : kShellPhraseKeys) {
    for (const int32_t language : {kEnglish, kRussian, kUkrainian}) {
      const std::string text = TextOf(language, key);
      SCOPED_TRACE(std::string(key) + " in language " + std::to_string(language));
      EXPECT_TRUE(IsUtf8(text));
      ASSERT_FALSE(text.empty());
      EXPECT_FALSE(std::isspace(static_cast<unsigned char>(text.front())));
      EXPECT_FALSE(std::isspace(static_cast<unsigned char>(text.back())));
      // Only the update question is a format; anywhere else a % would be shown literally.
      if (key != kUpdateQuestionKey) {
        EXPECT_EQ(Count(text, "%"), 0u);
      }
      if (std::find(kColonLabelKeys.begin(), kColonLabelKeys.end(), key) != kColonLabelKeys.end()) {
        EXPECT_NE(text.back(), ':');  // the screen adds it
      }
    }
  }
}

TEST_F(PhraseStoreContent, PortProblemsNameThePortOnce) {
  for (const auto key : kPortProblemKeys) {
    for (const int32_t language : {kEnglish, kRussian, kUkrainian}) {
      const std::string text = TextOf(language, key);
      SCOPED_TRACE(std::string(key) + " in language " + std::to_string(language));
      EXPECT_TRUE(IsUtf8(text));
      EXPECT_EQ(Count(text, "%s"), 1u);
      EXPECT_EQ(Count(text, "%"), 1u);
    }
  }
}

TEST_F(PhraseStoreContent, UpdateQuestionKeepsItsTwoPlaceholdersAndLineBreak) {
  for (const int32_t language : {kEnglish, kRussian, kUkrainian}) {
    const std::string text = TextOf(language, kUpdateQuestionKey);
    SCOPED_TRACE("language " + std::to_string(language));
    EXPECT_EQ(Count(text, "%s"), 2u);
    EXPECT_EQ(Count(text, "%"), 2u);
    const auto line_break = text.find('\n');
    ASSERT_NE(line_break, std::string::npos);
    // Both versions are named before the question on the second line.
    EXPECT_LT(text.rfind("%s"), line_break);
  }
}

}  // namespace
