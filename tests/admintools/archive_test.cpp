// The archive file: readings of every kind, devices, subscribers and objects,
// and the refusal of files it must not touch.
#include "store/archive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

#include "archive_sql.h"
#include "store/archive_error.h"
#include "test_support.h"

namespace {

using namespace admintools;

Device Meter(DeviceKind kind, std::string serial, std::string model = "") {
  Device device;
  device.kind = kind;
  device.manufacturer = "KRV";
  device.serial = std::move(serial);
  device.model = std::move(model);
  device.medium = kind == DeviceKind::kHeat ? 4 : 22;
  return device;
}

Reading At(int64_t readTime) {
  Reading reading;
  reading.readTime = readTime;
  return reading;
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

class ArchiveTest : public ::testing::Test {
 protected:
  ScopedWorkingDirectory folder_;
  Archive archive_;  // archive.db in the fresh working folder
};

TEST_F(ArchiveTest, EveryKindOfReadingComesBackAsSaved) {
  Reading heat = At(1'700'000'000);
  heat.meterTime = "2023-11-14T22:13:20";
  heat.errorFlags = 0x14;
  heat[Quantity::kEnergy] = 123456789.0;
  heat[Quantity::kVolume] = 1234.567;
  heat[Quantity::kPower] = 15300.0;
  heat[Quantity::kFlow] = 0.752;
  heat[Quantity::kSupplyTemperature] = 71.25;
  heat[Quantity::kReturnTemperature] = 42.5;
  heat[Quantity::kTemperatureDifference] = 28.75;
  heat[Quantity::kOperatingHours] = 31000;
  archive_.SaveReading(Meter(DeviceKind::kHeat, "00012345", "KM-5"), heat);

  Reading cold = At(1'700'000'100);
  cold[Quantity::kVolume] = 87.001;  // flow not reported
  archive_.SaveReading(Meter(DeviceKind::kWaterCold, "00000077"), cold);

  Reading hot = At(1'700'000'200);
  hot[Quantity::kVolume] = 45.5;
  hot[Quantity::kFlow] = 0.3;
  hot[Quantity::kTemperature] = 58.0;
  archive_.SaveReading(Meter(DeviceKind::kWaterHot, "00000078"), hot);

  const auto heatRows = archive_.Readings(DeviceKind::kHeat, std::nullopt);
  ASSERT_EQ(heatRows.size(), 1u);
  const auto& [heatDevice, heatBack] = heatRows.front();
  EXPECT_EQ(heatDevice.serial, "00012345");
  EXPECT_EQ(heatDevice.model, "KM-5");
  EXPECT_EQ(heatDevice.medium, 4);
  EXPECT_EQ(heatBack.meterTime, heat.meterTime);
  EXPECT_EQ(heatBack.errorFlags, 0x14u);
  EXPECT_EQ(heatBack.values, heat.values);
  EXPECT_GT(heatBack.id, 0);
  EXPECT_EQ(heatBack.deviceId, heatDevice.id);

  const auto coldRows = archive_.Readings(DeviceKind::kWaterCold, std::nullopt);
  ASSERT_EQ(coldRows.size(), 1u);
  EXPECT_EQ(coldRows.front().reading[Quantity::kVolume], 87.001);
  EXPECT_FALSE(coldRows.front().reading[Quantity::kFlow].has_value()) << "not reported stays so";

  const auto hotRows = archive_.Readings(DeviceKind::kWaterHot, std::nullopt);
  ASSERT_EQ(hotRows.size(), 1u);
  EXPECT_EQ(hotRows.front().reading.values, hot.values);

  // Every kind together: newest first.
  const auto all = archive_.Readings(std::nullopt, std::nullopt);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].device.kind, DeviceKind::kWaterHot);
  EXPECT_EQ(all[1].device.kind, DeviceKind::kWaterCold);
  EXPECT_EQ(all[2].device.kind, DeviceKind::kHeat);
  EXPECT_EQ(archive_.ReadingCount(), 3);
}

TEST_F(ArchiveTest, ReadingsAreNewestFirstFilteredAndLimited) {
  const Device a = Meter(DeviceKind::kHeat, "A");
  const Device b = Meter(DeviceKind::kHeat, "B");
  archive_.SaveReading(a, At(100));
  archive_.SaveReading(b, At(300));
  archive_.SaveReading(a, At(200));
  archive_.SaveReading(Meter(DeviceKind::kWaterCold, "C"), At(250));

  std::vector<int64_t> times;
  for (const auto& row : archive_.Readings(std::nullopt, std::nullopt)) {
    times.push_back(row.reading.readTime);
  }
  EXPECT_EQ(times, (std::vector<int64_t>{300, 250, 200, 100}));

  const int64_t aId = archive_.FindDevice(DeviceKind::kHeat, "KRV", "A")->id;
  const auto ofA = archive_.Readings(DeviceKind::kHeat, aId);
  ASSERT_EQ(ofA.size(), 2u);
  EXPECT_EQ(ofA[0].reading.readTime, 200);
  EXPECT_EQ(ofA[1].reading.readTime, 100);

  const auto newestTwo = archive_.Readings(std::nullopt, std::nullopt, 2);
  ASSERT_EQ(newestTwo.size(), 2u);
  EXPECT_EQ(newestTwo[1].reading.readTime, 250) << "the limit keeps the newest across kinds";

  EXPECT_EQ(archive_.ReadingsOf(DeviceKind::kHeat, aId, 1).front().readTime, 200);
}

TEST_F(ArchiveTest, ReadingsAreDeletedTogetherOrNotAtAll) {
  const Device heat = Meter(DeviceKind::kHeat, "A");
  const int64_t first = archive_.SaveReading(heat, At(100));
  const int64_t second = archive_.SaveReading(heat, At(200));
  const int64_t cold = archive_.SaveReading(Meter(DeviceKind::kWaterCold, "C"), At(150));
  ASSERT_EQ(first, cold) << "ids are counted per kind, so the kind must travel with them";

  // The cold reading's id is not a heat reading any more once deleted: the
  // whole batch is refused and the first deletion rolled back.
  const ReadingKey mixed[] = {{DeviceKind::kHeat, first}, {DeviceKind::kHeat, 99}};
  EXPECT_EQ(FailureOf([&] { archive_.DeleteReadings(mixed); }), ArchiveFailure::kNotFound);
  EXPECT_EQ(archive_.ReadingCount(), 3);

  const ReadingKey chosen[] = {{DeviceKind::kHeat, first}, {DeviceKind::kWaterCold, cold}};
  archive_.DeleteReadings(chosen);
  const auto left = archive_.Readings(std::nullopt, std::nullopt);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].reading.id, second);
  EXPECT_TRUE(archive_.FindDevice(DeviceKind::kWaterCold, "KRV", "C")) << "the device stays";

  const ReadingKey unknownKind[] = {{static_cast<DeviceKind>(7), second}};
  EXPECT_EQ(FailureOf([&] { archive_.DeleteReadings(unknownKind); }), ArchiveFailure::kInvalid);
  EXPECT_EQ(archive_.ReadingCount(), 1);
}

TEST_F(ArchiveTest, AReadingWithoutTimeIsStampedNow) {
  const auto before = static_cast<int64_t>(std::time(nullptr));
  archive_.SaveReading(Meter(DeviceKind::kWaterHot, "1"), Reading{});
  const auto after = static_cast<int64_t>(std::time(nullptr));
  const auto saved = archive_.Readings(std::nullopt, std::nullopt).front().reading.readTime;
  EXPECT_GE(saved, before);
  EXPECT_LE(saved, after);
}

TEST_F(ArchiveTest, ADeviceIsAddedOnceAndItsDetailsFollowTheMeter) {
  archive_.SaveReading(Meter(DeviceKind::kHeat, "00012345", "KM-5"), At(1));
  Device again = Meter(DeviceKind::kHeat, "00012345");  // no model this time
  again.softwareVersion = "2.01";
  archive_.SaveReading(again, At(2));
  archive_.SaveReading(Meter(DeviceKind::kHeat, "00012345", "KM-5M"), At(3));

  const auto heat = archive_.Devices(DeviceKind::kHeat);
  ASSERT_EQ(heat.size(), 1u) << "same manufacturer and serial: one device";
  EXPECT_EQ(heat.front().model, "KM-5M");
  EXPECT_EQ(heat.front().softwareVersion, "2.01") << "an empty detail keeps the stored one";
  EXPECT_EQ(archive_.ReadingsOf(DeviceKind::kHeat, heat.front().id).size(), 3u);

  // The same serial of another kind or maker is another device.
  archive_.SaveReading(Meter(DeviceKind::kWaterCold, "00012345"), At(4));
  Device otherMaker = Meter(DeviceKind::kHeat, "00012345");
  otherMaker.manufacturer = "MLD";
  archive_.SaveReading(otherMaker, At(5));
  EXPECT_EQ(archive_.Devices().size(), 3u);
}

TEST_F(ArchiveTest, ReadingsOfAKnownDeviceNeedTheRightKind) {
  archive_.SaveReading(Meter(DeviceKind::kHeat, "1"), At(1));
  const int64_t id = archive_.Devices().front().id;
  Reading next = At(2);
  next.deviceId = id;
  EXPECT_GT(archive_.AddReading(DeviceKind::kHeat, next), 0);
  EXPECT_EQ(FailureOf([&] { archive_.AddReading(DeviceKind::kWaterCold, next); }),
            ArchiveFailure::kNotFound);
  next.deviceId = id + 100;
  EXPECT_EQ(FailureOf([&] { archive_.AddReading(DeviceKind::kHeat, next); }),
            ArchiveFailure::kNotFound);
  EXPECT_EQ(archive_.ReadingCount(), 2);
}

TEST_F(ArchiveTest, ADeviceNeedsItsIdentity) {
  EXPECT_EQ(FailureOf([&] { archive_.SaveReading(Meter(DeviceKind::kHeat, ""), At(1)); }),
            ArchiveFailure::kInvalid);
  Device noMaker = Meter(DeviceKind::kHeat, "1");
  noMaker.manufacturer.clear();
  EXPECT_EQ(FailureOf([&] { archive_.SaveReading(noMaker, At(1)); }), ArchiveFailure::kInvalid);
  EXPECT_EQ(FailureOf([&] { archive_.SaveReading(Meter(static_cast<DeviceKind>(9), "1"), At(1)); }),
            ArchiveFailure::kInvalid);
  EXPECT_TRUE(archive_.Devices().empty());
  EXPECT_EQ(archive_.ReadingCount(), 0) << "nothing half-saved";
}

TEST_F(ArchiveTest, SubscribersAndObjectsAreKeptWithTheirLinks) {
  const int64_t ivanov =
      archive_.AddSubscriber({0, "Иванов И. И.", "+7 900 000-00-00", "0417", ""});
  const int64_t company = archive_.AddSubscriber({0, "ООО «Тепло»", "", "", "по договору"});
  ASSERT_EQ(archive_.Subscribers().size(), 2u);
  EXPECT_EQ(archive_.Subscribers().front().name, "Иванов И. И.") << "by name";

  archive_.UpdateSubscriber({ivanov, "Иванов Иван", "+7 900 111-11-11", "0417", "ключ у соседа"});
  const auto first = archive_.Subscribers().front();
  EXPECT_EQ(first.name, "Иванов Иван");
  EXPECT_EQ(first.notes, "ключ у соседа");

  const int64_t flat = archive_.AddObject({0, ivanov, "Квартира 12", "ул. Ленина, 1"});
  const int64_t shop = archive_.AddObject({0, company, "Магазин", "пр. Мира, 5"});
  EXPECT_EQ(archive_.Objects(ivanov).size(), 1u);
  EXPECT_EQ(archive_.Objects().size(), 2u);

  // An object belongs to an existing subscriber.
  EXPECT_EQ(FailureOf([&] {
              archive_.AddObject({0, 999, "Сарай", ""});
            }),
            ArchiveFailure::kNotFound);
  // A subscriber with objects stays.
  EXPECT_EQ(FailureOf([&] { archive_.DeleteSubscriber(ivanov); }), ArchiveFailure::kInUse);

  // Moving the object to another subscriber.
  archive_.UpdateObject({shop, ivanov, "Магазин", "пр. Мира, 5"});
  EXPECT_TRUE(archive_.Objects(company).empty());
  archive_.DeleteSubscriber(company);
  EXPECT_EQ(archive_.Subscribers().size(), 1u);

  // A deleted object lets its devices go; devices and readings stay.
  Device meter = Meter(DeviceKind::kHeat, "1");
  meter.objectId = flat;
  archive_.SaveReading(meter, At(1));
  EXPECT_EQ(archive_.Devices().front().objectId, flat);
  archive_.DeleteObject(flat);
  EXPECT_FALSE(archive_.Devices().front().objectId.has_value());
  EXPECT_EQ(archive_.ReadingCount(), 1);

  EXPECT_EQ(FailureOf([&] { archive_.DeleteObject(flat); }), ArchiveFailure::kNotFound);
  EXPECT_EQ(FailureOf([&] {
              archive_.UpdateSubscriber({company, "x", "", "", ""});
            }),
            ArchiveFailure::kNotFound);
  EXPECT_EQ(FailureOf([&] {
              archive_.AddSubscriber({0, "", "", "", ""});
            }),
            ArchiveFailure::kInvalid);
  EXPECT_EQ(FailureOf([&] {
              archive_.UpdateObject({shop, ivanov, "", ""});
            }),
            ArchiveFailure::kInvalid);
}

TEST_F(ArchiveTest, AnObjectTakesExactlyTheDevicesChosenForIt) {
  const int64_t owner = archive_.AddSubscriber({0, "Owner", "", "", ""});
  const int64_t flat = archive_.AddObject({0, owner, "Flat", ""});
  const int64_t garage = archive_.AddObject({0, owner, "Garage", ""});
  for (const char* serial : {"1", "2", "3"})
    archive_.SaveReading(Meter(DeviceKind::kWaterCold, serial), At(1));
  const auto devices = archive_.Devices();
  archive_.SetDeviceObject(devices[2].id, garage);

  archive_.SetObjectDevices(flat, std::vector<int64_t>{devices[0].id, devices[1].id});
  archive_.SetObjectDevices(flat, std::vector<int64_t>{devices[1].id});
  const auto after = archive_.Devices();
  EXPECT_FALSE(after[0].objectId.has_value()) << "left out: let go";
  EXPECT_EQ(after[1].objectId, flat);
  EXPECT_EQ(after[2].objectId, garage) << "another object's device is not touched";

  EXPECT_EQ(FailureOf([&] {
              archive_.SetObjectDevices(flat, std::vector<int64_t>{devices[0].id, 999});
            }),
            ArchiveFailure::kNotFound);
  EXPECT_EQ(archive_.Devices()[1].objectId, flat) << "a refused change leaves the old set";
  EXPECT_EQ(FailureOf([&] { archive_.SetObjectDevices(999, {}); }), ArchiveFailure::kNotFound);
}

TEST_F(ArchiveTest, HostileTextIsStoredVerbatim) {
  const std::string name = "Robert'); DROP TABLE subscribers;-- \"x\" ; %s %n \\";
  const int64_t id = archive_.AddSubscriber({0, name, "a;b", "'1'='1'", "<b>bold</b>"});
  Device meter = Meter(DeviceKind::kHeat, "1'; DELETE FROM devices; --");
  meter.manufacturer = "K'\"";
  Reading reading = At(5);
  reading.meterTime = "'); DROP TABLE heat_readings;--";
  archive_.SaveReading(meter, reading);

  const auto subscribers = archive_.Subscribers();
  ASSERT_EQ(subscribers.size(), 1u);
  EXPECT_EQ(subscribers.front().id, id);
  EXPECT_EQ(subscribers.front().name, name);
  EXPECT_EQ(subscribers.front().account, "'1'='1'");
  const auto rows = archive_.Readings(std::nullopt, std::nullopt);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows.front().device.serial, meter.serial);
  EXPECT_EQ(rows.front().device.manufacturer, meter.manufacturer);
  EXPECT_EQ(rows.front().reading.meterTime, reading.meterTime);
  EXPECT_TRUE(archive_.FindDevice(DeviceKind::kHeat, meter.manufacturer, meter.serial));
}

TEST(ArchiveFile, IsCreatedOnceAndKeepsItsContent) {
  ScopedWorkingDirectory folder;
  {
    Archive archive;
    archive.AddSubscriber({0, "Kept", "", "", ""});
  }
  ASSERT_TRUE(std::filesystem::exists("archive.db"));
  Archive reopened;
  ASSERT_EQ(reopened.Subscribers().size(), 1u);
  EXPECT_EQ(reopened.Subscribers().front().name, "Kept");
}

TEST(ArchiveFile, ANewerVersionIsRefusedAndLeftUntouched) {
  ScopedWorkingDirectory folder;
  { Archive create; }
  const std::string newer = std::to_string(Archive::kSchemaVersion + 1);
  RunSql("archive.db", ("PRAGMA user_version = " + newer + "; CREATE TABLE future (x);").c_str());
  const std::string before = ReadFile("archive.db");
  EXPECT_EQ(FailureOf([] { Archive archive; }), ArchiveFailure::kNewerVersion);
  EXPECT_EQ(ReadFile("archive.db"), before);
}

TEST(ArchiveFile, ACorruptFileIsRefusedAndLeftUntouched) {
  ScopedWorkingDirectory folder;
  const std::string garbage =
      "this is not a database at all; SQLite format 3?" + std::string(4000, 'x');
  WriteFile("archive.db", garbage);
  EXPECT_EQ(FailureOf([] { Archive archive; }), ArchiveFailure::kNotAnArchive);
  EXPECT_EQ(ReadFile("archive.db"), garbage);
}

TEST(ArchiveFile, ADamagedArchiveIsRefused) {
  ScopedWorkingDirectory folder;
  {
    Archive archive;
    for (int i = 0; i < 200; ++i) {
      archive.AddSubscriber(
          {0, "Subscriber " + std::to_string(i) + std::string(200, 'z'), "", "", ""});
    }
  }
  RunSql("archive.db", "PRAGMA wal_checkpoint(TRUNCATE); PRAGMA journal_mode = DELETE;");
  std::string bytes = ReadFile("archive.db");
  ASSERT_GT(bytes.size(), 8192u);
  for (std::size_t i = 4096; i < bytes.size(); ++i) bytes[i] = static_cast<char>(0xA5);
  WriteFile("archive.db", bytes);
  const auto failure = FailureOf([] {
    Archive archive;
    archive.Subscribers();
  });
  EXPECT_EQ(failure, ArchiveFailure::kNotAnArchive);
}

TEST(ArchiveFile, AnotherProgramsDatabaseIsRefused) {
  ScopedWorkingDirectory folder;
  RunSql("archive.db", "CREATE TABLE accounts (id INTEGER PRIMARY KEY, owner TEXT);");
  const std::string before = ReadFile("archive.db");
  EXPECT_EQ(FailureOf([] { Archive archive; }), ArchiveFailure::kNotAnArchive);
  EXPECT_EQ(ReadFile("archive.db"), before);

  // Claiming the current version without the archive's tables is no better.
  ScopedWorkingDirectory other;
  RunSql("archive.db", "PRAGMA user_version = 1; CREATE TABLE subscribers (id);");
  EXPECT_EQ(FailureOf([] { Archive archive; }), ArchiveFailure::kNotAnArchive);
}

TEST(ArchiveFile, AFolderInThePlaceOfTheFileIsRefused) {
  ScopedWorkingDirectory folder;
  std::filesystem::create_directory("archive.db");
  EXPECT_EQ(FailureOf([] { Archive archive; }), ArchiveFailure::kCannotOpen);
}

}  // namespace
