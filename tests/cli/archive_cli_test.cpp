// keldar-cli archive: the readings of archive.db listed one a line or exported
// as CSV or JSON, to standard output or a file, through the same filters as
// the archive screen; a clear line and a non-zero exit for each bad input.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <sstream>

#include "command.h"
#include "store/archive.h"
#include "test_support.h"

namespace {

using namespace admintools;

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

CliRun Cli(std::vector<std::string> args) {
  std::ostringstream out, err;
  std::istringstream in;
  keldar::cli::CommandIo io{out, err, in};
  CliRun run;
  run.status = keldar::cli::RunCli(args, io);
  run.out = out.str();
  run.err = err.str();
  return run;
}

std::vector<std::string> Lines(const std::string& text, const std::string& end = "\n") {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t stop; (stop = text.find(end, start)) != std::string::npos;
       start = stop + end.size())
    lines.push_back(text.substr(start, stop - start));
  return lines;
}

void RunSqlite(const std::string& file, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
  sqlite3_close(db);
}

Reading At(int64_t time, Quantity quantity, double value) {
  Reading reading;
  reading.readTime = time;
  reading[quantity] = value;
  return reading;
}

// archive.db in a fresh working folder: a heat meter of a subscriber read on
// three days (the last one lower), a cold water meter of nobody.
class ArchiveCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Archive archive;
    const int64_t subscriber = archive.AddSubscriber({0, "Иванов, И.", "", "17", ""});
    const int64_t object = archive.AddObject({0, subscriber, "Кв. 5", ""});
    const Device heat{0, DeviceKind::kHeat, "KRV", "00012345", "KM-5", "", 4, object};
    archive.SaveReading(heat, At(1'704'103'200, Quantity::kEnergy, 1500.5));  // 2024-01-01 10:00
    archive.SaveReading(heat, At(1'704'189'600, Quantity::kEnergy, 2500));    // 2024-01-02 10:00
    archive.SaveReading(heat, At(1'704'276'000, Quantity::kEnergy, 900));     // 2024-01-03 10:00
    archive.SaveReading({0, DeviceKind::kWaterCold, "MLD", "00000077", "", "", 22, {}},
                        At(1'704'110'400, Quantity::kVolume, 12.25));  // 2024-01-01 12:00
  }
  ScopedWorkingDirectory folder_;
};

TEST_F(ArchiveCliTest, ListShowsOneReadingALineNewestFirstWithItsSerial) {
  const CliRun run = Cli({"archive", "list"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 4u) << run.out;
  EXPECT_EQ(lines[0],
            "2024-01-03T10:00:00Z  heat  00012345  KRV  energy 900 Wh  COUNTER WENT BACK  "
            "[Иванов, И. / Кв. 5]");
  EXPECT_EQ(lines[2], "2024-01-01T12:00:00Z  cold  00000077  MLD  volume 12.25 m3");
  EXPECT_NE(lines[3].find("energy 1500.5 Wh"), std::string::npos);

  const CliRun limited = Cli({"archive", "list", "--limit", "2"});
  EXPECT_EQ(Lines(limited.out).size(), 2u);

  const CliRun json = Cli({"archive", "list", "--json", "--kind", "heat"});
  ASSERT_EQ(json.status, 0) << json.err;
  const QJsonArray readings = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).array();
  ASSERT_EQ(readings.size(), 3);
  EXPECT_EQ(readings[0].toObject()["time"].toString(), "2024-01-03T10:00:00Z");
  EXPECT_TRUE(readings[0].toObject()["backwards"].toBool());
  EXPECT_FALSE(readings[1].toObject()["backwards"].toBool(true));
}

TEST_F(ArchiveCliTest, FiltersSelectByKindSerialSubscriberAndDates) {
  EXPECT_EQ(Lines(Cli({"archive", "list", "--kind", "cold"}).out).size(), 1u);
  EXPECT_EQ(Lines(Cli({"archive", "list", "--serial", "00012345"}).out).size(), 3u);
  EXPECT_EQ(Lines(Cli({"archive", "list", "--subscriber", "Иванов, И."}).out).size(), 3u);
  // A bare date at --to takes the whole day.
  const CliRun day = Cli({"archive", "list", "--from", "2024-01-01", "--to", "2024-01-01"});
  EXPECT_EQ(Lines(day.out).size(), 2u) << day.out << day.err;
  const CliRun hours =
      Cli({"archive", "list", "--from", "2024-01-01T11:00", "--to", "2024-01-02T10:00:00Z"});
  const auto lines = Lines(hours.out);
  ASSERT_EQ(lines.size(), 2u) << hours.out;
  EXPECT_EQ(lines[0].substr(0, 20), "2024-01-02T10:00:00Z");
  EXPECT_EQ(lines[1].substr(0, 20), "2024-01-01T12:00:00Z");
  EXPECT_TRUE(Cli({"archive", "list", "--serial", "nobody"}).out.empty());
}

TEST_F(ArchiveCliTest, ExportWritesCsvForTheChosenLanguageToStandardOutput) {
  const CliRun ru = Cli({"archive", "export", "--locale", "ru", "--kind", "heat"});
  ASSERT_EQ(ru.status, 0) << ru.err;
  ASSERT_EQ(ru.out.rfind("\xEF\xBB\xBF", 0), 0u);
  const auto lines = Lines(ru.out.substr(3), "\r\n");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].rfind("time (UTC);kind;serial;", 0), 0u);
  EXPECT_EQ(lines[1].rfind("2024-01-01T10:00:00Z;heat;00012345;KRV;KM-5;Иванов, И.;17;", 0), 0u)
      << lines[1];
  EXPECT_NE(lines[1].find(";0;0;1500,5;"), std::string::npos) << lines[1];
  EXPECT_NE(lines[3].find(";0;1;900;"), std::string::npos) << lines[3];

  const CliRun en = Cli({"archive", "export", "--locale", "en", "--kind", "heat"});
  const std::string enLine = Lines(en.out.substr(3), "\r\n")[1];
  EXPECT_NE(enLine.find(",\"Иванов, И.\",17,"), std::string::npos) << enLine;
  EXPECT_NE(enLine.find(",0,0,1500.5,"), std::string::npos) << enLine;
}

TEST_F(ArchiveCliTest, ExportWritesJsonToAFileWhole) {
  const CliRun run = Cli({"archive", "export", "--format", "json", "--output", "out.json"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.out.empty());
  EXPECT_NE(run.err.find("4 readings written to out.json"), std::string::npos) << run.err;
  const QJsonArray readings =
      QJsonDocument::fromJson(QByteArray::fromStdString(ReadFile("out.json"))).array();
  ASSERT_EQ(readings.size(), 4);
  EXPECT_EQ(readings[0].toObject()["device"].toObject()["serial"].toString(), "00012345");
  EXPECT_EQ(readings[0].toObject()["subscriber"].toObject()["name"].toString(),
            QStringLiteral("Иванов, И."));
  EXPECT_TRUE(readings[1].toObject()["subscriber"].isNull());
  EXPECT_TRUE(readings[3].toObject()["backwards"].toBool());
}

TEST_F(ArchiveCliTest, AnotherArchiveFileIsReadWithArchive) {
  std::filesystem::create_directory("elsewhere");
  std::filesystem::rename("archive.db", "elsewhere/old.db");
  std::filesystem::remove("archive.db-wal");
  std::filesystem::remove("archive.db-shm");
  const CliRun missing = Cli({"archive", "list"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("no archive archive.db"), std::string::npos) << missing.err;
  EXPECT_FALSE(std::filesystem::exists("archive.db")) << "a missing archive is not created";
  EXPECT_EQ(Lines(Cli({"archive", "list", "--archive", "elsewhere/old.db"}).out).size(), 4u);
}

TEST_F(ArchiveCliTest, BadInputGetsOneClearLineAndItsExitStatus) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string says;
  };
  const Case cases[] = {
      {{"archive"}, 2, "archive needs list or export"},
      {{"archive", "show"}, 2, "archive needs list or export"},
      {{"archive", "list", "--kind", "steam"}, 2, "--kind: not heat, cold or hot: steam"},
      {{"archive", "list", "--from", "2024-13-01"}, 2, "--from: not a date"},
      {{"archive", "list", "--to", "yesterday"}, 2, "--to: not a date"},
      {{"archive", "list", "--from", "2024-02-01", "--to", "2024-01-01"},
       2,
       "--from is after --to"},
      {{"archive", "export", "--format", "xlsx"}, 2, "--format: not csv or json: xlsx"},
      {{"archive", "export", "--locale", "de"}, 2, "--locale: not ru, uk or en: de"},
      {{"archive", "list", "--output", "x.csv"}, 2, "--output belongs to archive export"},
      {{"archive", "list", "--json", "--limit", "3"}, 2, "--limit lists text lines"},
      {{"archive", "export", "--json", "--format", "csv"}, 2, "--json and --format csv disagree"},
      {{"archive", "export", "--output", "no/such/folder/x.csv"},
       1,
       "cannot write a file in the folder no/such/folder"},
  };
  for (const Case& c : cases) {
    const CliRun run = Cli(c.args);
    EXPECT_EQ(run.status, c.status) << c.says;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty()) << c.says;
  }
  EXPECT_FALSE(std::filesystem::exists("no"));
}

TEST_F(ArchiveCliTest, AnArchiveItMustNotReadIsNamedAndLeftAlone) {
  const std::string newer = "newer.db";
  std::filesystem::copy_file("archive.db", newer);
  {
    // A file of a later version: only its version number differs.
    std::ostringstream sql;
    sql << "PRAGMA user_version = " << Archive::kSchemaVersion + 1;
    RunSqlite(newer, sql.str());
  }
  const std::string before = ReadFile(newer);
  const CliRun run = Cli({"archive", "list", "--archive", newer});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("newer.db was written by a newer version"), std::string::npos) << run.err;
  EXPECT_EQ(ReadFile(newer), before);

  WriteFile("garbage.db", std::string(8192, 'x'));
  const CliRun garbage = Cli({"archive", "export", "--archive", "garbage.db"});
  EXPECT_EQ(garbage.status, 1);
  EXPECT_NE(garbage.err.find("garbage.db is damaged or not an archive"), std::string::npos)
      << garbage.err;
  EXPECT_EQ(ReadFile("garbage.db"), std::string(8192, 'x'));
}

TEST_F(ArchiveCliTest, AnArchiveLockedByAnotherProgramIsBusyAndNothingIsWritten) {
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(Archive::kFileName, &other), SQLITE_OK);
  for (const char* sql :
       {"PRAGMA locking_mode = EXCLUSIVE", "BEGIN EXCLUSIVE", "UPDATE subscribers SET name = name"})
    ASSERT_EQ(sqlite3_exec(other, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
  std::filesystem::create_directory("out");
  const CliRun run = Cli({"archive", "export", "--output", "out/readings.csv"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("archive.db is locked by another program; close it and try again"),
            std::string::npos)
      << run.err;
  EXPECT_TRUE(std::filesystem::is_empty("out"));
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_EQ(Cli({"archive", "export", "--output", "out/readings.csv"}).status, 0)
      << "once the other program lets go";
}

}  // namespace
