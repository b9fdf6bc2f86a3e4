#include <gtest/gtest.h>

#include "base/core/ini_file.h"
#include "base/core/phrases_library.h"
#include "base/core/phrases.h"
#include "base/core/startup_language.h"
#include "base/platform/locale.h"
#include "test_support.h"

namespace {

const std::filesystem::path kFakes = std::filesystem::path(KELDAR_FAKES_DIR) / "all";

TEST(Locale, PosixLocaleNamesMapToTheLanguageRule) {
  EXPECT_EQ(platform::LcidFromLocaleName("uk_UA.UTF-8"), 1058);
  EXPECT_EQ(platform::LcidFromLocaleName("ru_RU.UTF-8"), 1049);
  EXPECT_EQ(platform::LcidFromLocaleName("ru"), 1049);
  EXPECT_EQ(platform::LcidFromLocaleName("en_GB.UTF-8"), 1033);
  EXPECT_EQ(platform::LcidFromLocaleName("de_DE@euro"), 1031);
  EXPECT_EQ(platform::LcidFromLocaleName("C.UTF-8"), 0);
  EXPECT_EQ(platform::LcidFromLocaleName(""), 0);
  EXPECT_EQ(platform::LcidFromLocaleName("ukr"), 0) << "only the language code before '_' counts";

  EXPECT_EQ(LanguageForLcid(1049), 2);
  EXPECT_EQ(LanguageForLcid(1033), 1);
  EXPECT_EQ(LanguageForLcid(1058), 3);
  EXPECT_EQ(LanguageForLcid(2057), 1);
  EXPECT_EQ(LanguageForLcid(0), 1);
}

TEST(Locale, LcAllOverridesLcMessagesOverridesLang) {
  ScopedEnv lang("LANG", "ru_RU.UTF-8");
  ScopedEnv messages("LC_MESSAGES", nullptr);
  ScopedEnv all("LC_ALL", nullptr);
  EXPECT_EQ(platform::SystemDefaultLcid(), 1049);
  {
    ScopedEnv overrideMessages("LC_MESSAGES", "uk_UA.UTF-8");
    EXPECT_EQ(platform::SystemDefaultLcid(), 1058);
    ScopedEnv overrideAll("LC_ALL", "en_US.UTF-8");
    EXPECT_EQ(platform::SystemDefaultLcid(), 1033);
  }
}

class StartupLanguage : public ::testing::Test {
 protected:
  ScopedWorkingDirectory cwd;
  FakePluginSession session{kFakes};
  PhrasesLibrary library;
};

TEST_F(StartupLanguage, EmptyValueStoresTheLocaleLanguageAndSelectsIt) {
  ASSERT_TRUE(library.IsLoaded());
  void* phrases = library.CreatePhrases();
  for (const auto& [lcid, expected] :
       {std::pair{1058, "3"}, {1049, "2"}, {1033, "1"}, {2057, "1"}}) {
    std::filesystem::remove("config.ini");
    IniFile ini;
    EXPECT_EQ(SelectStartupLanguage(ini, library, phrases, lcid), std::atoi(expected));
    EXPECT_EQ(ReadFile("config.ini"), std::string("[LANGUAGE]\r\nLANG = ") + expected + "\r\n");
    EXPECT_EQ(session.Lines().back(), std::string("Phrases: select ") + expected);
  }
  library.DeletePhrases(phrases);
}

TEST_F(StartupLanguage, AStoredValueIsSelectedAsItIsAndNotWrittenAgain) {
  WriteFile("config.ini", "[LANGUAGE]\r\nLANG=2\r\n");
  IniFile ini;
  void* phrases = library.CreatePhrases();
  EXPECT_EQ(SelectStartupLanguage(ini, library, phrases, 1058), 2);
  EXPECT_EQ(ReadFile("config.ini"), "[LANGUAGE]\r\nLANG=2\r\n") << "the file is not rewritten";

  // A value longer than two characters is cut to its first two.
  WriteFile("config.ini", "[LANGUAGE]\r\nLANG=123\r\n");
  IniFile longValue;
  EXPECT_EQ(SelectStartupLanguage(longValue, library, phrases, 1058), 12);
  library.DeletePhrases(phrases);
}

TEST_F(StartupLanguage, PhrasesReplaceBuiltInTextsOnlyWhenTwoCharactersLong) {
  void* phrases = library.CreatePhrases();
  library.SelectLanguage(phrases, 3);
  const Phrases source(&library, phrases);

  EXPECT_EQ(source.Text("FRAME_PROGRAM_SETTING_APPLY", "Применить"),
            "3:FRAME_PROGRAM_SETTING_APPLY");
  EXPECT_TRUE(source.Has("FRAME_PROGRAM_SETTING_APPLY"));
  EXPECT_EQ(source.Text("ONE_LATIN_LETTER", "Применить"), "Применить");
  EXPECT_EQ(source.Text("ONE_CYRILLIC_LETTER", "Применить"), "Применить")
      << "one character of two UTF-8 bytes is still one character";
  EXPECT_EQ(source.Text("EMPTY", "Применить"), "Применить");
  EXPECT_FALSE(source.Has("EMPTY"));

  EXPECT_EQ(source.Formatted("KEY%s", "%s:", "Адрес устройства:"), "3:KEY%s:")
      << "the phrase is inserted, never used as a format";
  EXPECT_EQ(source.Formatted("ONE_LATIN_LETTER", "%s:", "Адрес устройства:"), "Адрес устройства:");

  EXPECT_EQ(Phrases().Text("FRAME_PROGRAM_SETTING_APPLY", "Применить"), "Применить")
      << "no phrases object";
  library.DeletePhrases(phrases);
}

TEST_F(StartupLanguage, LanguagesAreListedInTheLibrarysOrder) {
  void* phrases = library.CreatePhrases();
  const auto languages = library.LoadLanguages(phrases);
  ASSERT_EQ(languages.size(), 3u);
  EXPECT_EQ(languages[0].id, 1);
  EXPECT_EQ(languages[1].name, "Русский");
  EXPECT_EQ(languages[2].id, 3);
  library.DeletePhrases(phrases);
}

}  // namespace
