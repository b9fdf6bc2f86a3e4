// The installer script: the Windows flavour as text, byte for byte; the POSIX
// flavour as text and run for real with /bin/sh.
#include "online/installer_script.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <thread>

#include "update_support.h"

namespace fs = std::filesystem;

namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line;
  return text;
}

ScriptSettings WindowsAt(std::string directory) {
  ScriptSettings settings;
  settings.flavour = ScriptFlavour::kWindows;
  settings.directory = std::move(directory);
  settings.windowTitle = "krv_local_billing";
  return settings;
}

ScriptSettings PosixAt(const fs::path& directory, int delay = 0) {
  ScriptSettings settings;
  settings.flavour = ScriptFlavour::kPosix;
  settings.directory = directory.string();
  settings.delaySeconds = delay;
  return settings;
}

bool Executable(const fs::path& file) {
  return (fs::status(file).permissions() & fs::perms::owner_exec) != fs::perms::none;
}

TEST(WindowsScript, ToolDllInBinUnderCAppGivesTheDelAndRenLinesByteForByte) {
  const ScriptText text(WindowsAt("C:\\App"));
  EXPECT_EQ(Joined(text.FileLines("bin", "tool.dll")),
            "del \"C:\\App\\bin\\tool.dll\" /q \r\n"
            "ren \"C:\\App\\bin\\tool.dll_u\" \"tool.dll\" \r\n");
  EXPECT_FALSE(text.StartLine("bin", "tool.dll").has_value());
}

TEST(WindowsScript, AFileOfTheWorkingFolderItself) {
  const ScriptText text(WindowsAt("C:\\App"));
  EXPECT_EQ(Joined(text.FileLines("", "program.db")),
            "del \"C:\\App\\program.db\" /q \r\n"
            "ren \"C:\\App\\program.db_u\" \"program.db\" \r\n");
}

TEST(WindowsScript, TheWholeScriptWithOnlyTheLaterOfTwoExeStartLines) {
  TemporaryFolder folder;
  const fs::path file = folder.Path() / "update.bat";
  InstallerScript script;
  ASSERT_TRUE(script.Create(file, WindowsAt("C:\\App")));
  ASSERT_TRUE(script.AddFile("bin", "tool.dll"));
  ASSERT_TRUE(script.AddFile("", "keldar.exe"));
  ASSERT_TRUE(script.AddFile("tools", "helper.exe"));
  ASSERT_TRUE(script.Finish());
  EXPECT_EQ(ReadBytes(file),
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

TEST(WindowsScript, TheStartLineOfAProgramInTheWorkingFolder) {
  const ScriptText text(WindowsAt("C:\\App"));
  EXPECT_EQ(
      text.StartLine("", "keldar.exe"),
      std::optional<std::string>("start \"krv_local_billing\" \"C:\\App\\keldar.exe\" \r\n "));
  EXPECT_TRUE(text.StartLine("", "keldar.exe.config").has_value()) << "\".exe\" anywhere counts";
  EXPECT_FALSE(text.StartLine("", "keldar.ex").has_value());
}

TEST(WindowsScript, NothingDownloadedLeavesThePingAndTheSelfDeleteOnly) {
  TemporaryFolder folder;
  InstallerScript script;
  ASSERT_TRUE(script.Create(folder.Path() / "update.bat", WindowsAt("C:\\App")));
  ASSERT_TRUE(script.Finish());
  EXPECT_EQ(ReadBytes(folder.Path() / "update.bat"),
            "ping -n 6 127.0.0.1 >nul\r\n"
            "del \"C:\\App\\update.bat\" /q \r\n");
}

TEST(WindowsScript, TheCurrentFolderGoesInUnchangedOnThisSystem) {
  EXPECT_EQ(ScriptDirectory("/srv/Счётчики/keldar"), "/srv/Счётчики/keldar");
}

TEST(WindowsScript, ALineOrAFolderTooLongForTheInterpreterIsNotWritten) {
  TemporaryFolder folder;
  InstallerScript script;
  EXPECT_FALSE(script.Create(folder.Path() / "a.bat", WindowsAt("C:\\" + std::string(350, 'a'))));
  ASSERT_TRUE(script.Create(folder.Path() / "b.bat", WindowsAt("C:\\" + std::string(300, 'a'))));
  EXPECT_TRUE(script.AddFile("bin", std::string(38, 'n')));
  EXPECT_FALSE(script.AddFile("bin", std::string(45, 'n'))) << "its ren line passes 400 bytes";
  script.Close();
  EXPECT_EQ(ReadBytes(folder.Path() / "b.bat").find(std::string(45, 'n')), std::string::npos)
      << "neither of its lines is written";
}

TEST(PosixScript, EveryPathIsSingleQuotedSafely) {
  EXPECT_EQ(ShellQuoted("/srv/it's here"), "'/srv/it'\\''s here'");
  const ScriptText text(PosixAt("/srv/a b", 5));
  EXPECT_EQ(Joined(text.Opening()), "#!/bin/sh\nsleep 5\ncd '/srv/a b' || exit 1\n");
  EXPECT_EQ(Joined(text.FileLines("plugins", "tool.so")),
            "if [ -x '/srv/a b/plugins/tool.so' ]; then chmod +x '/srv/a b/plugins/tool.so_u'; fi\n"
            "mv -f '/srv/a b/plugins/tool.so_u' '/srv/a b/plugins/tool.so'\n");
  EXPECT_EQ(Joined(text.FileLines("", "keldar")),
            "chmod +x '/srv/a b/keldar_u'\nmv -f '/srv/a b/keldar_u' '/srv/a b/keldar'\n");
  EXPECT_EQ(text.StartLine("", "keldar"), std::optional<std::string>("'/srv/a b/keldar' &\n"));
  EXPECT_FALSE(text.StartLine("", "keldar-cli").has_value());
  EXPECT_EQ(Joined(text.Closing(std::nullopt)), "rm -f '/srv/a b/update.sh'\n");
}

// A working folder whose name needs the quoting: a blank and a quote.
class PosixRun : public ::testing::Test {
 protected:
  fs::path Folder() const { return folder_.Path() / "it's a folder"; }
  void SetUp() override { fs::create_directories(Folder()); }
  int RunScript() {
    const std::string command = "/bin/sh " + ShellQuoted((Folder() / "update.sh").string());
    return std::system(command.c_str());
  }

  TemporaryFolder folder_;
};

TEST_F(PosixRun, ReplacesTheFilesStartsTheNewProgramAndDeletesItself) {
  const fs::path dir = Folder();
  WriteBytes(dir / "keldar", "#!/bin/sh\necho old > ran.txt\n");
  fs::permissions(dir / "keldar", fs::perms::owner_all);
  WriteBytes(dir / "keldar_u", "#!/bin/sh\necho new > ran.txt\n");  // staged without x
  WriteBytes(dir / "plugins" / "tool.so", "old plug-in");
  fs::permissions(dir / "plugins" / "tool.so", fs::perms::owner_all);
  WriteBytes(dir / "plugins" / "tool.so_u", "new plug-in");
  WriteBytes(dir / "phrases.db", "old phrases");
  WriteBytes(dir / "phrases.db_u", "new phrases");

  InstallerScript script;
  ASSERT_TRUE(script.Create(dir / "update.sh", PosixAt(dir)));
  ASSERT_TRUE(script.AddFile("", "keldar"));
  ASSERT_TRUE(script.AddFile("plugins", "tool.so"));
  ASSERT_TRUE(script.AddFile("", "phrases.db"));
  ASSERT_TRUE(script.Finish());
  ASSERT_EQ(RunScript(), 0);

  ASSERT_TRUE(WaitFor([&] { return ReadBytes(dir / "ran.txt") == "new\n"; }))
      << "the new program was started in the working folder";
  EXPECT_TRUE(Executable(dir / "keldar"));
  EXPECT_EQ(ReadBytes(dir / "plugins" / "tool.so"), "new plug-in");
  EXPECT_TRUE(Executable(dir / "plugins" / "tool.so")) << "an executable stays executable";
  EXPECT_EQ(ReadBytes(dir / "phrases.db"), "new phrases");
  EXPECT_FALSE(Executable(dir / "phrases.db"));
  EXPECT_FALSE(fs::exists(dir / "keldar_u"));
  EXPECT_FALSE(fs::exists(dir / "plugins" / "tool.so_u"));
  EXPECT_FALSE(fs::exists(dir / "update.sh"));
}

TEST_F(PosixRun, WithoutTheProgramAmongTheFilesNothingIsStarted) {
  const fs::path dir = Folder();
  WriteBytes(dir / "keldar", "#!/bin/sh\necho old > ran.txt\n");
  fs::permissions(dir / "keldar", fs::perms::owner_all);
  WriteBytes(dir / "phrases.db_u", "new phrases");
  InstallerScript script;
  ASSERT_TRUE(script.Create(dir / "update.sh", PosixAt(dir)));
  ASSERT_TRUE(script.AddFile("", "phrases.db"));
  ASSERT_TRUE(script.Finish());
  ASSERT_EQ(RunScript(), 0);
  EXPECT_EQ(ReadBytes(dir / "phrases.db"), "new phrases");
  EXPECT_FALSE(fs::exists(dir / "update.sh"));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_FALSE(fs::exists(dir / "ran.txt"));
}

TEST_F(PosixRun, OnlyTheLaterOfTwoProgramFilesIsStarted) {
  const fs::path dir = Folder();
  WriteBytes(dir / "keldar_u", "#!/bin/sh\necho top >> ran.txt\n");
  WriteBytes(dir / "bin" / "keldar_u", "#!/bin/sh\necho bin >> ran.txt\n");
  InstallerScript script;
  ASSERT_TRUE(script.Create(dir / "update.sh", PosixAt(dir)));
  ASSERT_TRUE(script.AddFile("", "keldar"));
  ASSERT_TRUE(script.AddFile("bin", "keldar"));
  ASSERT_TRUE(script.Finish());
  const std::string text = ReadBytes(dir / "update.sh");
  EXPECT_EQ(text.find(ShellQuoted((dir / "keldar").string()) + " &"), std::string::npos);
  ASSERT_EQ(RunScript(), 0);
  ASSERT_TRUE(WaitFor([&] { return ReadBytes(dir / "ran.txt") == "bin\n"; }));
}

TEST_F(PosixRun, AClosedUnfinishedScriptLacksItsEnd) {
  InstallerScript script;
  ASSERT_TRUE(script.Create(Folder() / "update.sh", PosixAt(Folder())));
  ASSERT_TRUE(script.AddFile("", "keldar"));
  script.Close();
  const std::string text = ReadBytes(Folder() / "update.sh");
  EXPECT_NE(text.find("mv -f"), std::string::npos) << "each file's lines are written at once";
  EXPECT_EQ(text.find("rm -f"), std::string::npos);
  EXPECT_EQ(text.find(" &\n"), std::string::npos);
}

TEST(InstallerScriptFile, AScriptThatCannotBeCreatedIsReported) {
  InstallerScript script;
  EXPECT_FALSE(script.Create("/proc/update.sh", PosixAt("/proc")));
  EXPECT_FALSE(script.AddFile("", "keldar"));
  EXPECT_FALSE(script.Finish());
}

}  // namespace
