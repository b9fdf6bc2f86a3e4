// File records of the list: how their members read, and which records refuse
// the update.
#include "online/update_record.h"

#include <gtest/gtest.h>

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

TEST(RecordCheck, RecordsThatCouldEscapeBreakTheScriptOrExhaustMemoryAreRefused) {
  for (const std::string& name : std::vector<std::string>{
           "", ".", "..", "../keldar", "a/b", "/etc/passwd", "a\\b", "a..b", "it's", "say\"hi\"",
           "100%", "$HOME", "C:x", "a\nb", "update.sh", std::string(498, 'n')})
    EXPECT_EQ(Check("", name), RecordProblem::kUnsafeName) << name;
  for (const std::string& dst :
       std::vector<std::string>{"/tmp", "..", "bin/../..", "bin/", "bin//x", "C:\\App", "it's",
                                "a\rb", std::string(600, 'd')})
    EXPECT_EQ(Check(dst, "tool.so"), RecordProblem::kUnsafeDst) << dst;
  EXPECT_EQ(Check("", "keldar", -1), RecordProblem::kBadSize);
  EXPECT_EQ(Check("", "keldar", kMaxUpdateFileBytes + 1), RecordProblem::kBadSize);
  for (const std::string& id :
       std::vector<std::string>{"", "1502)", "1; drop", "'7'", std::string(200, '7')})
    EXPECT_EQ(Check("", "keldar", 10, id), RecordProblem::kBadId) << id;
}

}  // namespace
