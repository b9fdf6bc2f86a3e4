// keldar-cli facing damaged files and ports it cannot open: it says why in
// words a user can act on, and never crashes or hangs.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>

#include "base/platform/library.h"
#include "command.h"
#include "device/port_problem.h"
#include "keldar/bus_protocol_types.h"
#include "ordinary_user.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

struct CliOutcome {
  int status = -1;
  std::string out;
  std::string err;
};

CliOutcome Cli(std::vector<std::string> args, const std::string& input = "") {
  std::ostringstream out, err;
  std::istringstream in(input);
  keldar::cli::CommandIo io{out, err, in};
  CliOutcome run;
  run.status = keldar::cli::RunCli(args, io);
  run.out = out.str();
  run.err = err.str();
  return run;
}

std::vector<std::string> ReadAt(const std::string& port) {
  return {"read", "--port", port, "--baud", "2400", "--address", "1"};
}
std::vector<std::string> IdentifyAt(const std::string& port) {
  return {"identify", "--port", port, "--baud", "2400", "--address", "1"};
}

// A pseudo-terminal: a serial device nobody else uses.
class Terminal {
 public:
  Terminal() {
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) == 0) path_ = name;
  }
  ~Terminal() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
  }
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;
  const std::string& Path() const { return path_; }
  int Slave() const { return slave_; }

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};

class CliFaults : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { platform::SetPluginDirectory(KELDAR_BIN_DIR); }
  static void TearDownTestSuite() { platform::SetPluginDirectory({}); }

  // One line on standard error that says `words`, nothing on standard output.
  static void ExpectOneLine(const CliOutcome& run, int status, const std::string& words) {
    EXPECT_EQ(run.status, status) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_NE(run.err.find(words), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
};

TEST_F(CliFaults, EachPortThatCannotBeOpenedSaysWhy) {
  ScopedWorkingDirectory cwd;
  fs::create_directory("folder");
  WriteFile("file.txt", "not a port");
  const std::string folder = (cwd.Path() / "folder").string();
  const std::string file = (cwd.Path() / "file.txt").string();
  for (auto command : {ReadAt, IdentifyAt}) {
    SCOPED_TRACE(command("")[0]);
    ExpectOneLine(Cli(command("/dev/no-such-port")), 1, "no such port");
    ExpectOneLine(Cli(command(folder)), 1, "is a folder, not a port");
    ExpectOneLine(Cli(command(file)), 1, "an ordinary file, not a serial port");
    ExpectOneLine(Cli(command("/dev/null")), 1, "/dev/null: it is not a serial port");
    ExpectOneLine(Cli(command("")), 2, "--port needs a value, not an empty one");
  }
}

TEST_F(CliFaults, ABusyPortNamesTheProgramHoldingIt) {
  Terminal terminal;
  ASSERT_FALSE(terminal.Path().empty());
  ASSERT_EQ(::flock(terminal.Slave(), LOCK_EX | LOCK_NB), 0);
  std::string self;
  std::ifstream("/proc/self/comm") >> self;
  const std::string holder = "held by " + self + " (process " + std::to_string(::getpid()) + ")";
  ExpectOneLine(Cli(ReadAt(terminal.Path())), 1, holder);
  ExpectOneLine(Cli(IdentifyAt(terminal.Path())), 1, holder);

  const auto found = FindPortHolder(terminal.Path());
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->pid, ::getpid());
  EXPECT_FALSE(FindPortHolder("/no/such/port").has_value());
}

TEST_F(CliFaults, NoPermissionNamesTheGroupThatOwnsThePort) {
  ScopedWorkingDirectory cwd;
  WriteFile("port", "");
  // Root may give the file any group; others one of their own.
  const gid_t gid = ::geteuid() == 0 ? 20 : ::getegid();
  const group* entry = ::getgrgid(gid);
  if (entry == nullptr || gid == 0) GTEST_SKIP() << "no named group " << gid << " to give the file";
  const std::string name = entry->gr_name;
  ASSERT_EQ(::chown("port", static_cast<uid_t>(-1), gid), 0);
  const std::string text = PortOpenFailure(KELDAR_BUS_PORT_ACCESS_DENIED, "port");
  EXPECT_NE(text.find("belongs to group " + name), std::string::npos) << text;
  EXPECT_NE(text.find("usermod -aG " + name + " $USER"), std::string::npos) << text;
}

TEST_F(CliFaults, APortWithoutPermissionIsRefusedWithItsGroup) {
  Terminal terminal;
  ASSERT_FALSE(terminal.Path().empty());
  ASSERT_EQ(::chmod(terminal.Path().c_str(), 0), 0);
  // As a serial port belongs to dialout (root's terminals may belong to root,
  // which nobody is told to join).
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(terminal.Path().c_str(), static_cast<uid_t>(-1), 20), 0);
  }
  ScopedWorkingDirectory cwd;
  const ScopedOrdinaryUser user;
  const CliOutcome run = Cli(ReadAt(terminal.Path()));
  ExpectOneLine(run, 1, "no permission");
  EXPECT_NE(run.err.find("group"), std::string::npos) << run.err;
}

// A heat meter's answer that decodes (see cli_test).
constexpr char kGood[] =
    "68 36 36 68 08 05 72 78 56 34 12 56 2E 03 04 2A 00 00 00 04 06 39 30 00 00 0A 5A 23 F1 04 "
    "6D 1E 08 0F 33 04 6D 9E 08 0F 33 0D FD 0C 02 42 41 84 40 93 28 0A 00 00 00 0F 01 02 9B 16";

TEST_F(CliFaults, DecodeSaysWhyEachFrameIsRefused) {
  struct Case {
    const char* hex;
    const char* says;
  };
  const Case cases[] = {
      {"68 04 04 68 08 01 70 08 82 16", "check sum is 82 but the bytes sum to 81"},
      {"68 04 04 68 08 01 70 08 81 17", "stop byte is 17, not 16"},
      {"68 04 04 68 08 01 70 08 81", "truncated: 9 bytes of the 10 bytes"},
      {"68 04 04 68 08 01 70 08 81 16 16", "1 byte after the end of the frame"},
      {"68 04 05 68 08 01 70 08 81 16", "the two length bytes differ (04 and 05)"},
      {"68 04 04 69 08 01 70 08 81 16", "second start byte is 69, not 68"},
      {"68 02 02 68 08 01 09 16", "leaves no room for C, A and CI"},
      {"68 04", "truncated: 2 bytes, shorter than a frame's header"},
      {"10 5B 01 5C 16", "a short frame (a request), not a telegram"},
      {"10 5B 01 5D 16", "check sum is 5D but the bytes sum to 5C"},
      {"A1 B2", "first byte is A1, not a start byte"},
      {"68 05 05 68 08 01 72 78 56 49 16", "the frame is sound but its user data (CI 72)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hex);
    ExpectOneLine(Cli({"decode", c.hex}), 1, c.says);
  }
}

TEST_F(CliFaults, AFileWithOneBadTelegramStillDecodesTheOthers) {
  ScopedWorkingDirectory cwd;
  WriteFile("frames.txt",
            std::string(kGood) + "\n\n68 04 04 68 08 01 70 08 82 16\nE5 zz\n" + kGood + "\n");
  CliOutcome run = Cli({"decode", "--json", "--file", "frames.txt"});
  EXPECT_EQ(run.status, 1) << "not every telegram decoded";
  EXPECT_NE(run.err.find("line 3: not a decodable M-Bus telegram: check sum is 82"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("line 4: bad hex"), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
  const QJsonArray all = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).array();
  ASSERT_EQ(all.size(), 4) << run.out;
  EXPECT_EQ(all[0].toObject()["manufacturer"].toString(), "KRV");
  EXPECT_TRUE(all[1].toObject()["error"].toString().startsWith("line 3: ")) << run.out;
  EXPECT_TRUE(all[2].toObject()["error"].toString().startsWith("line 4: ")) << run.out;
  EXPECT_EQ(all[3].toObject()["manufacturer"].toString(), "KRV");

  run = Cli({"decode", "--file", "frames.txt"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("Telegram 1 of 4"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Telegram 3 of 4\n  not decoded: line 4: bad hex"), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("Telegram 4 of 4"), std::string::npos) << run.out;

  fs::create_directory("folder");
  ExpectOneLine(Cli({"decode", "--file", "folder"}), 2, "cannot read folder: it is a folder");

  // Telegrams given as arguments are counted instead of lines.
  run = Cli({"decode", "--json", kGood, "E5"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("telegram 2: an acknowledgement"), std::string::npos) << run.err;
  EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).array().size(), 2);
}

// keldar-cli started as a shell starts it, in a folder whose config.ini is
// `damage`d: it must get to work, warn once, and leave the file alone.
struct Started {
  int status = -1;
  std::string err;
};
Started StartIn(const fs::path& folder) {
  const std::string command = "cd '" + folder.string() + "' && timeout 20 " +
                              std::string(KELDAR_BIN_DIR) + "/keldar-cli decode E5 2>&1 >/dev/null";
  Started started;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return started;
  char chunk[256];
  while (const std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe))
    started.err.append(chunk, n);
  const int status = ::pclose(pipe);
  started.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return started;
}

TEST_F(CliFaults, TheProgramStartsWhateverConfigIniIs) {
  TempFolder folder;
  const fs::path config = folder.Path() / "config.ini";
  std::string large(10 << 20, 'x');
  const struct {
    const char* name;
    std::function<void()> damage;
  } cases[] = {
      {"a folder", [&] { fs::create_directory(config); }},
      {"a pipe", [&] { ASSERT_EQ(::mkfifo(config.c_str(), 0600), 0); }},
      {"binary", [&] { WriteFile(config, std::string("\0\1\2\3ELF", 7)); }},
      {"10 MB", [&] { WriteFile(config, large); }},
      {"a link to itself", [&] { fs::create_symlink(config, config); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(config);
    c.damage();
    const auto before = fs::symlink_status(config).type();
    const Started started = StartIn(folder.Path());
    // decode E5 fails as it always does (1): the program ran to the end.
    EXPECT_EQ(started.status, 1) << "124 is a hang, 134 an abort\n" << started.err;
    EXPECT_NE(started.err.find("warning: config.ini"), std::string::npos) << started.err;
    EXPECT_NE(started.err.find("acknowledgement"), std::string::npos) << started.err;
    EXPECT_EQ(fs::symlink_status(config).type(), before) << "left as it was";
  }
  // The last case, a large file, is still whole.
  fs::remove_all(config);
  WriteFile(config, large);
  StartIn(folder.Path());
  EXPECT_EQ(fs::file_size(config), large.size());
}

}  // namespace
