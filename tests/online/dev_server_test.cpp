// The development server is what the online tests and a hand-run update lean
// on, so its answers are checked on their own.
#include <gtest/gtest.h>

#include <fstream>

#include "codec.h"
#include "desk.h"
#include "online/json.h"
#include "online/remote_api.h"
#include "online_support.h"
#include "procedure_call.h"
#include "releases.h"

namespace {

namespace fs = std::filesystem;
using namespace devserver;

TEST(DevServerCodec, Crc32AndBase64KnownValues) {
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc32(""), 0u);
  EXPECT_EQ(Base64Encode(""), "");
  EXPECT_EQ(Base64Encode("f"), "Zg==");
  EXPECT_EQ(Base64Encode("fo"), "Zm8=");
  EXPECT_EQ(Base64Encode("foo"), "Zm9v");
  EXPECT_EQ(Base64Encode("foobar"), "Zm9vYmFy");
  EXPECT_EQ(Base64Encode(std::string("\xFF\xFE\x00", 3)), "//4A");
}

TEST(DevServerCodec, JsonStringsEscapeWhatTheProgramsParserNeedsEscaped) {
  const std::string text = std::string("a\"b\\c\nd\te\x01", 10);
  const std::string json = JsonRecords({{{"k", text}}});
  const std::u16string wide(json.begin(), json.end());
  const auto value = JsonParse(wide.c_str());
  ASSERT_TRUE(value && value->IsArray());
  EXPECT_EQ(StringField(value->AsArray()[0]->AsObject(), u"k"), text);
}

TEST(DevServerCalls, ProcedureNamesAndArguments) {
  const auto call = ParseCall("call krv_main.get_project_pack(3, 'a, b', '7', 'v.0.15');");
  ASSERT_TRUE(call);
  EXPECT_EQ(call->database, "krv_main");
  EXPECT_EQ(call->name, "get_project_pack");
  EXPECT_EQ(call->args, (std::vector<std::string>{"3", "a, b", "7", "v.0.15"}));
  const auto identify = ParseCall("call identify();");
  ASSERT_TRUE(identify);
  EXPECT_TRUE(identify->args.empty());
  EXPECT_EQ(ParseCall("call x.get_project_info(, '', 'db');")->args,
            (std::vector<std::string>{"", "", "db"}));
  for (const char* bad : {"select 1;", "call identify;", "call (1);", "call a.b.c();",
                          "call f('open);", "call f('a' 'b');"}) {
    EXPECT_FALSE(ParseCall(bad)) << bad;
  }
}

TEST(DevServerReleases, TheShippedSampleLoads) {
  std::string error;
  const auto releases =
      Releases::Load(fs::path(KELDAR_SOURCE_DIR) / "tools/dev-server/releases", error);
  ASSERT_TRUE(releases) << error;
  const auto projects = releases->ForDatabase("krv_local_billing");
  ASSERT_EQ(projects.size(), 1u);
  EXPECT_EQ(projects[0]->number, "7");
  EXPECT_EQ(projects[0]->current, "v.0.15");
  EXPECT_TRUE(projects[0]->versions.contains("v.0.14"));
  ASSERT_TRUE(releases->FileById("1502"));
  EXPECT_EQ(releases->FileById("1502")->dst, "doc");
}

TEST(DevServerReleases, WithoutCurrentTheHighestVersionIsCurrent) {
  TempFolder folder;
  WriteProject(folder.Path(), "7", "db", "");
  WriteRelease(folder.Path(), "7", "v.0.9", {{"a.txt", "a"}}, 1);
  WriteRelease(folder.Path(), "7", "v.0.10", {{"a.txt", "b"}}, 2);
  std::string error;
  const auto releases = Releases::Load(folder.Path(), error);
  ASSERT_TRUE(releases) << error;
  EXPECT_EQ(releases->Projects().at("7").current, "v.0.10");
}

TEST(DevServerReleases, MalformedFoldersAreRefusedWithAReason) {
  const auto refused = [](const std::function<void(const fs::path&)>& damage) {
    TempFolder folder;
    WriteProject(folder.Path(), "7", "db", "v.1");
    WriteRelease(folder.Path(), "7", "v.1", {{"a.txt", "a"}}, 1);
    damage(folder.Path());
    std::string error;
    const bool loaded = Releases::Load(folder.Path(), error).has_value();
    return !loaded && !error.empty();
  };
  EXPECT_TRUE(refused([](const fs::path& root) {
    WriteRelease(root, "7", "v.2", {{"b.txt", "b"}}, 1);  // id 1 again
  }));
  EXPECT_TRUE(refused([](const fs::path& root) {
    std::ofstream(root / "7/v.1/manifest.txt") << "5 ../.. passwd\n";
  }));
  EXPECT_TRUE(refused([](const fs::path& root) {
    std::ofstream(root / "7/v.1/manifest.txt") << "5 . missing.txt\n";
  }));
  EXPECT_TRUE(refused([](const fs::path& root) { WriteProject(root, "7", "db", "v.9"); }));
  EXPECT_TRUE(refused(
      [](const fs::path& root) { std::ofstream(root / "7/project.txt") << "colour=blue\n"; }));
  EXPECT_FALSE(refused([](const fs::path&) {}));
}

class DevServerDesk : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteProject(folder_.Path(), "7", "krv_local_billing", "v.0.15");
    WriteRelease(folder_.Path(), "7", "v.0.15", {{"readme.txt", "0123456789"}, {"doc/x.txt", "x"}},
                 10);
    std::string error;
    auto loaded = Releases::Load(folder_.Path(), error);
    ASSERT_TRUE(loaded) << error;
    releases_ = std::make_unique<Releases>(std::move(*loaded));
    desk_ = std::make_unique<Desk>(*releases_);
  }
  std::vector<std::map<std::string, std::string>> Ask(const std::string& query,
                                                      bool corrupt = false) {
    const auto call = ParseCall(query);
    EXPECT_TRUE(call) << query;
    const auto json = call ? desk_->Answer(*call, clients_, "127.0.0.1", corrupt) : std::nullopt;
    EXPECT_TRUE(json) << query;
    std::vector<std::map<std::string, std::string>> rows;
    const RemoteRecords records = RemoteRecords::Parse(json.value_or(""));
    EXPECT_TRUE(records.Usable());
    for (const JSONObject* record : records.Records()) {
      auto& row = rows.emplace_back();
      for (const auto& [key, value] : *record) {
        row[std::string(key.begin(), key.end())] = StringField(*record, key);
      }
    }
    return rows;
  }

  TempFolder folder_;
  std::unique_ptr<Releases> releases_;
  std::unique_ptr<Desk> desk_;
  Clients clients_{2, "ff"};
};

TEST_F(DevServerDesk, ProjectInfoForTheDatabaseName) {
  const auto rows = Ask("call krv_main.get_project_info(1, 'ff', 'krv_local_billing');");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].at("project_id"), "7");
  EXPECT_EQ(rows[0].at("project_version"), "v.0.15");
  for (const char* member : {"project_name", "project_long_name", "description", "logo"}) {
    EXPECT_TRUE(rows[0].contains(member)) << member;
  }
  EXPECT_TRUE(Ask("call krv_main.get_project_info(1, 'ff', 'other');").empty());
  EXPECT_TRUE(Ask("call krv_main.get_project_info(3, 'ff', 'krv_local_billing');").empty())
      << "an id identify never handed out";
  EXPECT_TRUE(Ask("call krv_main.get_project_info(1, 'fg', 'krv_local_billing');").empty());
}

TEST_F(DevServerDesk, ThePackListsSizesAndCrcsOfTheVersion) {
  const auto rows = Ask("call krv_main.get_project_pack(1, 'ff', '7', 'V.0.15');");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].at("name"), "x.txt");
  EXPECT_EQ(rows[0].at("dst"), "doc");
  EXPECT_EQ(rows[1].at("name"), "readme.txt");
  EXPECT_EQ(rows[1].at("dst"), "");
  EXPECT_EQ(rows[1].at("size"), "10");
  EXPECT_EQ(rows[1].at("crc"), std::to_string(Crc32("0123456789")));
  EXPECT_TRUE(Ask("call krv_main.get_project_pack(1, 'ff', '7', 'v.0.99');").empty());
}

TEST_F(DevServerDesk, ChunksCountFromOneAndStopAtTheEnd) {
  const auto id = Ask("call krv_main.get_project_pack(1, 'ff', '7', 'v.0.15');")[1].at("id");
  const auto chunk = [&](int position, int count, bool corrupt = false) {
    const auto rows = Ask("call krv_main.fetch_file(1, 'ff', " + id + ", " +
                              std::to_string(position) + ", " + std::to_string(count) + ");",
                          corrupt);
    if (rows.size() == 1) return rows[0].at("file");
    std::string several = "<";
    several += std::to_string(rows.size());
    several += " rows>";
    return several;
  };
  EXPECT_EQ(chunk(1, 4), Base64Encode("0123"));
  EXPECT_EQ(chunk(5, 4), Base64Encode("4567"));
  EXPECT_EQ(chunk(9, 4), Base64Encode("89"));
  EXPECT_EQ(chunk(11, 4), "");
  EXPECT_EQ(chunk(1, 1000000), Base64Encode("0123456789"));
  EXPECT_EQ(chunk(0, 4), "<0 rows>");
  EXPECT_EQ(chunk(1, -1), "<0 rows>");
  EXPECT_NE(chunk(1, 4, true), Base64Encode("0123"));
  EXPECT_EQ(Ask("call krv_main.fetch_file(1, 'ff', 999, 1, 4);").size(), 0u);
}

TEST_F(DevServerDesk, UnknownProceduresAndWrongArgumentCountsAreNotAnswered) {
  for (const char* query :
       {"call drop_everything();", "call identify(1);", "call krv_main.get_project_info(1, 'ff');",
        "call krv_main.fetch_file(1, 'ff', 10, 1);"}) {
    EXPECT_FALSE(desk_->Answer(*ParseCall(query), clients_, "", false)) << query;
  }
}

}  // namespace
