// The real hand-over: the script is started detached, in a session of its
// own, without the program's open files.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "online/update_process.h"
#include "update_support.h"

namespace fs = std::filesystem;

namespace {

TEST(LaunchInstallerScript, StartsTheScriptDetachedWithoutTheProgramsOpenFiles) {
  TemporaryFolder folder;
  ScopedWorkingDirectory cwd(folder.Path());
  // A descriptor the program holds open, as it would a serial port.
  const int held = ::open("held.txt", O_WRONLY | O_CREAT, 0600);
  ASSERT_GE(held, 0);
  WriteBytes("update.sh",
             "echo \"$(pwd)\" > where.txt\n"
             "if [ -e /proc/$$/fd/" +
                 std::to_string(held) +
                 " ]; then echo open; else echo closed; fi"
                 " > fd.txt\n"
                 "ps -o sid= -p $$ | tr -d ' ' > sid.txt\n"
                 "echo done > done.txt\n");
  const pid_t child = LaunchInstallerScript(folder.Path() / "update.sh");
  ::close(held);
  ASSERT_GT(child, 0);
  ASSERT_TRUE(WaitFor([] { return ReadBytes("done.txt") == "done\n"; }));
  EXPECT_EQ(ReadBytes("where.txt"), folder.Path().string() + "\n") << "runs in the working folder";
  EXPECT_EQ(ReadBytes("fd.txt"), "closed\n");
  const std::string session = ReadBytes("sid.txt");
  if (!session.empty()) {
    EXPECT_EQ(session, std::to_string(child) + "\n") << "the script leads a session of its own";
    EXPECT_NE(::getsid(0), child);
  }
}

TEST(LaunchInstallerScript, AScriptThatDoesNotExistStillStartsTheShellWhichFails) {
  // posix_spawn succeeds: the shell reports the missing file itself.
  TemporaryFolder folder;
  EXPECT_GT(LaunchInstallerScript(folder.Path() / "missing.sh"), 0);
}

}  // namespace
