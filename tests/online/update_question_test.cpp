#include <gtest/gtest.h>

#include "base/core/phrases_library.h"
#include "base/core/phrases.h"
#include "base/platform/library.h"
#include "online/startup_check.h"

namespace {

const QString kBuiltIn = QStringLiteral(
    "Вышла новая версия программы v.0.13. Сейчас вы пользуетесь устаревшей версией v.0.14.\n"
    "Вы желаете обновить программу?");

TEST(VersionCompare, IgnoresTheCaseOfAsciiLettersOnly) {
  EXPECT_TRUE(SameVersion("v.0.14", "v.0.14"));
  EXPECT_TRUE(SameVersion("v.0.14", "V.0.14"));
  EXPECT_TRUE(SameVersion("Beta-A", "bETA-a"));
  EXPECT_FALSE(SameVersion("v.0.14", "v.0.13"));
  EXPECT_FALSE(SameVersion("v.0.14", "v.0.15"));
  EXPECT_FALSE(SameVersion("v.0.14", "v.0.140"));
  EXPECT_FALSE(SameVersion("v.0.14", "v.0.14 "));
  EXPECT_FALSE(SameVersion("v.0.14", ""));
  EXPECT_TRUE(SameVersion("", ""));
  // Only ASCII letters fold: the Cyrillic capital and small ve differ.
  EXPECT_FALSE(SameVersion("\xD0\x92", "\xD0\xB2"));
  EXPECT_FALSE(SameVersion("v.0.14@", "v.0.14`"));  // neighbours of the letter ranges
  EXPECT_FALSE(SameVersion("v.0.14[", "v.0.14{"));
}

TEST(UpdateQuestion, BuiltInTextNamesTheServersVersionThenOurs) {
  EXPECT_EQ(UpdateQuestion(Phrases(), "v.0.13", "v.0.14"), kBuiltIn);
}

TEST(UpdateQuestion, VersionsAreInsertedAsTheyAreNeverUsedAsFormats) {
  const QString text = UpdateQuestion(Phrases(), "%s%s%d", "v.0.14");
  EXPECT_TRUE(text.startsWith(QStringLiteral("Вышла новая версия программы %s%s%d. ")));
  EXPECT_TRUE(text.contains(QStringLiteral("версией v.0.14.\n")));
}

TEST(UpdateQuestion, AnEmptyServerVersionLeavesAnEmptyPlace) {
  EXPECT_TRUE(UpdateQuestion(Phrases(), "", "v.0.14")
                  .startsWith(QStringLiteral("Вышла новая версия программы . Сейчас")));
}

TEST(UpdateQuestion, AHugeVersionIsCutToTheQuestionBuffer) {
  const QString text = UpdateQuestion(Phrases(), std::string(5000, '9'), "v.0.14");
  EXPECT_EQ(text.size(), kUpdateQuestionUnits - 1);
  // A cut never leaves half a surrogate pair behind.
  std::string emoji;
  for (int i = 0; i < 400; ++i) emoji += "\xF0\x9F\x98\x80";
  for (const char* prefix : {"", "x"}) {
    const QString cut = UpdateQuestion(Phrases(), prefix + emoji, "v.0.14");
    ASSERT_FALSE(cut.isEmpty());
    EXPECT_FALSE(cut.back().isHighSurrogate());
    EXPECT_LE(cut.size(), kUpdateQuestionUnits - 1);
  }
}

TEST(UpdateQuestion, NonAsciiVersionBytesAreShownWidened) {
  EXPECT_TRUE(UpdateQuestion(Phrases(), "v.1\xC3\xA9", "v.0.14").contains(QStringLiteral("v.1é.")));
  EXPECT_TRUE(UpdateQuestion(Phrases(), "v.1\xE9", "v.0.14").contains(QStringLiteral("v.1é.")));
}

class UpdateQuestionPhrase : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetPluginDirectory(KELDAR_BIN_DIR);
    library_ = std::make_unique<PhrasesLibrary>();
    ASSERT_TRUE(library_->IsLoaded()) << "Phrases.so in " << KELDAR_BIN_DIR;
    phrases_ = library_->CreatePhrases();
  }
  void TearDown() override {
    if (library_ && phrases_ != nullptr) library_->DeletePhrases(phrases_);
    library_.reset();
    platform::SetPluginDirectory({});
  }
  Phrases Select(int language) {
    library_->SelectLanguage(phrases_, language);
    return Phrases(library_.get(), phrases_);
  }

  std::unique_ptr<PhrasesLibrary> library_;
  void* phrases_ = nullptr;
};

TEST_F(UpdateQuestionPhrase, ThePhraseOfTheSelectedLanguageIsTheFormat) {
  const Phrases english = Select(1);
  ASSERT_TRUE(english.Has(kUpdateQuestionKey));
  EXPECT_EQ(UpdateQuestion(english, "v.0.13", "v.0.14"),
            QStringLiteral("A new version of the program, v.0.13, is available. You are using "
                           "the outdated version v.0.14.\nDo you want to update the program?"));
  EXPECT_EQ(UpdateQuestion(Select(2), "v.0.13", "v.0.14"), kBuiltIn);
  const QString ukrainian = UpdateQuestion(Select(3), "v.0.13", "v.0.14");
  EXPECT_TRUE(ukrainian.startsWith(QStringLiteral("Вийшла нова версія програми v.0.13.")));
  EXPECT_TRUE(ukrainian.contains(QStringLiteral("версією v.0.14.")));
}

}  // namespace
