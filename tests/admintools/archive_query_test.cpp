// The list, the chart and the archive file's versions: one filter over every
// kind, pages newest first with their total, one meter's history, counters that
// went back, a file of the first version opened with nothing lost, and files
// the archive must refuse.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>

#include "archive_sql.h"
#include "ordinary_user.h"
#include "store/archive.h"
#include "store/archive_error.h"
#include "test_support.h"

namespace {

using namespace admintools;

Device Meter(DeviceKind kind, std::string serial, std::optional<int64_t> objectId = {}) {
  Device device;
  device.kind = kind;
  device.manufacturer = "KRV";
  device.serial = std::move(serial);
  device.medium = kind == DeviceKind::kHeat ? 4 : 22;
  device.objectId = objectId;
  return device;
}

Reading Counted(DeviceKind kind, int64_t readTime, double counter) {
  Reading reading;
  reading.readTime = readTime;
  reading[CounterOf(kind)] = counter;
  return reading;
}

std::vector<int64_t> TimesOf(const std::vector<ArchiveRow>& rows) {
  std::vector<int64_t> times;
  for (const auto& row : rows) times.push_back(row.reading.readTime);
  return times;
}

template <typename Operation>
ArchiveFailure FailureOf(Operation operation) {
  try {
    operation();
  } catch (const ArchiveError& error) {
    return error.failure();
  }
  ADD_FAILURE() << "the operation was not refused";
  return ArchiveFailure::kFailed;
}

// Two subscribers; heat, cold and hot meters; readings interleaved in time.
class ArchiveQueryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const int64_t ivanov = archive_.AddSubscriber({0, "Иванов И. И.", "", "1001", ""});
    const int64_t petrenko = archive_.AddSubscriber({0, "Петренко", "", "1002", ""});
    const int64_t flat = archive_.AddObject({0, ivanov, "Кв. 5", "Лесная, 3"});
    const int64_t house = archive_.AddObject({0, petrenko, "Дом", ""});
    for (int64_t t = 1; t <= 5; ++t) {
      archive_.SaveReading(Meter(DeviceKind::kHeat, "H1", flat),
                           Counted(DeviceKind::kHeat, t * 100, t * 1000.0));
      archive_.SaveReading(Meter(DeviceKind::kWaterCold, "C1", flat),
                           Counted(DeviceKind::kWaterCold, t * 100 + 10, t * 1.5));
      archive_.SaveReading(Meter(DeviceKind::kWaterHot, "W1", house),
                           Counted(DeviceKind::kWaterHot, t * 100 + 20, t * 0.5));
    }
    archive_.SaveReading(Meter(DeviceKind::kWaterCold, "C2"),
                         Counted(DeviceKind::kWaterCold, 1000, 7));
  }
  ScopedWorkingDirectory folder_;
  Archive archive_;
};

TEST_F(ArchiveQueryTest, PagesComeNewestFirstAcrossKindsWithTheirTotal) {
  const ReadingPage first = archive_.Page({}, 0, 4);
  EXPECT_EQ(first.total, 16);
  EXPECT_EQ(TimesOf(first.rows), (std::vector<int64_t>{1000, 520, 510, 500}));
  const ReadingPage next = archive_.Page({}, 4, 4);
  EXPECT_EQ(TimesOf(next.rows), (std::vector<int64_t>{420, 410, 400, 320}));
  const ReadingPage last = archive_.Page({}, 14, 4);
  EXPECT_EQ(TimesOf(last.rows), (std::vector<int64_t>{110, 100}));
  EXPECT_TRUE(archive_.Page({}, 16, 4).rows.empty());

  const ArchiveRow& row = first.rows[1];
  EXPECT_EQ(row.device.kind, DeviceKind::kWaterHot);
  EXPECT_EQ(row.device.serial, "W1");
  EXPECT_EQ(row.subscriber, "Петренко");
  EXPECT_EQ(row.subscriberAccount, "1002");
  EXPECT_EQ(row.object, "Дом");
  EXPECT_EQ(row.reading[Quantity::kVolume], 2.5);
  EXPECT_FALSE(row.reading[Quantity::kEnergy]) << "a water reading has no energy";
  EXPECT_TRUE(first.rows[0].subscriber.empty()) << "C2 belongs to no object";
}

TEST_F(ArchiveQueryTest, EachFilterAndTheirCombinationSelectTheirReadings) {
  ReadingFilter byKind;
  byKind.kind = DeviceKind::kWaterCold;
  EXPECT_EQ(TimesOf(archive_.Page(byKind, 0, 100).rows),
            (std::vector<int64_t>{1000, 510, 410, 310, 210, 110}));
  EXPECT_EQ(archive_.Count(byKind), 6);

  ReadingFilter bySerial;
  bySerial.serial = "H1";
  EXPECT_EQ(archive_.Count(bySerial), 5);
  bySerial.serial = "h1";
  EXPECT_EQ(archive_.Count(bySerial), 0) << "a serial matches exactly";

  ReadingFilter bySubscriber;
  bySubscriber.subscriber = "Иванов И. И.";
  const auto ivanov = archive_.Page(bySubscriber, 0, 100);
  EXPECT_EQ(ivanov.total, 10);
  for (const auto& row : ivanov.rows) EXPECT_EQ(row.object, "Кв. 5");

  ReadingFilter range;
  range.from = 200;
  range.to = 310;
  EXPECT_EQ(TimesOf(archive_.Page(range, 0, 100).rows),
            (std::vector<int64_t>{310, 300, 220, 210, 200}))
      << "both ends belong to the range";

  ReadingFilter all;
  all.kind = DeviceKind::kHeat;
  all.subscriber = "Иванов И. И.";
  all.serial = "H1";
  all.from = 250;
  EXPECT_EQ(TimesOf(archive_.Page(all, 0, 100).rows), (std::vector<int64_t>{500, 400, 300}));
  all.subscriber = "Петренко";
  EXPECT_EQ(archive_.Page(all, 0, 100).total, 0);

  ReadingFilter unknown;
  unknown.kind = static_cast<DeviceKind>(7);
  EXPECT_EQ(FailureOf([&] { archive_.Page(unknown, 0, 10); }), ArchiveFailure::kInvalid);

  ReadingFilter hostile;
  hostile.serial = "' OR 1=1 --";
  EXPECT_EQ(archive_.Count(hostile), 0);
}

TEST_F(ArchiveQueryTest, ACounterBelowTheDevicesPreviousReadingIsMarked) {
  const Device heat = Meter(DeviceKind::kHeat, "H1");
  // Read later with a smaller energy (a replaced meter), then growing again; a
  // reading without energy neither counts as previous nor gets a mark.
  const int64_t back = archive_.SaveReading(heat, Counted(DeviceKind::kHeat, 600, 10.0));
  Reading noEnergy;
  noEnergy.readTime = 650;
  noEnergy[Quantity::kPower] = 1200;
  const int64_t blank = archive_.SaveReading(heat, noEnergy);
  const int64_t after = archive_.SaveReading(heat, Counted(DeviceKind::kHeat, 700, 20.0));
  // Saved last but read in between: it is compared by its time, not its id.
  const int64_t late = archive_.SaveReading(heat, Counted(DeviceKind::kHeat, 350, 3500.0));
  const Device cold = Meter(DeviceKind::kWaterCold, "C1");
  const int64_t coldBack = archive_.SaveReading(cold, Counted(DeviceKind::kWaterCold, 610, 7.0));
  // Another meter's smaller counter is no reason for a mark.
  archive_.SaveReading(Meter(DeviceKind::kWaterCold, "C3"),
                       Counted(DeviceKind::kWaterCold, 620, 0));

  EXPECT_TRUE(archive_.IsBackwards({DeviceKind::kHeat, back}));
  EXPECT_FALSE(archive_.IsBackwards({DeviceKind::kHeat, blank}));
  EXPECT_FALSE(archive_.IsBackwards({DeviceKind::kHeat, after}));
  EXPECT_FALSE(archive_.IsBackwards({DeviceKind::kHeat, late}));
  EXPECT_TRUE(archive_.IsBackwards({DeviceKind::kWaterCold, coldBack}));

  const auto keys = archive_.BackwardsReadings({});
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].kind, DeviceKind::kWaterCold);
  EXPECT_EQ(keys[0].id, coldBack);
  EXPECT_EQ(keys[1].kind, DeviceKind::kHeat);
  EXPECT_EQ(keys[1].id, back);

  int marked = 0;
  for (const auto& row : archive_.Page({}, 0, 100).rows) marked += row.backwards ? 1 : 0;
  EXPECT_EQ(marked, 2) << "the list carries the same marks";
  EXPECT_EQ(FailureOf([&] {
              archive_.IsBackwards({DeviceKind::kHeat, 999});
            }),
            ArchiveFailure::kNotFound);
}

TEST_F(ArchiveQueryTest, EveryWayThroughTheRowsMarksTheSameReadings) {
  const Device heat = Meter(DeviceKind::kHeat, "H1");
  archive_.SaveReading(heat, Counted(DeviceKind::kHeat, 250, 100.0));  // back
  Reading noEnergy;
  noEnergy.readTime = 260;
  archive_.SaveReading(heat, noEnergy);
  archive_.SaveReading(heat, Counted(DeviceKind::kHeat, 270, 50.0));  // back again
  archive_.SaveReading(Meter(DeviceKind::kWaterCold, "C1"),
                       Counted(DeviceKind::kWaterCold, 255, 0.5));  // back

  // Ranges that begin before, on and after a reading whose previous one lies
  // outside them, and filters by device.
  std::vector<ReadingFilter> filters(6);
  filters[1].from = 255;
  filters[2].from = 260;
  filters[3].from = 265;
  filters[3].to = 600;
  filters[4].serial = "H1";
  filters[4].from = 240;
  filters[5].kind = DeviceKind::kWaterCold;
  filters[5].from = 250;
  for (const auto& filter : filters) {
    int marked = 0;
    archive_.ForEachRow(filter, ReadingOrder::kOldestFirst, [&](const ArchiveRow& row) {
      EXPECT_EQ(row.backwards, archive_.IsBackwards(row.Key()))
          << "reading at " << row.reading.readTime << " from " << filter.from.value_or(0);
      marked += row.backwards ? 1 : 0;
    });
    archive_.ForEachRow(filter, ReadingOrder::kNewestFirst, [&](const ArchiveRow& row) {
      EXPECT_EQ(row.backwards, archive_.IsBackwards(row.Key()));
      marked -= row.backwards ? 1 : 0;
    });
    EXPECT_EQ(marked, 0);
  }
  EXPECT_EQ(archive_.BackwardsReadings({}).size(), 3u);
}

TEST_F(ArchiveQueryTest, AMetersHistoryIsOldestFirstWithinTheRange) {
  const int64_t id = archive_.FindDevice(DeviceKind::kHeat, "KRV", "H1")->id;
  const auto all = archive_.History(DeviceKind::kHeat, id);
  ASSERT_EQ(all.size(), 5u);
  EXPECT_EQ(all.front().readTime, 100);
  EXPECT_EQ(all.back().readTime, 500);
  EXPECT_EQ(all.back()[Quantity::kEnergy], 5000.0);
  const auto some = archive_.History(DeviceKind::kHeat, id, 200, 400);
  ASSERT_EQ(some.size(), 3u);
  EXPECT_EQ(some.front().readTime, 200);
  EXPECT_TRUE(archive_.History(DeviceKind::kWaterCold, id).empty()) << "the kind is part of it";
}

TEST_F(ArchiveQueryTest, ReadingsOfKnownDevicesAreAddedAllOrNone) {
  const int64_t id = archive_.FindDevice(DeviceKind::kWaterCold, "KRV", "C2")->id;
  std::vector<Reading> readings(3, Counted(DeviceKind::kWaterCold, 2000, 8));
  for (auto& reading : readings) reading.deviceId = id;
  archive_.AddReadings(DeviceKind::kWaterCold, readings);
  EXPECT_EQ(archive_.ReadingCount(), 19);

  readings[2].deviceId = archive_.FindDevice(DeviceKind::kHeat, "KRV", "H1")->id;
  EXPECT_EQ(FailureOf([&] { archive_.AddReadings(DeviceKind::kWaterCold, readings); }),
            ArchiveFailure::kNotFound);
  EXPECT_EQ(archive_.ReadingCount(), 19);
}

// ---- the file ----

int64_t UserVersion(const char* file) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(file, &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &statement, nullptr);
  const int64_t version =
      sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : -1;
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return version;
}

TEST(ArchiveVersions, AFileOfTheFirstVersionOpensWithNothingLost) {
  ScopedWorkingDirectory folder;
  const std::string v1 = ReadFile(KELDAR_SOURCE_DIR "/tests/admintools/archive_v1.sql");
  ASSERT_FALSE(v1.empty());
  RunSql("archive.db", v1.c_str());
  RunSql("archive.db",
         "INSERT INTO subscribers (id, name, account) VALUES (1, 'Сидоров', '77');"
         "INSERT INTO objects (id, subscriber_id, name) VALUES (1, 1, 'Гараж');"
         "INSERT INTO devices (id, kind, manufacturer, serial, model, medium, object_id)"
         "  VALUES (1, 1, 'KRV', '00012345', 'KM-5', 4, 1), (2, 3, 'MLD', '00000078', '', 6, NULL);"
         "INSERT INTO heat_readings (device_id, read_time, energy_wh, supply_c)"
         "  VALUES (1, 1000, 5000.5, 70), (1, 2000, 4000, 71);"
         "INSERT INTO water_hot_readings (device_id, read_time, volume_m3, temperature_c)"
         "  VALUES (2, 1500, 12.25, 55);");
  ASSERT_EQ(UserVersion("archive.db"), 1);

  {
    Archive archive;
    EXPECT_EQ(archive.ReadingCount(), 3);
    const auto page = archive.Page({}, 0, 10);
    ASSERT_EQ(page.rows.size(), 3u);
    EXPECT_EQ(page.rows[0].device.serial, "00012345");
    EXPECT_EQ(page.rows[0].subscriber, "Сидоров");
    EXPECT_EQ(page.rows[0].object, "Гараж");
    EXPECT_EQ(page.rows[0].reading[Quantity::kEnergy], 4000.0);
    EXPECT_TRUE(page.rows[0].backwards);
    EXPECT_EQ(page.rows[1].reading[Quantity::kTemperature], 55.0);
    EXPECT_EQ(page.rows[2].reading[Quantity::kSupplyTemperature], 70.0);
    ReadingFilter bySerial;
    bySerial.serial = "00000078";
    EXPECT_EQ(archive.Count(bySerial), 1);
    // Still writable as before.
    archive.SaveReading(Meter(DeviceKind::kHeat, "NEW"), Counted(DeviceKind::kHeat, 3000, 1));
  }
  EXPECT_EQ(UserVersion("archive.db"), Archive::kSchemaVersion);
  Archive reopened;
  EXPECT_EQ(reopened.ReadingCount(), 4);
  EXPECT_EQ(reopened.Subscribers().size(), 1u);
}

TEST(ArchiveVersions, ANewerFileIsRefusedUntouchedAndSaysSo) {
  ScopedWorkingDirectory folder;
  { Archive create; }
  const std::string bump = "PRAGMA user_version = " + std::to_string(Archive::kSchemaVersion + 1);
  RunSql("archive.db", (bump + "; PRAGMA wal_checkpoint(TRUNCATE);").c_str());
  const std::string before = ReadFile("archive.db");
  try {
    Archive archive;
    ADD_FAILURE() << "a newer file was opened";
  } catch (const ArchiveError& error) {
    EXPECT_EQ(error.failure(), ArchiveFailure::kNewerVersion);
    EXPECT_NE(std::string(error.what()).find("newer"), std::string::npos) << error.what();
  }
  EXPECT_EQ(ReadFile("archive.db"), before);
  EXPECT_EQ(UserVersion("archive.db"), Archive::kSchemaVersion + 1);
}

TEST(ArchiveVersions, AFirstVersionFileWithoutItsTablesIsNotMigrated) {
  ScopedWorkingDirectory folder;
  RunSql("archive.db", "PRAGMA user_version = 1; CREATE TABLE devices (id);");
  const std::string before = ReadFile("archive.db");
  EXPECT_EQ(FailureOf([] { Archive archive; }), ArchiveFailure::kNotAnArchive);
  EXPECT_EQ(ReadFile("archive.db"), before);
}

TEST(ArchiveVersions, AnArchiveInAReadOnlyFolderCannotBeOpenedAndStaysAsItWas) {
  ScopedWorkingDirectory folder;
  const ScopedOrdinaryUser user;
  const std::string v1 = ReadFile(KELDAR_SOURCE_DIR "/tests/admintools/archive_v1.sql");
  std::filesystem::create_directory("ro");
  RunSql("ro/archive.db", (v1 + "PRAGMA journal_mode = DELETE;").c_str());
  const std::string before = ReadFile("ro/archive.db");
  std::filesystem::permissions(
      "ro", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_EQ(FailureOf([] { Archive archive("ro/archive.db"); }), ArchiveFailure::kCannotOpen);
  std::filesystem::permissions("ro", std::filesystem::perms::owner_all);
  EXPECT_EQ(ReadFile("ro/archive.db"), before);
}

}  // namespace
