// config.ini that is not a settings file: the program starts with defaults,
// says so, and leaves whatever is there as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>

#include "base/core/ini_file.h"
#include "ordinary_user.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

// Loads config.ini of the working folder and checks the common promise: no
// values, a problem naming the file, and no write over it.
void ExpectRefusedAndKept(const std::string& problemWords) {
  IniFile ini;
  const auto problem = ini.LoadProblem();
  ASSERT_TRUE(problem.has_value());
  EXPECT_NE(problem->find("config.ini"), std::string::npos) << *problem;
  EXPECT_NE(problem->find(problemWords), std::string::npos) << *problem;
  EXPECT_FALSE(ini.ReadValue("SERIAL", "COM").has_value());

  EXPECT_FALSE(ini.WriteValue("SERIAL", "COM", "/dev/ttyUSB0"));
  ASSERT_TRUE(ini.StoreProblem().has_value());
  EXPECT_NE(ini.StoreProblem()->find("config.ini"), std::string::npos);
  EXPECT_EQ(ini.ReadValue("SERIAL", "COM").value_or(""), "/dev/ttyUSB0") << "kept in memory";
}

TEST(SettingsFileFaults, AFolderNamedConfigIniIsReportedAndLeftAlone) {
  ScopedWorkingDirectory cwd;
  fs::create_directory("config.ini");
  WriteFile("config.ini/inside", "x");
  ExpectRefusedAndKept("folder");
  EXPECT_TRUE(fs::is_directory("config.ini"));
  EXPECT_EQ(ReadFile("config.ini/inside"), "x");
}

TEST(SettingsFileFaults, APipeNamedConfigIniDoesNotWaitForAWriter) {
  ScopedWorkingDirectory cwd;
  ASSERT_EQ(::mkfifo("config.ini", 0600), 0);
  // A load that blocks on the pipe would never return: give it a deadline.
  auto load = std::async(std::launch::async, [] {
    IniFile ini;
    return ini.LoadProblem();
  });
  ASSERT_EQ(load.wait_for(std::chrono::seconds(10)), std::future_status::ready)
      << "loading a pipe hangs";
  const auto problem = load.get();
  ASSERT_TRUE(problem.has_value());
  EXPECT_NE(problem->find("not a regular file"), std::string::npos) << *problem;
  ExpectRefusedAndKept("not a regular file");
  struct stat info {};
  ASSERT_EQ(::stat("config.ini", &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "still the pipe";
}

TEST(SettingsFileFaults, BinaryAndOversizedFilesAreNotSettingsAndStayAsTheyAre) {
  ScopedWorkingDirectory cwd;
  std::string binary = "[SERIAL]\r\nCOM = /dev/ttyS1\r\n";
  binary += std::string(
      "\x7F"
      "ELF\x02\x01\x01\x00\x00\x00",
      10);
  WriteFile("config.ini", binary);
  ExpectRefusedAndKept("binary");
  EXPECT_EQ(ReadFile("config.ini"), binary);

  // Ten megabytes of valid-looking lines: refused by size, not parsed.
  std::string large;
  large.reserve(10 << 20);
  large += "[SERIAL]\r\n";
  while (large.size() < (10u << 20)) large += "COM = /dev/ttyUSB0\r\n";
  WriteFile("config.ini", large);
  ExpectRefusedAndKept("too large");
  EXPECT_EQ(fs::file_size("config.ini"), large.size());
}

TEST(SettingsFileFaults, AFileThatCannotBeOpenedIsReportedAndLeftAlone) {
  ScopedWorkingDirectory cwd;
  // A link to itself cannot be opened by anyone, root included.
  fs::create_symlink("config.ini", "config.ini");
  ExpectRefusedAndKept("cannot be read");
  EXPECT_TRUE(fs::is_symlink("config.ini"));
}

TEST(SettingsFileFaults, AFileWithoutReadPermissionIsReportedAndLeftAlone) {
  ScopedWorkingDirectory cwd;
  const ScopedOrdinaryUser user;
  WriteFile("config.ini", "[SERIAL]\r\nCOM = /dev/ttyS1\r\n");
  fs::permissions("config.ini", fs::perms::none);
  ExpectRefusedAndKept("Permission denied");
  fs::permissions("config.ini", fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(ReadFile("config.ini"), "[SERIAL]\r\nCOM = /dev/ttyS1\r\n");
}

TEST(SettingsFileFaults, AFolderWhereNothingCanBeWrittenIsReportedOnEveryStore) {
  // /proc takes no new files, whoever asks.
  IniFile ini("/proc/self/keldar-config.ini");
  EXPECT_FALSE(ini.LoadProblem().has_value()) << "a missing file is not a fault";
  EXPECT_FALSE(ini.WriteValue("SERIAL", "COM", "/dev/ttyUSB0"));
  ASSERT_TRUE(ini.StoreProblem().has_value());
  EXPECT_NE(ini.StoreProblem()->find("cannot be written"), std::string::npos)
      << *ini.StoreProblem();
  EXPECT_FALSE(ini.WriteValue("SERIAL", "BAUD", "2400")) << "and again for the next key";
}

TEST(SettingsFileFaults, AReadOnlyFileIsReportedAndAStoreThatWorksClearsTheProblem) {
  ScopedWorkingDirectory cwd;
  const ScopedOrdinaryUser user;
  WriteFile("config.ini", "[SERIAL]\r\nCOM = /dev/ttyS1\r\n");
  fs::permissions("config.ini", fs::perms::owner_read);
  IniFile ini;
  EXPECT_FALSE(ini.LoadProblem().has_value());
  EXPECT_FALSE(ini.WriteValue("SERIAL", "BAUD", "2400"));
  EXPECT_TRUE(ini.StoreProblem().has_value());
  fs::permissions("config.ini", fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_TRUE(ini.WriteValue("SERIAL", "BAUD", "2400"));
  EXPECT_FALSE(ini.StoreProblem().has_value());
}

TEST(SettingsFileFaults, ASoundFileAfterADamagedOneLoadsAgain) {
  ScopedWorkingDirectory cwd;
  fs::create_directory("config.ini");
  IniFile ini;
  ASSERT_TRUE(ini.LoadProblem().has_value());
  fs::remove("config.ini");
  WriteFile("config.ini", "[SERIAL]\r\nCOM = /dev/ttyS1\r\n");
  ini.Load();
  EXPECT_FALSE(ini.LoadProblem().has_value());
  EXPECT_EQ(ini.ReadValue("SERIAL", "COM").value_or(""), "/dev/ttyS1");
  EXPECT_TRUE(ini.WriteValue("SERIAL", "BAUD", "2400"));
}

}  // namespace
