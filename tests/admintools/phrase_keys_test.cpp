// Every text the two screens look up is in the phrase store's SQL, in each language.
#include "screens/phrase_keys.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace {

TEST(PhraseKeys, EveryKeyHasEnglishRussianAndUkrainianRows) {
  const std::string sql = ReadFile(KELDAR_SOURCE_DIR "/data/phrases.sql");
  ASSERT_FALSE(sql.empty());
  for (const char* key : admintools::keys::kAll) {
    for (int language = 1; language <= 3; ++language) {
      const std::string row = "('" + std::string(key) + "', " + std::to_string(language) + ", '";
      EXPECT_NE(sql.find(row), std::string::npos) << key << " in language " << language;
    }
  }
}

}  // namespace
