// The update run against the development server on 127.0.0.1, in a working
// folder of its own: what is fetched and staged, what the script then does,
// and what a damaged chunk, a stop or a faulty file list leave behind.
#include "online/update_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <mutex>

#include "online/crc32.h"
#include "update_support.h"

namespace fs = std::filesystem;
using devserver::Fault;
using devserver::FaultKind;
using Strings = std::vector<std::string>;

namespace {

// A program file that is a shell script: started, it writes its word into started.txt.
std::string Program(const std::string& word, std::size_t size) {
  const std::string text = "#!/bin/sh\necho " + word + " > started.txt\nexit 0\n";
  return text + Pattern(size - text.size(), 1);
}

bool Exists(const fs::path& file) { return fs::exists(file); }

// A working folder with the old program, a plug-in, a picture and the
// catalogue; the release changes all but the catalogue.
class UpdateRunTest : public ::testing::Test {
 protected:
  UpdateRunTest() {
    WriteFile("keldar", Program("old", 9000));
    fs::permissions("keldar", fs::perms::owner_all);
    WriteFile("KRVHEATDLL.so", "old plug-in");
    WriteFile("images/KELDAR.png", "old picture");
    WriteFile("program.db", catalogue_);
  }
  // Stopped, as a user would, once `stopAfterSteps` progress steps came (0: before it starts).
  UpdateResult RunUpdate(ReleaseServer& server, int stopAfterSteps = -1) {
    environment_ = TestEnvironment(server, handOver_);
    if (adjust_) adjust_(environment_);
    {
      std::lock_guard lock(mutex_);
      steps_.clear();
    }
    std::stop_source stop;
    if (stopAfterSteps == 0) stop.request_stop();
    UpdateRun run(environment_, kClientId, kFinger, kNewVersion, stop.get_token(),
                  [this, &stop, stopAfterSteps](std::int32_t step) {
                    std::lock_guard lock(mutex_);
                    steps_.push_back(step);
                    const int count = static_cast<int>(steps_.size());
                    if (count == stopAfterSteps) stop.request_stop();
                    if (count == changeAfterSteps_ && change_) change_();
                  });
    return run.Run();
  }
  std::vector<std::int32_t> Steps() {
    std::lock_guard lock(mutex_);
    return steps_;
  }
  std::int64_t Progress() {
    std::int64_t sum = 0;
    for (const auto step : Steps()) sum += step;
    return sum;
  }
  void ExpectNothingInstalled() {
    EXPECT_EQ(ReadFile("keldar"), Program("old", 9000));
    EXPECT_EQ(ReadFile("KRVHEATDLL.so"), "old plug-in");
    EXPECT_EQ(handOver_.launches, 0) << "the script is not run";
    EXPECT_EQ(handOver_.exits, 0) << "the program keeps running";
  }
  // Everything was cleared away: no staged file, no script.
  static void ExpectNothingLeft() {
    for (const auto& entry : fs::recursive_directory_iterator("."))
      EXPECT_FALSE(entry.path().string().ends_with("_u")) << entry.path();
    EXPECT_FALSE(Exists("update.sh"));
  }

  ScopedWorkingDirectory folder_;
  const std::string newProgram_ = Program("new", 12000);
  const std::string newPlugin_ = Pattern(23000, 3);
  const std::string newPicture_ = Pattern(7000, 4);
  const std::string catalogue_ = Pattern(3000, 5);
  const std::vector<ReleaseEntry> release_ = {{2001, "", "keldar", newProgram_},
                                              {2002, "", "KRVHEATDLL.so", newPlugin_},
                                              {2003, "images", "KELDAR.png", newPicture_},
                                              {2004, "", "program.db", catalogue_}};
  HandOver handOver_;
  UpdateEnvironment environment_;
  std::function<void(UpdateEnvironment&)> adjust_;
  // Run on the worker's thread once that many progress steps came.
  int changeAfterSteps_ = -1;
  std::function<void()> change_;
  std::mutex mutex_;
  std::vector<std::int32_t> steps_;
};

TEST_F(UpdateRunTest, ChangedFilesArriveInChunksAndTheScriptReplacesThemAndStartsTheProgram) {
  ReleaseServer server(release_);
  ASSERT_EQ(RunUpdate(server).outcome, UpdateOutcome::kHandedOver);
  // The catalogue is current and not fetched; the length carries from file to file.
  EXPECT_EQ(server.ChunkRequests(),
            Strings({"2001 1 5000", "2001 5001 7000", "2002 1 7000", "2002 7001 12000",
                     "2002 19001 4000", "2003 1 4000", "2003 4001 3000"}));
  EXPECT_EQ(ReadFile("keldar_u"), newProgram_);
  EXPECT_EQ(ReadFile("images/KELDAR.png_u"), newPicture_);
  EXPECT_EQ(Progress(), 12000 + 23000 + 7000 + 3000);
  EXPECT_EQ(handOver_.launches, 1);
  EXPECT_EQ(handOver_.exits, 1);

  ASSERT_EQ(std::system("/bin/sh update.sh"), 0);
  ASSERT_TRUE(WaitFor([] { return ReadFile("started.txt") == "new\n"; }));
  EXPECT_EQ(ReadFile("keldar"), newProgram_);
  EXPECT_EQ(ReadFile("KRVHEATDLL.so"), newPlugin_);
  EXPECT_EQ(ReadFile("images/KELDAR.png"), newPicture_);
  EXPECT_EQ(ReadFile("program.db"), catalogue_);
  ExpectNothingLeft();
}

TEST_F(UpdateRunTest, ACorruptedChunkInstallsNothingAndRemovesTheStagedFiles) {
  ReleaseServer server(release_, {Fault{FaultKind::kCorruptChunk, "fetch_file", 1, {}}});
  const UpdateResult result = RunUpdate(server);
  EXPECT_EQ(result.outcome, UpdateOutcome::kDamaged);
  EXPECT_EQ(result.detail, "keldar");
  ExpectNothingInstalled();
  ExpectNothingLeft();
}

TEST_F(UpdateRunTest, AStopEndsAfterTheCurrentChunkLeavingTheScriptUnfinishedAndNotRun) {
  ReleaseServer server(release_);
  // Asked while the plug-in's first chunk is on its way.
  EXPECT_EQ(RunUpdate(server, 3).outcome, UpdateOutcome::kStopped);
  EXPECT_EQ(server.ChunkRequests(), Strings({"2001 1 5000", "2001 5001 7000", "2002 1 7000"}));
  ExpectNothingInstalled();
  EXPECT_EQ(ReadFile("KRVHEATDLL.so_u").substr(0, 7000), newPlugin_.substr(0, 7000));
  const std::string script = ReadFile("update.sh");
  EXPECT_NE(script.find("KRVHEATDLL.so_u"), std::string::npos) << "its lines are still added";
  EXPECT_EQ(script.find("rm -f"), std::string::npos);
}

TEST_F(UpdateRunTest, AStopWhileTheListIsProcessedLeavesTheScriptOnDiskNotRun) {
  ReleaseServer server(release_);
  EXPECT_EQ(RunUpdate(server, 0).outcome, UpdateOutcome::kStopped);
  EXPECT_TRUE(server.ChunkRequests().empty());
  EXPECT_TRUE(ReadFile("update.sh").starts_with("#!/bin/sh\nsleep 0\n"));
  ExpectNothingInstalled();
}

TEST_F(UpdateRunTest, AChunkThatDoesNotArriveIsAskedForAgainAndCountedAgain) {
  ReleaseServer server(release_, {Fault{FaultKind::kNotFound, "fetch_file", 2, {}}});
  ASSERT_EQ(RunUpdate(server).outcome, UpdateOutcome::kHandedOver);
  const Strings chunks = server.ChunkRequests();
  ASSERT_GE(chunks.size(), 4u);
  EXPECT_EQ(Strings(chunks.begin(), chunks.begin() + 4),
            Strings({"2001 1 5000", "2001 1 5000", "2001 1 5000", "2001 5001 7000"}));
  EXPECT_EQ(ReadFile("keldar_u"), newProgram_);
  EXPECT_EQ(Progress(), 2 * 5000 + 12000 + 23000 + 7000 + 3000);
}

TEST_F(UpdateRunTest, FilesFoundCurrentAreNotFetchedAndTheScriptStillRuns) {
  std::string content;  // a local file whose CRC has the high bit set
  for (unsigned seed = 0; (Crc32(content) & 0x80000000u) == 0; ++seed) content = Pattern(900, seed);
  WriteFile("doc/meters.txt", content);
  ReleaseServer server(release_);
  server.AnswerFileList(FileListJson(
      {{{"id", "21"},
        {"name", "meters.txt"},
        {"dst", "doc"},
        {"size", "900"},
        {"crc", std::to_string(Crc32(content))}},
       {{"id", "22"}, {"name", "absent.txt"}, {"dst", ""}, {"size", "10"}, {"crc", "0"}}}));
  ASSERT_EQ(RunUpdate(server).outcome, UpdateOutcome::kHandedOver);
  EXPECT_TRUE(server.ChunkRequests().empty()) << "a missing file has CRC 0, as its record";
  EXPECT_EQ(Progress(), 910);
  EXPECT_EQ(handOver_.exits, 1);
  const std::string script = ReadFile("update.sh");
  EXPECT_EQ(script.find("mv "), std::string::npos);
  EXPECT_EQ(script.find(" &\n"), std::string::npos) << "the program is not restarted";
  EXPECT_NE(script.find("rm -f"), std::string::npos);
}

TEST_F(UpdateRunTest, AFileListThatCannotBeFetchedEndsTheUpdateAndTheProgramGoesOn) {
  for (const FaultKind kind : {FaultKind::kNotFound, FaultKind::kNotJson,
                               FaultKind::kNotFoundSays200, FaultKind::kCloseEarly}) {
    ReleaseServer server(release_, {Fault{kind, "get_project_pack", -1, {}}});
    EXPECT_EQ(RunUpdate(server).outcome, UpdateOutcome::kNoFileList);
    EXPECT_TRUE(server.ChunkRequests().empty());
    ExpectNothingInstalled();
    ExpectNothingLeft();
  }
}

// A chunk that never comes right: asked for a bounded number of times, then
// the update ends with nothing installed and nothing of it left in the folder,
// the files of the list already staged included.
TEST_F(UpdateRunTest, AChunkThatNeverComesRightEndsTheUpdateAfterItsTries) {
  for (const FaultKind kind :
       {FaultKind::kNotFound, FaultKind::kNotJson, FaultKind::kOversizeChunk}) {
    ReleaseServer server(release_);
    // The program arrives whole in two chunks; the plug-in's first chunk never does.
    changeAfterSteps_ = 3;
    change_ = [&server, kind] { server.Server().SetFaults({Fault{kind, "fetch_file", -1, {}}}); };
    const UpdateResult result = RunUpdate(server);
    EXPECT_EQ(result.outcome, UpdateOutcome::kDownloadFailed);
    EXPECT_EQ(result.detail, "KRVHEATDLL.so");
    const Strings chunks = server.ChunkRequests();
    ASSERT_EQ(chunks.size(), 2u + static_cast<std::size_t>(environment_.chunkAttempts));
    EXPECT_EQ(chunks.back(), "2002 1 7000");
    ExpectNothingInstalled();
    ExpectNothingLeft();
  }
}

TEST_F(UpdateRunTest, ADownloadThatGainsNothingForTooLongEnds) {
  ReleaseServer server(release_, {Fault{FaultKind::kSilent, "fetch_file", -1, {}}});
  adjust_ = [](UpdateEnvironment& environment) {
    environment.chunkAttempts = 1000;
    environment.stallLimit = std::chrono::milliseconds(1500);
  };
  const auto started = std::chrono::steady_clock::now();
  const UpdateResult result = RunUpdate(server);
  const auto elapsed = std::chrono::steady_clock::now() - started;
  EXPECT_EQ(result.outcome, UpdateOutcome::kDownloadFailed);
  EXPECT_EQ(result.detail, "keldar");
  EXPECT_LT(elapsed, std::chrono::seconds(6)) << "a silent server is left at the stall limit";
  ExpectNothingInstalled();
  ExpectNothingLeft();
}

TEST_F(UpdateRunTest, AnUnsafeRecordRefusesTheWholeUpdateBeforeAnyDownload) {
  ReleaseServer server(release_);
  for (const auto& [member, value] :
       std::vector<std::pair<std::string, std::string>>{{"dst", "/tmp"},
                                                        {"dst", "../.."},
                                                        {"name", "../keldar"},
                                                        {"name", "bin/keldar"},
                                                        {"name", "it's"},
                                                        {"size", "-5"},
                                                        {"size", "99999999999"},
                                                        {"id", "61) x"}}) {
    std::vector<std::pair<std::string, std::string>> bad = {
        {"id", "61"}, {"name", "other"}, {"dst", ""}, {"size", "11"}, {"crc", "1"}};
    for (auto& field : bad)
      if (field.first == member) field.second = value;
    // A sound record comes first: it is not fetched either.
    server.AnswerFileList(
        FileListJson({{{"id", "2001"}, {"name", "keldar"}, {"size", "12000"}, {"crc", "1"}}, bad}),
        1);
    EXPECT_EQ(RunUpdate(server).outcome, UpdateOutcome::kRefused) << member << "=" << value;
  }
  // The reason goes with the refusal, for the message.
  server.Server().SetFaults({Fault{FaultKind::kUnsafeRecord, "get_project_pack", -1, "../keldar"}});
  const UpdateResult result = RunUpdate(server);
  EXPECT_EQ(result.outcome, UpdateOutcome::kRefused);
  EXPECT_EQ(result.problem, RecordProblem::kParentLevel);
  EXPECT_EQ(result.detail, "../keldar");
  EXPECT_TRUE(server.ChunkRequests().empty());
  ExpectNothingInstalled();
  ExpectNothingLeft();
}

TEST_F(UpdateRunTest, AFolderThatCannotBeWrittenIsFoundBeforeAnythingIsDownloaded) {
  fs::remove_all("images");
  WriteFile("images", "a file where the folder should be");
  ReleaseServer server(release_);
  const UpdateResult result = RunUpdate(server);
  EXPECT_EQ(result.outcome, UpdateOutcome::kFolderNotWritable);
  EXPECT_EQ(result.detail, (folder_.Path() / "images").string());
  {
    ScopedDirectory proc("/proc");  // no file can be created there, even by root
    const UpdateResult first = RunUpdate(server);
    EXPECT_EQ(first.outcome, UpdateOutcome::kFolderNotWritable);
    EXPECT_EQ(first.detail, "/proc");
  }
  EXPECT_TRUE(server.ChunkRequests().empty());
  ExpectNothingLeft();
}

TEST_F(UpdateRunTest, AStagedFileThatCannotBeWrittenOrAScriptThatCannotStartInstallNothing) {
  fs::create_directory("KRVHEATDLL.so_u");  // in the way of the plug-in's staged file
  ReleaseServer server(release_);
  const UpdateResult result = RunUpdate(server);
  EXPECT_EQ(result.outcome, UpdateOutcome::kNotWritten);
  EXPECT_EQ(result.detail, "KRVHEATDLL.so_u");
  EXPECT_TRUE(fs::is_directory("KRVHEATDLL.so_u")) << "what the update did not write stays";
  EXPECT_FALSE(Exists("keldar_u"));
  fs::remove("KRVHEATDLL.so_u");

  handOver_.launchSucceeds = false;
  EXPECT_EQ(RunUpdate(server).outcome, UpdateOutcome::kNotStarted);
  EXPECT_EQ(handOver_.exits, 0);
  ExpectNothingLeft();
}

}  // namespace
