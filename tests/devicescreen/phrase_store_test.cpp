// The phrase store the build makes holds every text of the device screen,
// and its Russian rows are the screen's built-in texts letter for letter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/phrase.h"
#include "libraries.h"

namespace devicescreen::test {
namespace {

class PhraseStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(library_.Loaded()) << "Phrases.so";
    phrases_ = reinterpret_cast<KeldarPhrasesCreateFn>(library_.get()->CreateCSQLite3Phrases)();
    ASSERT_NE(phrases_, nullptr);
  }
  void TearDown() override {
    if (phrases_ != nullptr)
      reinterpret_cast<KeldarPhrasesDeleteFn>(library_.get()->DeleteCSQLite3Phrases)(phrases_);
  }
  std::string TextOf(int32_t language, const char* key) {
    const auto* lib = library_.get();
    reinterpret_cast<KeldarSetSelectLangFn>(lib->SetSelectLang.entry)(phrases_, language);
    reinterpret_cast<KeldarGetPhrasesFn>(lib->GetPhrases.entry)(phrases_, key);
    return reinterpret_cast<KeldarGetPhrasesDataFn>(lib->GetPhrasesData.entry)(phrases_)->text;
  }

  LanguageLibrary library_;
  void* phrases_ = nullptr;
};

TEST_F(PhraseStoreTest, EveryScreenTextIsThereInEveryLanguage) {
  std::vector<Phrase> phrases(std::begin(phrase::kScreenPhrases), std::end(phrase::kScreenPhrases));
  phrases.push_back(phrase::kGoBack);
  phrases.push_back(phrase::kMissingComponent);
  for (const Phrase& text : phrases) {
    EXPECT_EQ(TextOf(2, text.key), text.russian) << text.key;
    EXPECT_FALSE(TextOf(1, text.key).empty()) << text.key << " in English";
    EXPECT_FALSE(TextOf(3, text.key).empty()) << text.key << " in Ukrainian";
  }
}

}  // namespace
}  // namespace devicescreen::test
