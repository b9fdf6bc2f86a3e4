// The installer script: the Windows flavour as text, byte for byte; the POSIX
// flavour run for real with /bin/sh.
#include "online/installer_script.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "update_support.h"

namespace fs = std::filesystem;

namespace {

ScriptSettings Windows() {
  return {ScriptFlavour::kWindows, "C:\\App", "krv_local_billing", "keldar", 5};
}

ScriptSettings Posix(const fs::path& directory) {
  return {ScriptFlavour::kPosix, directory.string(), "", "keldar", 0};
}

bool Executable(const fs::path& file) {
  return (fs::status(file).permissions() & fs::perms::owner_exec) != fs::perms::none;
}

TEST(WindowsScript, TheLinesOfEveryDownloadedFileAndOnlyTheLaterExeStartLine) {
  ScopedWorkingDirectory folder;
  InstallerScript script;
  ASSERT_TRUE(script.Create("update.bat", Windows()));
  ASSERT_TRUE(script.AddFile("bin", "tool.dll"));
  ASSERT_TRUE(script.AddFile("", "keldar.exe"));
  ASSERT_TRUE(script.AddFile("tools", "helper.exe"));
  ASSERT_TRUE(script.Finish());
  EXPECT_EQ(ReadFile("update.bat"),
            "ping -n 6 127.0.0.1 >nul\r\n"
            "del \"C:\\App\\bin\\tool.dll\" /q \r\n"
            "ren \"C:\\App\\bin\\tool.dll_u\" \"tool.dll\" \r\n"
            "del \"C:\\App\\keldar.exe\" /q \r\n"
            "ren \"C:\\App\\keldar.exe_u\" \"keldar.exe\" \r\n"
            "del \"C:\\App\\tools\\helper.exe\" /q \r\n"
            "ren \"C:\\App\\tools\\helper.exe_u\" \"helper.exe\" \r\n"
            "start \"krv_local_billing\" \"C:\\App\\tools\\helper.exe\" \r\n"
            " del \"C:\\App\\update.bat\" /q \r\n");
}

TEST(WindowsScript, NothingDownloadedAndTheLimitsOfTheInterpreter) {
  ScopedWorkingDirectory folder;
  InstallerScript script;
  ASSERT_TRUE(script.Create("update.bat", Windows()));
  ASSERT_TRUE(script.Finish());
  EXPECT_EQ(ReadFile("update.bat"),
            "ping -n 6 127.0.0.1 >nul\r\ndel \"C:\\App\\update.bat\" /q \r\n");
  EXPECT_TRUE(ScriptText(Windows()).StartLine("", "a.exe.config")) << "\".exe\" anywhere";
  EXPECT_EQ(ScriptDirectory("/srv/Счётчики"), "/srv/Счётчики") << "no OEM page here";

  ScriptSettings longFolder = Windows();
  longFolder.directory = "C:\\" + std::string(350, 'a');
  EXPECT_FALSE(script.Create("long.bat", longFolder));
  longFolder.directory.resize(303);
  ASSERT_TRUE(script.Create("long.bat", longFolder));
  EXPECT_TRUE(script.AddFile("bin", std::string(38, 'n')));
  EXPECT_FALSE(script.AddFile("bin", std::string(45, 'n'))) << "its ren line passes 400 bytes";
}

// A working folder whose name needs the quoting.
class PosixScript : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directory(dir_); }
  int Run() {
    return std::system(("/bin/sh " + ShellQuoted((dir_ / "update.sh").string())).c_str());
  }

  ScopedWorkingDirectory folder_;
  const fs::path dir_ = folder_.Path() / "it's a folder";
};

TEST_F(PosixScript, ReplacesTheFilesStartsTheNewProgramAndDeletesItself) {
  WriteFile(dir_ / "keldar", "#!/bin/sh\necho old > ran.txt\n");
  WriteFile(dir_ / "keldar_u", "#!/bin/sh\necho new > ran.txt\n");  // staged without x
  WriteFile(dir_ / "plugins/tool.so", "old");
  fs::permissions(dir_ / "plugins/tool.so", fs::perms::owner_all);
  WriteFile(dir_ / "plugins/tool.so_u", "new plug-in");
  WriteFile(dir_ / "phrases.db_u", "new phrases");
  InstallerScript script;
  ASSERT_TRUE(script.Create(dir_ / "update.sh", Posix(dir_)));
  for (const auto& [dst, name] :
       {std::pair{"", "keldar"}, {"plugins", "tool.so"}, {"", "phrases.db"}})
    ASSERT_TRUE(script.AddFile(dst, name));
  ASSERT_TRUE(script.Finish());
  ASSERT_EQ(Run(), 0);
  ASSERT_TRUE(WaitFor([&] { return ReadFile(dir_ / "ran.txt") == "new\n"; }))
      << "the new program runs, in the working folder";
  EXPECT_TRUE(Executable(dir_ / "keldar"));
  EXPECT_EQ(ReadFile(dir_ / "plugins/tool.so"), "new plug-in");
  EXPECT_TRUE(Executable(dir_ / "plugins/tool.so")) << "an executable stays executable";
  EXPECT_EQ(ReadFile(dir_ / "phrases.db"), "new phrases");
  EXPECT_FALSE(Executable(dir_ / "phrases.db"));
  EXPECT_FALSE(fs::exists(dir_ / "keldar_u"));
  EXPECT_FALSE(fs::exists(dir_ / "update.sh"));
}

}  // namespace
