#include "base/core/ini_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "test_support.h"

namespace {

std::string Read(const IniFile& ini, const char* section, const char* key) {
  return ini.ReadValue(section, key).value_or("<missing>");
}

TEST(SettingsFile, FirstWriteCreatesTheFileInTheWorkingDirectoryWithCrLfAndNoBom) {
  ScopedWorkingDirectory cwd;
  IniFile ini;  // relative "config.ini", as the program uses it
  EXPECT_EQ(Read(ini, "LANGUAGE", "LANG"), "<missing>");
  EXPECT_FALSE(std::filesystem::exists(cwd.Path() / "config.ini"));

  ini.WriteValue("LANGUAGE", "LANG", "3");

  EXPECT_EQ(ReadFile(cwd.Path() / "config.ini"), "[LANGUAGE]\r\nLANG = 3\r\n");
}

TEST(SettingsFile, StoreKeepsEveryLoadedKeyInFileOrderAndAppendsNewSections) {
  ScopedWorkingDirectory cwd;
  WriteFile("config.ini", "[SERIAL]\r\nCOM = /dev/ttyUSB0\r\nBAUD = 2400\r\n\r\n[OTHER]\nX=1\n");
  IniFile ini;

  ini.WriteValue("SERIAL", "BAUD", "9600");
  ini.WriteValue("LANGUAGE", "LANG", "2");

  const std::string text = ReadFile("config.ini");
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
    }
  }
  EXPECT_NE(text.rfind("\xEF\xBB\xBF", 0), 0u) << "no byte-order mark";
  const auto serial = text.find("[SERIAL]\r\nCOM = /dev/ttyUSB0\r\nBAUD = 9600\r\n");
  const auto other = text.find("[OTHER]\r\nX = 1\r\n");
  const auto language = text.find("[LANGUAGE]\r\nLANG = 2\r\n");
  ASSERT_NE(serial, std::string::npos) << text;
  ASSERT_NE(other, std::string::npos) << text;
  ASSERT_NE(language, std::string::npos) << text;
  EXPECT_LT(serial, other);
  EXPECT_LT(other, language);
  EXPECT_NE(text.find("\r\n\r\n[OTHER]"), std::string::npos) << "an empty line separates sections";

  IniFile reread;
  EXPECT_EQ(Read(reread, "SERIAL", "COM"), "/dev/ttyUSB0");
  EXPECT_EQ(Read(reread, "OTHER", "X"), "1");
}

TEST(SettingsFile, NamesIgnoreCaseAndTheLastDuplicateWins) {
  ScopedWorkingDirectory cwd;
  WriteFile("config.ini", "[language]\r\nlang = 1\r\nLang = 3\r\n");
  IniFile ini;
  EXPECT_EQ(Read(ini, "LANGUAGE", "LANG"), "3");

  ini.WriteValue("Language", "LANG", "2");
  IniFile reread;
  EXPECT_EQ(Read(reread, "language", "lang"), "2");
  EXPECT_EQ(ReadFile("config.ini").find("LANG = 3"), std::string::npos) << "one value per key";
}

TEST(SettingsFile, ReadIntoABufferLeavesItUntouchedWhenMissingAndCutsOnACharacterBoundary) {
  ScopedWorkingDirectory cwd;
  WriteFile("config.ini", "[SERIAL]\r\nCOM = Порт\r\nBAUD = 115200\r\n");
  IniFile ini;

  char buffer[4];
  std::memcpy(buffer, "abc", 4);
  EXPECT_FALSE(ini.ReadValue("SERIAL", "NOPE", buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "abc");
  EXPECT_FALSE(ini.ReadValue("NOPE", "COM", buffer, sizeof buffer));

  EXPECT_TRUE(ini.ReadValue("SERIAL", "BAUD", buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "115");
  // "По" is four bytes: only "П" (two bytes) and the terminator fit in four.
  EXPECT_TRUE(ini.ReadValue("SERIAL", "COM", buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "П");
}

TEST(SettingsFile, MissingEmptyOrUnwritableFilesNeverFailTheProgram) {
  ScopedWorkingDirectory cwd;
  WriteFile("config.ini", "");
  IniFile empty;
  EXPECT_EQ(Read(empty, "LANGUAGE", "LANG"), "<missing>");

  IniFile unwritable(cwd.Path() / "no-such-folder" / "config.ini");
  unwritable.WriteValue("LANGUAGE", "LANG", "2");
  EXPECT_EQ(Read(unwritable, "LANGUAGE", "LANG"), "2") << "the change stays in memory";
  EXPECT_FALSE(std::filesystem::exists(cwd.Path() / "no-such-folder"));

  // Broken text is still text: it is read as far as it goes and stored over.
  WriteFile("config.ini", "garbage without sections\r\n[broken\r\n=\r\n");
  IniFile garbage;
  garbage.WriteValue("LANGUAGE", "LANG", "1");
  IniFile reread;
  EXPECT_EQ(Read(reread, "LANGUAGE", "LANG"), "1");
}

TEST(SettingsFile, EditsByHandWhileRunningAreOverwrittenByTheNextStore) {
  ScopedWorkingDirectory cwd;
  IniFile ini;
  ini.WriteValue("LANGUAGE", "LANG", "1");
  WriteFile("config.ini", "[LANGUAGE]\r\nLANG = 3\r\n[HAND]\r\nEDIT = 1\r\n");
  EXPECT_EQ(Read(ini, "LANGUAGE", "LANG"), "1");

  ini.WriteValue("SERIAL", "BAUD", "300");
  const std::string text = ReadFile("config.ini");
  EXPECT_EQ(text.find("HAND"), std::string::npos);
  EXPECT_NE(text.find("LANG = 1"), std::string::npos);
}

TEST(SettingsFile, WritesFromTwoThreadsLeaveAWholeDocument) {
  ScopedWorkingDirectory cwd;
  IniFile ini;
  std::thread worker([&] {
    for (int i = 0; i < 200; ++i) {
      ini.WriteValue("SERIAL", "COM", "/dev/ttyUSB1");
      ini.WriteValue("SERIAL", "BAUD", std::to_string(300 << (i % 9)).c_str());
    }
  });
  for (int i = 0; i < 200; ++i)
    ini.WriteValue("LANGUAGE", "LANG", std::to_string(1 + i % 3).c_str());
  worker.join();

  IniFile reread;
  EXPECT_EQ(Read(reread, "SERIAL", "COM"), "/dev/ttyUSB1");
  EXPECT_EQ(Read(reread, "SERIAL", "BAUD"), std::to_string(300 << (199 % 9)));
  EXPECT_EQ(Read(reread, "LANGUAGE", "LANG"), std::to_string(1 + 199 % 3));
}

}  // namespace
