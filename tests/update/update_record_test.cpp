// File records of the list: how their members read, and which records refuse
// the update.
#include "online/update_record.h"

#include <gtest/gtest.h>

#include <tuple>

#include "online/crc32.h"
#include "update_support.h"

namespace {

UpdateFileRecord Read(const std::vector<std::pair<std::u16string, std::u16string>>& members) {
  JSONObject object;
  for (const auto& [key, value] : members) object.emplace(key, std::make_unique<JSONValue>(value));
  return ReadFileRecord(object);
}

RecordProblem Check(std::string dst, std::string name, std::int64_t size = 10,
                    std::string id = "1502") {
  return CheckRecord({std::move(id), std::move(name), std::move(dst), size, 0}, "krv_main", "1",
                     "5f3c9e1a", "update.sh");
}

TEST(FileRecord, NumbersReadLikeAtolAndTheCrcAsUnsigned) {
  EXPECT_EQ(DecimalValue("  42abc"), 42);
  EXPECT_EQ(DecimalValue("-25"), -25);
  EXPECT_EQ(DecimalValue(""), 0);
  EXPECT_EQ(DecimalValue("99999999999999999999"), std::numeric_limits<std::int64_t>::max());
  const auto record =
      Read({{u"id", u"7"}, {u"name", u"a.so"}, {u"size", u"12000"}, {u"crc", u"3735928559"}});
  EXPECT_EQ(record.size, 12000);
  EXPECT_EQ(record.crc, 0xDEADBEEFu) << "a CRC with the high bit set";
  EXPECT_EQ(Read({{u"crc", u"-559038737"}}).crc, 0xDEADBEEFu);
  EXPECT_EQ(Read({}).dst, "") << "a missing member reads as empty";
}

TEST(FileRecord, PathsOfTheLocalCheckAndTheStagedFile) {
  EXPECT_EQ(LocalPath({"1", "tool.dll", "bin", 0, 0}), "./bin/tool.dll");
  EXPECT_EQ(TemporaryPath({"1", "tool.dll", "bin", 0, 0}), "./bin/tool.dll_u");
  EXPECT_EQ(TemporaryPath({"1", "keldar", "", 0, 0}), "keldar_u");
  ScopedWorkingDirectory folder;
  WriteFile("keldar", "x");
  EXPECT_EQ(FileCrc32(LocalPath({"1", "keldar", "", 0, 0})), Crc32(std::string_view("x")))
      << "\"./%s/%s\" with an empty dst is the working folder's file";
}

TEST(RecordCheck, SoundRecordsPass) {
  EXPECT_EQ(Check("", "keldar"), RecordProblem::kNone);
  EXPECT_EQ(Check("plugins/extra", "KRV HEAT.so", kMaxUpdateFileBytes), RecordProblem::kNone);
  EXPECT_EQ(Check("doc", "update.sh"), RecordProblem::kNone) << "reserved only in the folder";
}

TEST(RecordCheck, RecordsThatCouldEscapeBreakTheScriptOrExhaustMemoryAreRefusedSayingWhy) {
  using enum RecordProblem;
  const std::vector<std::tuple<std::string, std::string, RecordProblem>> cases = {
      {"", "/etc/passwd", kAbsolutePath},
      {"/tmp", "tool.so", kAbsolutePath},
      {"", "..", kParentLevel},
      {"", "../keldar", kParentLevel},
      {"", "a..b", kParentLevel},
      {"..", "tool.so", kParentLevel},
      {"bin/../..", "tool.so", kParentLevel},
      {"", "it's", kScriptCharacters},
      {"", "say\"hi\"", kScriptCharacters},
      {"", "$(reboot)", kScriptCharacters},
      {"", "`reboot`", kScriptCharacters},
      {"", "a\\b", kScriptCharacters},
      {"", "100%", kScriptCharacters},
      {"", "C:x", kScriptCharacters},
      {"", "a\nb", kScriptCharacters},
      {"C:\\App", "tool.so", kScriptCharacters},
      {"a\rb", "tool.so", kScriptCharacters},
      {"", "update.sh", kInstallerName},
      {"", "", kUnsafeName},
      {"", ".", kUnsafeName},
      {"", "a/b", kUnsafeName},
      {"", std::string(498, 'n'), kUnsafeName},
      {"bin/", "tool.so", kUnsafeDst},
      {"bin//x", "tool.so", kUnsafeDst},
      {std::string(600, 'd'), "tool.so", kUnsafeDst},
  };
  for (const auto& [dst, name, problem] : cases)
    EXPECT_EQ(Check(dst, name), problem) << "dst " << dst << ", name " << name;
  EXPECT_EQ(Check("", "keldar", -1), kBadSize);
  EXPECT_EQ(Check("", "keldar", kMaxUpdateFileBytes + 1), kBadSize);
  for (const std::string& id :
       std::vector<std::string>{"", "1502)", "1; drop", "'7'", std::string(200, '7')})
    EXPECT_EQ(Check("", "keldar", 10, id), kBadId) << id;
}

}  // namespace
