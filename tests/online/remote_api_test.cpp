#include "online/remote_api.h"

#include <gtest/gtest.h>

#include "base/core/brand_profile.h"
#include "online/http_client.h"

namespace {

TEST(ProcedureBody, IdentifyWithTheShippedProfileGoesOutUnencodedInOneLine) {
  const BrandProfile profile(1);
  const RemoteAccount account = RemoteAccount::FromProfile(profile);
  std::string body;
  ASSERT_TRUE(FormatProcedureBody(account, IdentifyQuery(), body));
  EXPECT_EQ(body, "host=" + std::string(profile.DbHost()) +
                      "&username=local_billing&password=Tq7#mZ4!pL2w&database=krv_main"
                      "&query=call identify();");
}

TEST(ProcedureBody, TheAccountComesFromTheProfile) {
  const BrandProfile profile(1);
  const RemoteAccount account = RemoteAccount::FromProfile(profile);
  EXPECT_EQ(account.restHost, profile.RestHost());
  EXPECT_EQ(account.restPath, "/rest");
  EXPECT_EQ(account.projectNumber, 7);
  EXPECT_EQ(account.mainDatabase, "krv_main");
  EXPECT_EQ(RemoteAccount::FromProfile(BrandProfile(0)).projectNumber, 10);
}

TEST(ProcedureBody, ABodyThatWouldNotFitIsRefusedAndTheLimitIsExact) {
  RemoteAccount account{"h", "u", "p", "d", "127.0.0.1:9", "/rest", 7};
  const std::string fixed = "host=h&username=u&password=p&database=d&query=";
  std::string body = "untouched";
  // The body and its NUL must fit 1500 bytes.
  const std::string fits(kProcedureBodyBytes - 1 - fixed.size(), 'q');
  ASSERT_TRUE(FormatProcedureBody(account, fits, body));
  EXPECT_EQ(body.size(), kProcedureBodyBytes - 1);
  body = "untouched";
  EXPECT_FALSE(FormatProcedureBody(account, fits + "q", body));
  EXPECT_EQ(body, "untouched");

  // Not sent at all: the port above would refuse, which would give 0.
  const ProcedureAnswer answer = CallProcedure(account, fits + "q");
  EXPECT_EQ(answer.result, kHttpRequestTooLong);
  EXPECT_TRUE(answer.bytes.empty());
}

TEST(ProcedureQueries, TheFourQueryTexts) {
  EXPECT_EQ(IdentifyQuery(), "call identify();");
  EXPECT_EQ(ProjectInfoQuery("12", "ab'c", "krv_local_billing"),
            "call krv_main.get_project_info(12, 'ab'c', 'krv_local_billing');");
  EXPECT_EQ(FileListQuery("krv_main", "12", "f1", 7, "v.0.15"),
            "call krv_main.get_project_pack(12, 'f1', '7', 'v.0.15');");
  EXPECT_EQ(FileChunkQuery("krv_main", "12", "f1", "1502", 5001, 7000),
            "call krv_main.fetch_file(12, 'f1', 1502, 5001, 7000);");
  EXPECT_EQ(FileListQuery("db", "", "", -3, ""), "call db.get_project_pack(, '', '-3', '');");
}

TEST(ProcedureQueries, AValueEndsAtItsFirstNulAsInACFormat) {
  // A member "\u0100" narrows to a NUL byte.
  EXPECT_EQ(ProjectInfoQuery(std::string("4\0"
                                         "2",
                                         3),
                             "f", "db"),
            "call krv_main.get_project_info(4, 'f', 'db');");
}

TEST(RemoteRecords, UsableAnswersAreArraysAndRecordsAreTheirObjects) {
  const auto records = RemoteRecords::Parse(
      "[{\"id\":\"1\"}, 5, \"x\", [{\"id\":\"nested\"}], null, {\"id\":\"2\"}]");
  ASSERT_TRUE(records.Usable());
  ASSERT_EQ(records.Records().size(), 2u);
  EXPECT_EQ(StringField(*records.Records()[0], u"id"), "1");
  EXPECT_EQ(StringField(*records.Records()[1], u"id"), "2");

  EXPECT_TRUE(RemoteRecords::Parse("[]").Usable());
  EXPECT_TRUE(RemoteRecords::Parse("[]").Records().empty());
  for (const char* answer : {"", "{\"id\":\"1\"}", "\"[]\"", "<html>", "[{\"id\":\"1\"},]", "  "}) {
    EXPECT_FALSE(RemoteRecords::Parse(answer).Usable()) << answer;
    EXPECT_TRUE(RemoteRecords::Parse(answer).Records().empty()) << answer;
  }
}

TEST(RemoteRecords, RecordsOutliveAMoveOfTheAnswer) {
  auto parsed = RemoteRecords::Parse("[{\"project_version\":\"v.0.15\"}]");
  const RemoteRecords moved = std::move(parsed);
  ASSERT_EQ(moved.Records().size(), 1u);
  EXPECT_EQ(StringField(*moved.Records()[0], u"project_version"), "v.0.15");
}

TEST(RemoteRecords, AnswerBytesWidenAsUtf8AndStrayBytesSurvive) {
  // A UTF-8 name reads back as the low bytes of its units; a Latin-1 byte stays itself.
  const auto records = RemoteRecords::Parse("[{\"name\":\"\xD0\x9A\",\"v\":\"v\xE9\"}]");
  ASSERT_EQ(records.Records().size(), 1u);
  EXPECT_EQ(StringField(*records.Records()[0], u"name"), "\x1A");  // U+041A
  EXPECT_EQ(StringField(*records.Records()[0], u"v"), "v\xE9");
}

}  // namespace
