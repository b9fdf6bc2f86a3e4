// The real hand-over: the script runs detached, in a session of its own,
// without the program's open files.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "online/update_process.h"
#include "update_support.h"

namespace {

TEST(LaunchInstallerScript, RunsTheScriptInItsOwnSessionWithoutTheProgramsFiles) {
  ScopedWorkingDirectory folder;
  const int held = ::open("held.txt", O_WRONLY | O_CREAT, 0600);  // as a serial port would be
  ASSERT_GE(held, 0);
  WriteFile("update.sh", "pwd > where.txt\n[ -e /proc/$$/fd/" + std::to_string(held) +
                             " ] && echo open > fd.txt || echo closed > fd.txt\n"
                             "ps -o sid= -p $$ | tr -d ' ' > sid.txt\necho done > done.txt\n");
  const pid_t child = LaunchInstallerScript(folder.Path() / "update.sh");
  ::close(held);
  ASSERT_GT(child, 0);
  ASSERT_TRUE(WaitFor([] { return ReadFile("done.txt") == "done\n"; }));
  EXPECT_EQ(ReadFile("where.txt"), folder.Path().string() + "\n");
  EXPECT_EQ(ReadFile("fd.txt"), "closed\n");
  EXPECT_EQ(ReadFile("sid.txt"), std::to_string(child) + "\n");
}

}  // namespace
