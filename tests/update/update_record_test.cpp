// File records of the list: how their members read, and which records the
// update refuses to act on.
#include "online/update_record.h"

#include <gtest/gtest.h>

#include <QString>

#include "online/crc32.h"
#include "update_support.h"

namespace fs = std::filesystem;

namespace {

JSONObject Object(const std::vector<std::pair<std::u16string, std::u16string>>& members) {
  JSONObject object;
  for (const auto& [key, value] : members) object.emplace(key, std::make_unique<JSONValue>(value));
  return object;
}

UpdateFileRecord Record(std::string dst, std::string name, std::int64_t size = 10,
                        std::string id = "1502") {
  return UpdateFileRecord{std::move(id), std::move(name), std::move(dst), size, 0};
}

RecordProblem Check(const UpdateFileRecord& record) {
  return CheckRecord(record, "krv_main", "1", "5f3c9e1a", "update.sh");
}

TEST(DecimalValue, ReadsLikeAtol) {
  EXPECT_EQ(DecimalValue("12000"), 12000);
  EXPECT_EQ(DecimalValue("  42abc"), 42);
  EXPECT_EQ(DecimalValue("\t+7"), 7);
  EXPECT_EQ(DecimalValue("-25"), -25);
  EXPECT_EQ(DecimalValue(""), 0);
  EXPECT_EQ(DecimalValue("abc"), 0);
  EXPECT_EQ(DecimalValue("- 5"), 0);
  EXPECT_EQ(DecimalValue("4294967295"), 4294967295LL);
  EXPECT_EQ(DecimalValue("99999999999999999999999"), std::numeric_limits<std::int64_t>::max());
}

TEST(FileRecord, MembersAreReadAsTextAndNumbers) {
  const auto record = ReadFileRecord(Object({{u"id", u"1502"},
                                             {u"name", u"tool.so"},
                                             {u"dst", u"plugins"},
                                             {u"size", u"12000"},
                                             {u"crc", u"305419896"}}));
  EXPECT_EQ(record.id, "1502");
  EXPECT_EQ(record.name, "tool.so");
  EXPECT_EQ(record.dst, "plugins");
  EXPECT_EQ(record.size, 12000);
  EXPECT_EQ(record.crc, 0x12345678u);
}

TEST(FileRecord, MissingMembersReadAsEmptyAndZero) {
  const auto record = ReadFileRecord(Object({{u"name", u"readme.txt"}}));
  EXPECT_EQ(record.id, "");
  EXPECT_EQ(record.dst, "");
  EXPECT_EQ(record.size, 0);
  EXPECT_EQ(record.crc, 0u);
}

TEST(FileRecord, ACrcWithTheHighBitSetIsTakenAsUnsigned) {
  EXPECT_EQ(ReadFileRecord(Object({{u"crc", u"4294967295"}})).crc, 0xFFFFFFFFu);
  EXPECT_EQ(ReadFileRecord(Object({{u"crc", u"3735928559"}})).crc, 0xDEADBEEFu);
  EXPECT_EQ(ReadFileRecord(Object({{u"crc", u"-559038737"}})).crc, 0xDEADBEEFu)
      << "a signed reading of the same 32 bits agrees";
}

TEST(FileRecord, ALocalFileWithAHighBitCrcMatchesItsDecimalText) {
  TemporaryFolder folder;
  ScopedWorkingDirectory cwd(folder.Path());
  // Find content whose CRC has the high bit set.
  std::string content;
  for (unsigned seed = 0; (Crc32(content) & 0x80000000u) == 0; ++seed) content = Pattern(64, seed);
  WriteBytes("bin/tool.so", content);
  const std::uint32_t crc = Crc32(content);
  const auto record = ReadFileRecord(Object(
      {{u"name", u"tool.so"}, {u"dst", u"bin"}, {u"crc", QString::number(crc).toStdU16String()}}));
  EXPECT_EQ(FileCrc32(LocalPath(record)), record.crc);
}

TEST(FileRecord, LocalAndTemporaryPaths) {
  EXPECT_EQ(LocalPath(Record("bin", "tool.dll")), fs::path("./bin/tool.dll"));
  EXPECT_EQ(TemporaryPath(Record("bin", "tool.dll")), fs::path("./bin/tool.dll_u"));
  EXPECT_EQ(TemporaryPath(Record("", "keldar")), fs::path("keldar_u"));
  TemporaryFolder folder;
  ScopedWorkingDirectory cwd(folder.Path());
  WriteBytes("keldar", "x");
  EXPECT_TRUE(fs::equivalent(LocalPath(Record("", "keldar")), "keldar"))
      << "\"./%s/%s\" with an empty dst names the working folder's file";
}

TEST(RecordCheck, PlainRecordsAreAccepted) {
  EXPECT_EQ(Check(Record("", "keldar")), RecordProblem::kNone);
  EXPECT_EQ(Check(Record("plugins/extra", "KRVHEATDLL.so")), RecordProblem::kNone);
  EXPECT_EQ(Check(Record("images", "KELDAR 70x70.png", 0)), RecordProblem::kNone);
  EXPECT_EQ(Check(Record("", "Счётчики.txt")), RecordProblem::kNone);
  EXPECT_EQ(Check(Record("", "keldar", kMaxUpdateFileBytes)), RecordProblem::kNone);
}

TEST(RecordCheck, NamesThatLeaveTheFolderOrBreakTheScriptAreRefused) {
  for (const char* name :
       {"", ".", "..", "../keldar", "a/b", "/etc/passwd", "a\\b", "a..b", "it's", "say\"hi\"",
        "100%", "a`id`", "$HOME", "C:tool", "a\nb", "tab\there", "update.sh"}) {
    EXPECT_EQ(Check(Record("", name)), RecordProblem::kUnsafeName) << name;
  }
  EXPECT_EQ(Check(Record("doc", "update.sh")), RecordProblem::kNone)
      << "only the script's own place is reserved";
}

TEST(RecordCheck, DstThatIsAbsoluteOrClimbsOrBreaksTheScriptIsRefused) {
  for (const char* dst : {"/tmp", "/", "..", "../..", "bin/../..", "bin/", "bin//x", "C:\\App",
                          "bin\\x", "it's", "a\"b", "a\rb"}) {
    EXPECT_EQ(Check(Record(dst, "tool.so")), RecordProblem::kUnsafeDst) << dst;
  }
}

TEST(RecordCheck, PathsLongerThanTheWorkingLimitsAreRefused) {
  EXPECT_EQ(Check(Record(std::string(600, 'd'), "tool.so")), RecordProblem::kUnsafeDst);
  EXPECT_EQ(Check(Record("", std::string(498, 'n'))), RecordProblem::kUnsafeName)
      << "the temporary name would pass 500 bytes";
}

TEST(RecordCheck, ANegativeOrAbsurdSizeIsRefused) {
  EXPECT_EQ(Check(Record("", "keldar", -1)), RecordProblem::kBadSize);
  EXPECT_EQ(Check(Record("", "keldar", kMaxUpdateFileBytes + 1)), RecordProblem::kBadSize);
  EXPECT_EQ(Check(Record("", "keldar", std::numeric_limits<std::int64_t>::max())),
            RecordProblem::kBadSize);
}

TEST(RecordCheck, AnIdThatIsNotAPlainWordIsRefused) {
  for (const char* id : {"", "1502)", "1; drop", "15 02", "'7'"}) {
    EXPECT_EQ(Check(Record("", "keldar", 10, id)), RecordProblem::kBadId) << id;
  }
  EXPECT_EQ(Check(Record("", "keldar", 10, std::string(200, '7'))), RecordProblem::kBadId)
      << "the chunk query would pass 250 bytes";
}

}  // namespace
