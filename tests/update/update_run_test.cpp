// The update run against the development server on 127.0.0.1, in a working
// folder of its own: what is fetched, what is staged, what the script does,
// and what happens on a damaged chunk, a stop or a faulty file list.
#include "online/update_run.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <mutex>

#include "online/crc32.h"
#include "update_support.h"

namespace fs = std::filesystem;
using devserver::Fault;
using devserver::FaultKind;

namespace {

using Strings = std::vector<std::string>;

// A program file that is a shell script: started, it leaves its word in started.txt.
std::string Program(const std::string& word, std::size_t size) {
  std::string text = "#!/bin/sh\necho " + word + " > started.txt\nexit 0\n";
  return text + Pattern(size - text.size(), static_cast<unsigned>(word.size()));
}

class UpdateRunTest : public ::testing::Test {
 protected:
  UpdateResult RunUpdate(ReleaseServer& server, std::function<bool()> stop = {},
                         std::chrono::milliseconds chunkTime = std::chrono::milliseconds(0)) {
    environment_ = TestEnvironment(server, handOver_);
    environment_.ticks = SteppingClock(chunkTime);
    UpdateRun run(environment_, kClientId, kFinger, kNewVersion, std::move(stop),
                  [this](std::int32_t step) {
                    std::lock_guard lock(stepsMutex_);
                    steps_.push_back(step);
                  });
    return run.Run();
  }
  std::size_t Steps() {
    std::lock_guard lock(stepsMutex_);
    return steps_.size();
  }
  std::int64_t Progress() {
    std::lock_guard lock(stepsMutex_);
    std::int64_t sum = 0;
    for (const auto step : steps_) sum += step;
    return sum;
  }
  static bool Exists(const fs::path& file) { return fs::exists(file); }
  static Strings StagedFiles() {
    Strings staged;
    for (const auto& entry : fs::recursive_directory_iterator("."))
      if (entry.path().string().ends_with("_u")) staged.push_back(entry.path().string());
    return staged;
  }

  TemporaryFolder folder_;
  ScopedWorkingDirectory cwd_{folder_.Path()};
  HandOver handOver_;
  UpdateEnvironment environment_;
  std::mutex stepsMutex_;
  std::vector<std::int32_t> steps_;
};

// A release that changes the program, a plug-in and a data file and leaves the
// catalogue as it is, over a working folder holding the old versions.
class ReleaseUpdate : public UpdateRunTest {
 protected:
  void SetUp() override {
    WriteBytes("keldar", Program("old", 9000));
    fs::permissions("keldar", fs::perms::owner_all);
    WriteBytes("KRVHEATDLL.so", Pattern(21000, 1));
    WriteBytes("images/KELDAR.png", Pattern(6500, 2));
    WriteBytes("program.db", catalogue_);
  }
  std::vector<ReleaseEntry> Release() const {
    return {{2001, "", "keldar", newProgram_},
            {2002, "", "KRVHEATDLL.so", newPlugin_},
            {2003, "images", "KELDAR.png", newPicture_},
            {2004, "", "program.db", catalogue_}};
  }
  void ExpectNothingInstalled() {
    EXPECT_EQ(ReadBytes("keldar"), Program("old", 9000));
    EXPECT_EQ(ReadBytes("KRVHEATDLL.so"), Pattern(21000, 1));
    EXPECT_EQ(ReadBytes("images/KELDAR.png"), Pattern(6500, 2));
    EXPECT_EQ(handOver_.launches, 0) << "the script is not run";
    EXPECT_EQ(handOver_.exits, 0) << "the program keeps running";
  }

  const std::string newProgram_ = Program("new", 12000);
  const std::string newPlugin_ = Pattern(23000, 3);
  const std::string newPicture_ = Pattern(7000, 4);
  const std::string catalogue_ = Pattern(3000, 5);
};

TEST_F(ReleaseUpdate, ChangedFilesArriveInChunksAreStagedAndTheScriptInstallsThem) {
  ReleaseServer server(Release());
  ASSERT_TRUE(server.Started()) << server.Error();
  const UpdateResult result = RunUpdate(server);
  ASSERT_EQ(result.outcome, UpdateOutcome::kHandedOver) << result.detail;

  // The unchanged catalogue is not fetched; the length carries from file to file.
  EXPECT_EQ(server.ChunkRequests(),
            Strings({"2001 1 5000", "2001 5001 7000", "2002 1 7000", "2002 7001 12000",
                     "2002 19001 4000", "2003 1 4000", "2003 4001 3000"}));
  EXPECT_EQ(ReadBytes("keldar_u"), newProgram_);
  EXPECT_EQ(ReadBytes("KRVHEATDLL.so_u"), newPlugin_);
  EXPECT_EQ(ReadBytes("images/KELDAR.png_u"), newPicture_);
  EXPECT_FALSE(Exists("program.db_u"));
  EXPECT_EQ(ReadBytes("keldar"), Program("old", 9000)) << "nothing replaced before the hand-over";
  EXPECT_EQ(Progress(), 12000 + 23000 + 7000 + 3000) << "the gauge reaches the total";

  EXPECT_EQ(handOver_.launches, 1);
  EXPECT_EQ(handOver_.exits, 1);
  EXPECT_EQ(handOver_.script, folder_.Path() / "update.sh");
  const std::string script = ReadBytes("update.sh");
  EXPECT_EQ(script.find("program.db"), std::string::npos) << "a current file leaves no lines";

  // The script, run for real, replaces the three files, starts the new
  // program and deletes itself.
  ASSERT_EQ(std::system("/bin/sh update.sh"), 0);
  ASSERT_TRUE(WaitFor([] { return ReadBytes("started.txt") == "new\n"; }));
  EXPECT_EQ(ReadBytes("keldar"), newProgram_);
  EXPECT_TRUE((fs::status("keldar").permissions() & fs::perms::owner_exec) != fs::perms::none);
  EXPECT_EQ(ReadBytes("KRVHEATDLL.so"), newPlugin_);
  EXPECT_EQ(ReadBytes("images/KELDAR.png"), newPicture_);
  EXPECT_EQ(ReadBytes("program.db"), catalogue_);
  EXPECT_TRUE(StagedFiles().empty());
  EXPECT_FALSE(Exists("update.sh"));
}

TEST_F(ReleaseUpdate, ACorruptedChunkInstallsNothingAndLeavesNoTemporaryFiles) {
  ReleaseServer server(Release(), {Fault{FaultKind::kCorruptChunk, "fetch_file", 1, {}}});
  ASSERT_TRUE(server.Started()) << server.Error();
  const UpdateResult result = RunUpdate(server);
  EXPECT_EQ(result.outcome, UpdateOutcome::kDamaged);
  EXPECT_EQ(result.detail, "keldar") << "the file whose bytes were wrong";
  ExpectNothingInstalled();
  EXPECT_TRUE(StagedFiles().empty());
  EXPECT_FALSE(Exists("update.sh"));
}

TEST_F(ReleaseUpdate, AStopEndsAfterTheCurrentChunkAndLeavesTheScriptUnfinishedAndNotRun) {
  ReleaseServer server(Release());
  ASSERT_TRUE(server.Started()) << server.Error();
  // Asked while the plug-in's first chunk is on its way.
  const UpdateResult result = RunUpdate(server, [this] { return Steps() >= 3; });
  EXPECT_EQ(result.outcome, UpdateOutcome::kStopped);
  EXPECT_EQ(server.ChunkRequests(), Strings({"2001 1 5000", "2001 5001 7000", "2002 1 7000"}));
  ExpectNothingInstalled();

  // The interrupted file is still staged and named in the script, which lacks its end.
  EXPECT_EQ(ReadBytes("keldar_u"), newProgram_);
  EXPECT_EQ(ReadBytes("KRVHEATDLL.so_u").substr(0, 7000), newPlugin_.substr(0, 7000));
  EXPECT_FALSE(Exists("images/KELDAR.png_u"));
  const std::string script = ReadBytes("update.sh");
  EXPECT_NE(script.find("KRVHEATDLL.so_u"), std::string::npos);
  EXPECT_EQ(script.find("rm -f"), std::string::npos);
  EXPECT_EQ(script.find(" &\n"), std::string::npos);
}

TEST_F(ReleaseUpdate, AStopWhileTheListIsProcessedLeavesTheScriptOnDiskNotRun) {
  ReleaseServer server(Release());
  ASSERT_TRUE(server.Started()) << server.Error();
  const UpdateResult result = RunUpdate(server, [] { return true; });
  EXPECT_EQ(result.outcome, UpdateOutcome::kStopped);
  EXPECT_TRUE(server.ChunkRequests().empty());
  ExpectNothingInstalled();
  EXPECT_EQ(ReadBytes("update.sh"),
            "#!/bin/sh\nsleep 0\ncd " + ShellQuoted(folder_.Path().string()) + " || exit 1\n");
}

TEST_F(ReleaseUpdate, AChunkThatDoesNotArriveIsAskedForAgainAndCountedAgain) {
  ReleaseServer server(Release(), {Fault{FaultKind::kNotFound, "fetch_file", 2, {}}});
  ASSERT_TRUE(server.Started()) << server.Error();
  const UpdateResult result = RunUpdate(server);
  ASSERT_EQ(result.outcome, UpdateOutcome::kHandedOver);
  const Strings chunks = server.ChunkRequests();
  ASSERT_GE(chunks.size(), 3u);
  EXPECT_EQ(Strings(chunks.begin(), chunks.begin() + 4),
            Strings({"2001 1 5000", "2001 1 5000", "2001 1 5000", "2001 5001 7000"}));
  EXPECT_EQ(ReadBytes("keldar_u"), newProgram_);
  EXPECT_EQ(Progress(), 2 * 5000 + 12000 + 23000 + 7000 + 3000);
}

TEST_F(ReleaseUpdate, AScriptThatCannotBeStartedInstallsNothing) {
  ReleaseServer server(Release());
  ASSERT_TRUE(server.Started()) << server.Error();
  handOver_.launchSucceeds = false;
  const UpdateResult result = RunUpdate(server);
  EXPECT_EQ(result.outcome, UpdateOutcome::kNotStarted);
  EXPECT_EQ(handOver_.exits, 0);
  EXPECT_TRUE(StagedFiles().empty());
  EXPECT_FALSE(Exists("update.sh"));
}

TEST_F(ReleaseUpdate, AStagedFileThatCannotBeWrittenInstallsNothingAndKeepsWhatWasThere) {
  fs::create_directory("KRVHEATDLL.so_u");  // in the way of the plug-in's staged file
  ReleaseServer server(Release());
  ASSERT_TRUE(server.Started()) << server.Error();
  const UpdateResult result = RunUpdate(server);
  EXPECT_EQ(result.outcome, UpdateOutcome::kNotWritten);
  EXPECT_EQ(result.detail, "KRVHEATDLL.so_u");
  ExpectNothingInstalled();
  EXPECT_FALSE(Exists("keldar_u")) << "the program's staged file is removed again";
  EXPECT_TRUE(fs::is_directory("KRVHEATDLL.so_u")) << "what was not written here is left alone";
  EXPECT_FALSE(Exists("update.sh"));
}

TEST_F(UpdateRunTest, AFileOf3000BytesFirstOfTheRunIsFetchedInOneRequest) {
  ReleaseServer server({{11, "", "small.bin", Pattern(3000, 9)}});
  ASSERT_TRUE(server.Started()) << server.Error();
  ASSERT_EQ(RunUpdate(server).outcome, UpdateOutcome::kHandedOver);
  EXPECT_EQ(server.ChunkRequests(), Strings({"11 1 3000"}));
  EXPECT_EQ(ReadBytes("small.bin_u"), Pattern(3000, 9));
}

TEST_F(UpdateRunTest, TwelveThousandBytesOnAFastLinkAre5000Then7000) {
  ReleaseServer server({{12, "", "file.bin", Pattern(12000, 9)}});
  ASSERT_TRUE(server.Started()) << server.Error();
  ASSERT_EQ(RunUpdate(server, {}, std::chrono::milliseconds(20)).outcome,
            UpdateOutcome::kHandedOver);
  EXPECT_EQ(server.ChunkRequests(), Strings({"12 1 5000", "12 5001 7000"}));
}

TEST_F(UpdateRunTest, TwelveThousandBytesOnASlowLinkAre5000And5000And2000) {
  ReleaseServer server({{12, "", "file.bin", Pattern(12000, 9)}});
  ASSERT_TRUE(server.Started()) << server.Error();
  ASSERT_EQ(RunUpdate(server, {}, std::chrono::milliseconds(700)).outcome,
            UpdateOutcome::kHandedOver);
  EXPECT_EQ(server.ChunkRequests(), Strings({"12 1 5000", "12 5001 5000", "12 10001 2000"}));
  EXPECT_EQ(ReadBytes("file.bin_u"), Pattern(12000, 9));
}

TEST_F(UpdateRunTest, ALocalFileWithAHighBitCrcIsCurrent) {
  std::string content;
  for (unsigned seed = 0; (Crc32(content) & 0x80000000u) == 0; ++seed) content = Pattern(900, seed);
  WriteBytes("doc/meters.txt", content);
  ReleaseServer server({{21, "doc", "meters.txt", content}});
  ASSERT_TRUE(server.Started()) << server.Error();
  ASSERT_EQ(RunUpdate(server).outcome, UpdateOutcome::kHandedOver);
  EXPECT_TRUE(server.ChunkRequests().empty());
  EXPECT_EQ(Progress(), 900);
}

TEST_F(UpdateRunTest, AMissingFileHasCrcZeroSoACrcOfZeroCountsAsCurrent) {
  ReleaseServer server({{31, "", "absent.txt", "x"}});
  ASSERT_TRUE(server.Started()) << server.Error();
  server.AnswerFileList(FileListJson(
      {{{"id", "31"}, {"name", "absent.txt"}, {"dst", ""}, {"size", "10"}, {"crc", "0"}}}));
  ASSERT_EQ(RunUpdate(server).outcome, UpdateOutcome::kHandedOver);
  EXPECT_TRUE(server.ChunkRequests().empty());
  EXPECT_FALSE(Exists("absent.txt_u"));
}

TEST_F(UpdateRunTest, NothingToDownloadStillRunsTheScriptWithoutRestartingTheProgram) {
  WriteBytes("keldar", "same");
  ReleaseServer server({{41, "", "keldar", "same"}});
  ASSERT_TRUE(server.Started()) << server.Error();
  ASSERT_EQ(RunUpdate(server).outcome, UpdateOutcome::kHandedOver);
  EXPECT_EQ(handOver_.launches, 1);
  EXPECT_EQ(handOver_.exits, 1);
  const std::string quoted = ShellQuoted(folder_.Path().string());
  EXPECT_EQ(ReadBytes("update.sh"), "#!/bin/sh\nsleep 0\ncd " + quoted + " || exit 1\nrm -f " +
                                        ShellQuoted((folder_.Path() / "update.sh").string()) +
                                        "\n");
}

TEST_F(UpdateRunTest, WithoutAFileListTheEmptyScriptRunsAndTheProcessEnds) {
  ReleaseServer server({{41, "", "keldar", "new"}},
                       {Fault{FaultKind::kNotFound, "get_project_pack", -1, {}}});
  ASSERT_TRUE(server.Started()) << server.Error();
  ASSERT_EQ(RunUpdate(server).outcome, UpdateOutcome::kHandedOver);
  EXPECT_TRUE(server.ChunkRequests().empty());
  EXPECT_EQ(handOver_.launches, 1);
  EXPECT_EQ(ReadBytes("update.sh").find("mv "), std::string::npos);
}

TEST_F(UpdateRunTest, AnEmptySizeGivesAnEmptyFileThatMustMatchItsCrc) {
  WriteBytes("notes.txt", "old notes");
  ReleaseServer server({{51, "", "notes.txt", ""}});
  ASSERT_TRUE(server.Started()) << server.Error();
  server.AnswerFileList(FileListJson(
      {{{"id", "51"}, {"name", "notes.txt"}, {"dst", ""}, {"size", ""}, {"crc", "0"}}}));
  ASSERT_EQ(RunUpdate(server).outcome, UpdateOutcome::kHandedOver);
  EXPECT_TRUE(server.ChunkRequests().empty()) << "no chunk is requested";
  EXPECT_TRUE(Exists("notes.txt_u"));
  EXPECT_EQ(ReadBytes("notes.txt_u"), "");
}

TEST_F(UpdateRunTest, AShortAnswerIsFoundByTheCrcCheck) {
  // The list promises more bytes than the server sends.
  WriteBytes("notes.txt", "old");
  ReleaseServer server({{51, "", "notes.txt", "short"}});
  ASSERT_TRUE(server.Started()) << server.Error();
  server.AnswerFileList(
      FileListJson({{{"id", "51"},
                     {"name", "notes.txt"},
                     {"dst", ""},
                     {"size", "8"},
                     {"crc", std::to_string(Crc32(std::string_view("short!!!")))}}}));
  const UpdateResult result = RunUpdate(server);
  EXPECT_EQ(result.outcome, UpdateOutcome::kDamaged);
  EXPECT_EQ(handOver_.launches, 0);
  EXPECT_FALSE(Exists("notes.txt_u"));
  EXPECT_FALSE(Exists("update.sh"));
}

// Records that could reach outside the folder, break the script or exhaust
// memory refuse the whole update before anything is fetched.
TEST_F(UpdateRunTest, AnUnsafeRecordRefusesTheWholeUpdateBeforeAnyDownload) {
  ReleaseServer server({{61, "", "keldar", "new program"}});
  ASSERT_TRUE(server.Started()) << server.Error();
  const std::vector<std::pair<std::string, std::string>> faults = {
      {"dst", "/tmp"},  {"dst", "../.."},     {"name", "../keldar"}, {"name", "bin/keldar"},
      {"name", "it's"}, {"name", "a\nb"},     {"size", "-5"},        {"size", "99999999999"},
      {"id", "61) x"},  {"name", "update.sh"}};
  for (const auto& [member, value] : faults) {
    std::vector<std::pair<std::string, std::string>> bad = {
        {"id", "61"}, {"name", "other"}, {"dst", ""}, {"size", "11"}, {"crc", "1"}};
    for (auto& field : bad)
      if (field.first == member) field.second = value;
    // A sound record comes first: it is not fetched either.
    server.AnswerFileList(
        FileListJson(
            {{{"id", "61"}, {"name", "keldar"}, {"dst", ""}, {"size", "11"}, {"crc", "1"}}, bad}),
        1);
    const UpdateResult result = RunUpdate(server);
    EXPECT_EQ(result.outcome, UpdateOutcome::kRefused) << member << "=" << value;
    EXPECT_FALSE(Exists("update.sh")) << value;
  }
  EXPECT_TRUE(server.ChunkRequests().empty());
  EXPECT_TRUE(StagedFiles().empty());
  EXPECT_EQ(handOver_.launches, 0);
}

TEST_F(UpdateRunTest, AFolderThatCannotBeWrittenIsReportedBeforeAnythingIsDownloaded) {
  WriteBytes("images", "a file where the folder should be");
  ReleaseServer server({{71, "", "keldar", "new program"}, {72, "images", "KELDAR.png", "png"}});
  ASSERT_TRUE(server.Started()) << server.Error();
  const UpdateResult result = RunUpdate(server);
  EXPECT_EQ(result.outcome, UpdateOutcome::kFolderNotWritable);
  EXPECT_EQ(result.detail, (folder_.Path() / "images").string());
  EXPECT_TRUE(server.ChunkRequests().empty()) << "not even the first file is fetched";
  EXPECT_FALSE(Exists("update.sh"));
}

TEST_F(UpdateRunTest, AWorkingFolderWhereNoScriptCanBeWrittenIsReportedFirst) {
  ReleaseServer server({{71, "", "keldar", "new program"}});
  ASSERT_TRUE(server.Started()) << server.Error();
  ScopedWorkingDirectory unwritable("/proc");
  const UpdateResult result = RunUpdate(server);
  EXPECT_EQ(result.outcome, UpdateOutcome::kFolderNotWritable);
  EXPECT_EQ(result.detail, "/proc");
  EXPECT_EQ(server.FileListRequests(), 0);
}

TEST(FileListTotal, SumsTheSizesOfTheList) {
  ReleaseServer server({{1, "", "a", Pattern(1234, 1)}, {2, "doc", "b", Pattern(4321, 2)}});
  ASSERT_TRUE(server.Started()) << server.Error();
  HandOver handOver;
  const UpdateEnvironment environment = TestEnvironment(server, handOver);
  EXPECT_EQ(FileListTotal(environment.account, kClientId, kFinger, kNewVersion), 5555);
  EXPECT_EQ(FileListTotal(environment.account, kClientId, "wrong finger", kNewVersion), 0);
  server.Server().SetFaults({Fault{FaultKind::kNotJson, "", -1, {}}});
  EXPECT_EQ(FileListTotal(environment.account, kClientId, kFinger, kNewVersion), 0);
}

}  // namespace
