// The start-up question against the development server: "No" leaves the
// download icon; "Yes" updates the working folder and the new program starts.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "walkthrough.h"

namespace fs = std::filesystem;

namespace {

constexpr char kReleaseMark[] = "\nacceptance release v.0.15\n";

// The release the server offers: the program itself and a note that the old
// folder does not have.
std::string MakeReleases(const std::string& root, const std::string& program) {
  const fs::path releases = fs::path(root) / "releases";
  const fs::path version = releases / "7" / "v.0.15";
  fs::create_directories(version);
  std::ofstream(releases / "7" / "project.txt")
      << "database=krv_local_billing\nname=KELDAR\nlong_name=KELDAR M-Bus service tool\n"
         "description=Service tool\nlogo=KELDAR_70_70.png\ncurrent=v.0.15\n";
  std::ofstream(version / "manifest.txt") << "1601 . keldar\n1602 . readme.txt\n";
  std::ofstream(version / "readme.txt") << "Release v.0.15 of the acceptance walkthrough.\n";
  fs::copy_file(program, version / "keldar");
  // The same build with a mark at its end (the loader reads no further), so
  // the update finds it changed and starts it afterwards.
  std::ofstream(version / "keldar", std::ios::app | std::ios::binary) << kReleaseMark;
  return releases.string();
}

std::string RestPort() {
  const std::string host = KELDAR_REST_HOST;
  return host.substr(host.rfind(':') + 1);
}

class UpdateWalkthrough : public Walkthrough {};

TEST_F(UpdateWalkthrough, NoKeepsTheIconYesInstallsAndRestarts) {
  const std::string root = fs::path(S().WorkingFolder()).parent_path().string();
  const std::string releases = MakeReleases(root, S().WorkingFolder() + "/keldar");
  ChildProcess server;
  ChildProcess::Options options;
  options.arguments = {S().WorkingFolder() + "/keldar-dev-server", "--releases", releases,
                       "--port", RestPort()};
  options.output = root + "/dev-server.out";
  ASSERT_EQ(server.Start(options), "");
  for (int waited = 0; waited < 10000 && fs::file_size(options.output) == 0; waited += 50)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ASSERT_TRUE(server.Running()) << "the development server did not start on port " << RestPort();

  S().WriteFile("config.ini", SettingsFile(1));
  S().StartProgram("", false);
  // The question comes before the window.
  std::string question = AnswerMessageBox("No");
  EXPECT_NE(question.find("v.0.15"), std::string::npos) << question;
  const ScreenWidget icon = S().Need("Bottom/Image2");
  S().Step("the download icon stays");

  S().Click("Bottom/Image2");
  question = AnswerMessageBox("Yes", false);  // the program ends once it has the files
  EXPECT_NE(question.find("v.0.15"), std::string::npos) << question;
  // The update screen downloads, the script replaces the files and starts the new program.
  std::vector<long> started;
  for (int waited = 0; waited < 300000 && started.empty(); waited += 200) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    started = S().OtherPrograms();
  }
  ASSERT_EQ(started.size(), 1u) << "the new program did not start";
  S().FollowProgram(started.front());
  // The same build still asks (it is not v.0.15 itself); the files are new.
  AnswerMessageBox("No");
  S().Need("TForm1");
  S().Step("the new program runs");
  EXPECT_EQ(S().ReadFile("readme.txt"), "Release v.0.15 of the acceptance walkthrough.\n");
  EXPECT_FALSE(fs::exists(S().WorkingFolder() + "/update.sh"));
  EXPECT_FALSE(fs::exists(S().WorkingFolder() + "/keldar_u"));
  const std::string program = S().ReadFile("keldar");
  EXPECT_TRUE(program.ends_with(kReleaseMark)) << "the program was replaced";
  (void)icon;
}

}  // namespace
