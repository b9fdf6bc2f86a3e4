// The data-store exports of the built AdminTools.so, called the way a device
// screen calls them: through the typed helpers over the loaded library.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "admin_tools_loader.h"
#include "archive_sql.h"
#include "store/archive.h"
#include "test_support.h"

namespace {

KeldarDeviceRecord Identified(const char* manufacturer, const char* serial, uint8_t type) {
  KeldarDeviceRecord record{};
  record.device_type = type;
  KELDAR_ADMIN_SET_TEXT(record.manufacturer, manufacturer);
  KELDAR_ADMIN_SET_TEXT(record.serial, serial);
  KELDAR_ADMIN_SET_TEXT(record.model, "KM-5");
  return record;
}

class PluginStore : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(lib_->module, nullptr) << dlerror_hint;
    store_ = keldar_admin_CreateCSQLite3(lib_);
    ASSERT_NE(store_, nullptr);
  }
  void TearDown() override { keldar_admin_DeleteCSQLite3(lib_, store_); }

  static constexpr const char* dlerror_hint = "AdminTools.so must be built beside the tests";
  ScopedWorkingDirectory folder_;
  AdminToolsLoader loader_;
  const KeldarAdminToolsLibrary* lib_ = loader_.Api();
  KeldarAdminStore* store_ = nullptr;
};

TEST(PluginLoad, EveryExportOfTheListResolves) {
  AdminToolsLoader loader;
  ASSERT_NE(loader.Api()->module, nullptr);
  EXPECT_TRUE(loader.Missing().empty()) << loader.Missing().front();
  EXPECT_NE(loader.Api()->CArrayDataWaterHotGetIndexData.entry, nullptr) << "the last slot";
}

TEST_F(PluginStore, HeatReadingsRoundTrip) {
  KeldarAdminDeviceHeat* record = keldar_admin_CreateCDataDeviceHeat(lib_);
  ASSERT_NE(record, nullptr);
  EXPECT_TRUE(std::isnan(record->reading.energy_wh)) << "handed out with nothing reported";
  EXPECT_TRUE(std::isnan(record->reading.supply_c));

  const KeldarDeviceRecord meter = Identified("KRV", "00012345", 4);
  keldar_admin_device_from_record(&record->device, &meter);
  record->reading.read_time = 1000;
  record->reading.energy_wh = 5.0e6;
  record->reading.supply_c = 70.5;
  record->reading.error_flags = 2;
  KELDAR_ADMIN_SET_TEXT(record->reading.meter_time, "2024-05-01T10:00:00");
  EXPECT_EQ(keldar_admin_AddDeviceHeatData(lib_, store_, record), 1);
  record->reading.read_time = 2000;
  record->reading.energy_wh = 5.5e6;
  EXPECT_EQ(keldar_admin_AddDeviceHeatData(lib_, store_, record), 1);
  keldar_admin_DeleteCDataDeviceHeat(lib_, record);

  KeldarAdminDeviceHeatArray* rows = keldar_admin_CreateCArrayDataDeviceHeat(lib_);
  ASSERT_EQ(keldar_admin_GetDeviceHeatData(lib_, store_, rows), 2);
  EXPECT_EQ(keldar_admin_CArrayDataDeviceHeatSize(lib_, rows), 2);
  EXPECT_EQ(keldar_admin_CArrayDataDeviceHeatEmpty(lib_, rows), 0);
  const KeldarAdminDeviceHeat* newest =
      keldar_admin_CArrayDataDeviceHeatGetIndexData(lib_, rows, 0);
  ASSERT_NE(newest, nullptr);
  EXPECT_EQ(newest->reading.read_time, 2000);
  EXPECT_EQ(newest->reading.energy_wh, 5.5e6);
  EXPECT_EQ(newest->reading.supply_c, 70.5);
  EXPECT_TRUE(std::isnan(newest->reading.power_w));
  EXPECT_EQ(newest->reading.error_flags, 2u);
  EXPECT_STREQ(newest->reading.meter_time, "2024-05-01T10:00:00");
  EXPECT_STREQ(newest->device.serial, "00012345");
  EXPECT_STREQ(newest->device.model, "KM-5");
  EXPECT_EQ(newest->device.kind, KELDAR_ADMIN_KIND_HEAT);
  EXPECT_EQ(newest->device.medium, 4);
  const int64_t deviceId = newest->device.id;
  EXPECT_GT(deviceId, 0);
  EXPECT_EQ(keldar_admin_CArrayDataDeviceHeatGetIndexData(lib_, rows, 1)->device.id, deviceId)
      << "one device for both readings";
  EXPECT_EQ(keldar_admin_CArrayDataDeviceHeatGetIndexData(lib_, rows, 2), nullptr);
  EXPECT_EQ(keldar_admin_CArrayDataDeviceHeatGetIndexData(lib_, rows, -1), nullptr);
  keldar_admin_DeleteCArrayDataDeviceHeat(lib_, rows);

  // The latest reading of a device named by its identity.
  KeldarAdminDeviceHeat lookup{};
  KELDAR_ADMIN_SET_TEXT(lookup.device.manufacturer, "KRV");
  KELDAR_ADMIN_SET_TEXT(lookup.device.serial, "00012345");
  ASSERT_EQ(keldar_admin_GetDeviceHeatDataToAid(lib_, store_, &lookup), 1);
  EXPECT_EQ(lookup.device.id, deviceId);
  EXPECT_EQ(lookup.reading.read_time, 2000);
  KeldarAdminDeviceHeat unknown{};
  KELDAR_ADMIN_SET_TEXT(unknown.device.manufacturer, "KRV");
  KELDAR_ADMIN_SET_TEXT(unknown.device.serial, "99999999");
  unknown.reading.read_time = 77;
  EXPECT_EQ(keldar_admin_GetDeviceHeatDataToAid(lib_, store_, &unknown), 0);
  EXPECT_EQ(unknown.reading.read_time, 77) << "left as it was";

  // A further reading of the known device, then its history.
  KeldarAdminHeat* reading = keldar_admin_CreateCDataHeat(lib_);
  ASSERT_NE(reading, nullptr);
  reading->device_id = deviceId;
  reading->read_time = 3000;
  reading->volume_m3 = 10.25;
  EXPECT_EQ(keldar_admin_WriteHeatData(lib_, store_, reading), 1);
  reading->device_id = deviceId + 50;
  EXPECT_EQ(keldar_admin_WriteHeatData(lib_, store_, reading), 0) << "unknown device";
  keldar_admin_DeleteCDataHeat(lib_, reading);

  KeldarAdminHeatArray* history = keldar_admin_CreateCArrayDataHeat(lib_);
  ASSERT_EQ(keldar_admin_GetHeatData(lib_, store_, deviceId, history), 3);
  EXPECT_EQ(keldar_admin_CArrayDataHeatGetIndexData(lib_, history, 0)->volume_m3, 10.25);
  EXPECT_EQ(keldar_admin_CArrayDataHeatGetIndexData(lib_, history, 2)->read_time, 1000);
  EXPECT_EQ(keldar_admin_GetHeatData(lib_, store_, deviceId + 50, history), 0);
  EXPECT_EQ(keldar_admin_CArrayDataHeatEmpty(lib_, history), 1) << "filled arrays start empty";
  keldar_admin_DeleteCArrayDataHeat(lib_, history);
}

TEST_F(PluginStore, WaterReadingsRoundTripAndKeepTheirKind) {
  KeldarAdminDeviceWaterCold cold{};
  KELDAR_ADMIN_SET_TEXT(cold.device.manufacturer, "MLD");
  KELDAR_ADMIN_SET_TEXT(cold.device.serial, "00000077");
  cold.device.medium = 22;
  cold.reading.read_time = 100;
  cold.reading.volume_m3 = 87.5;
  cold.reading.flow_m3h = NAN;
  ASSERT_EQ(keldar_admin_AddDeviceWaterColdData(lib_, store_, &cold), 1);

  KeldarAdminDeviceWaterHot hot{};
  KELDAR_ADMIN_SET_TEXT(hot.device.manufacturer, "KRV");
  KELDAR_ADMIN_SET_TEXT(hot.device.serial, "00000077");  // same number, other kind
  hot.reading.read_time = 200;
  hot.reading.volume_m3 = 12.0;
  hot.reading.flow_m3h = 0.4;
  hot.reading.temperature_c = 61.5;
  ASSERT_EQ(keldar_admin_AddDeviceWaterHotData(lib_, store_, &hot), 1);

  KeldarAdminDeviceWaterColdArray* colds = keldar_admin_CreateCArrayDataDeviceWaterCold(lib_);
  ASSERT_EQ(keldar_admin_GetDeviceWaterColdData(lib_, store_, colds), 1);
  const auto* coldBack = keldar_admin_CArrayDataDeviceWaterColdGetIndexData(lib_, colds, 0);
  EXPECT_EQ(coldBack->reading.volume_m3, 87.5);
  EXPECT_TRUE(std::isnan(coldBack->reading.flow_m3h));
  EXPECT_EQ(coldBack->device.kind, KELDAR_ADMIN_KIND_WATER_COLD);

  KeldarAdminDeviceWaterHotArray* hots = keldar_admin_CreateCArrayDataDeviceWaterHot(lib_);
  ASSERT_EQ(keldar_admin_GetDeviceWaterHotData(lib_, store_, hots), 1);
  const auto* hotBack = keldar_admin_CArrayDataDeviceWaterHotGetIndexData(lib_, hots, 0);
  EXPECT_EQ(hotBack->reading.temperature_c, 61.5);
  EXPECT_EQ(hotBack->reading.flow_m3h, 0.4);

  // A reading written for a device of another kind is refused.
  KeldarAdminWaterCold wrongKind{};
  wrongKind.device_id = hotBack->device.id;
  EXPECT_EQ(keldar_admin_WriteWaterColdData(lib_, store_, &wrongKind), 0);
  KeldarAdminWaterHot rightKind{};
  rightKind.device_id = hotBack->device.id;
  rightKind.read_time = 300;
  EXPECT_EQ(keldar_admin_WriteWaterHotData(lib_, store_, &rightKind), 1);
  EXPECT_EQ(keldar_admin_GetDeviceWaterHotData(lib_, store_, hots), 2);
  keldar_admin_DeleteCArrayDataDeviceWaterCold(lib_, colds);
  keldar_admin_DeleteCArrayDataDeviceWaterHot(lib_, hots);
}

TEST_F(PluginStore, ArraysKeepCopiesOfWhatIsPushed) {
  KeldarAdminSubscriberArray* array = keldar_admin_CreateCArrayDataSubscriber(lib_);
  KeldarAdminSubscriber* subscriber = keldar_admin_CreateCDataSubscriber(lib_);
  ASSERT_NE(subscriber, nullptr);
  KELDAR_ADMIN_SET_TEXT(subscriber->name, "First");
  EXPECT_EQ(keldar_admin_CArrayDataSubscriberPushBack(lib_, array, subscriber), 1);
  KELDAR_ADMIN_SET_TEXT(subscriber->name, "Second");
  EXPECT_EQ(keldar_admin_CArrayDataSubscriberPushBack(lib_, array, subscriber), 1);
  EXPECT_EQ(keldar_admin_CArrayDataSubscriberPushBack(lib_, array, nullptr), 0);
  EXPECT_EQ(keldar_admin_CArrayDataSubscriberSize(lib_, array), 2);
  EXPECT_STREQ(keldar_admin_CArrayDataSubscriberGetIndexData(lib_, array, 0)->name, "First");
  keldar_admin_CArrayDataSubscriberClear(lib_, array);
  EXPECT_EQ(keldar_admin_CArrayDataSubscriberEmpty(lib_, array), 1);
  keldar_admin_DeleteCDataSubscriber(lib_, subscriber);
  keldar_admin_DeleteCArrayDataSubscriber(lib_, array);
}

TEST_F(PluginStore, SubscribersAndObjectsAreListed) {
  {
    admintools::Archive archive;  // the administration screen's side of the same file
    const int64_t owner = archive.AddSubscriber({0, "Петров", "", "00-17", ""});
    archive.AddSubscriber({0, "Алексеев", "", "", ""});
    archive.AddObject({0, owner, "Дом", "ул. Садовая, 3"});
  }
  KeldarAdminSubscriberArray* subscribers = keldar_admin_CreateCArrayDataSubscriber(lib_);
  ASSERT_EQ(keldar_admin_GetSubscriberData(lib_, store_, subscribers), 2);
  EXPECT_STREQ(keldar_admin_CArrayDataSubscriberGetIndexData(lib_, subscribers, 0)->name,
               "Алексеев");
  const KeldarAdminSubscriber* owner =
      keldar_admin_CArrayDataSubscriberGetIndexData(lib_, subscribers, 1);
  EXPECT_STREQ(owner->account, "00-17");

  KeldarAdminObjectArray* objects = keldar_admin_CreateCArrayDataObject(lib_);
  ASSERT_EQ(keldar_admin_GetObjectData(lib_, store_, owner->id, objects), 1);
  EXPECT_STREQ(keldar_admin_CArrayDataObjectGetIndexData(lib_, objects, 0)->address,
               "ул. Садовая, 3");
  EXPECT_EQ(keldar_admin_CArrayDataObjectGetIndexData(lib_, objects, 0)->subscriber_id, owner->id);
  EXPECT_EQ(keldar_admin_GetObjectData(lib_, store_, 0, objects), 1) << "0: every object";
  EXPECT_EQ(keldar_admin_GetObjectData(lib_, store_, owner->id + 100, objects), 0);
  keldar_admin_DeleteCArrayDataObject(lib_, objects);
  keldar_admin_DeleteCArrayDataSubscriber(lib_, subscribers);
}

TEST_F(PluginStore, NullAndForeignArgumentsAreRefused) {
  KeldarAdminDeviceHeat record{};
  KELDAR_ADMIN_SET_TEXT(record.device.manufacturer, "KRV");
  KELDAR_ADMIN_SET_TEXT(record.device.serial, "1");
  EXPECT_EQ(keldar_admin_AddDeviceHeatData(lib_, nullptr, &record), 0);
  EXPECT_EQ(keldar_admin_AddDeviceHeatData(lib_, store_, nullptr), 0);
  EXPECT_EQ(keldar_admin_GetDeviceHeatData(lib_, store_, nullptr), -1);
  EXPECT_EQ(keldar_admin_GetDeviceHeatDataToAid(lib_, store_, nullptr), 0);
  EXPECT_EQ(keldar_admin_WriteHeatData(lib_, store_, nullptr), 0);
  EXPECT_EQ(keldar_admin_CArrayDataHeatSize(lib_, nullptr), 0);
  EXPECT_EQ(keldar_admin_CArrayDataHeatEmpty(lib_, nullptr), 1);
  EXPECT_EQ(keldar_admin_CArrayDataHeatGetIndexData(lib_, nullptr, 0), nullptr);
  keldar_admin_CArrayDataHeatClear(lib_, nullptr);
  keldar_admin_DeleteCArrayDataHeat(lib_, nullptr);
  keldar_admin_DeleteCSQLite3(lib_, nullptr);

  // An array of another kind passed by a careless cast.
  KeldarAdminSubscriberArray* subscribers = keldar_admin_CreateCArrayDataSubscriber(lib_);
  auto* wrong = reinterpret_cast<KeldarAdminHeatArray*>(subscribers);
  EXPECT_EQ(keldar_admin_GetHeatData(lib_, store_, 1, wrong), -1);
  EXPECT_EQ(keldar_admin_CArrayDataHeatSize(lib_, wrong), 0);
  keldar_admin_DeleteCArrayDataHeat(lib_, wrong);  // refused: still ours to delete below
  keldar_admin_DeleteCArrayDataSubscriber(lib_, subscribers);

  // A record without its identity saves nothing.
  KeldarAdminDeviceHeat anonymous{};
  EXPECT_EQ(keldar_admin_AddDeviceHeatData(lib_, store_, &anonymous), 0);
  KeldarAdminDeviceHeatArray* rows = keldar_admin_CreateCArrayDataDeviceHeat(lib_);
  EXPECT_EQ(keldar_admin_GetDeviceHeatData(lib_, store_, rows), 0);
  keldar_admin_DeleteCArrayDataDeviceHeat(lib_, rows);
}

TEST(PluginHelpers, WithoutTheLibraryEveryHelperGivesItsFailureValue) {
  const KeldarAdminToolsLibrary absent{};
  EXPECT_EQ(keldar_admin_CreateCSQLite3(&absent), nullptr);
  EXPECT_EQ(keldar_admin_CreateCSQLite3(nullptr), nullptr);
  KeldarAdminDeviceHeat record{};
  EXPECT_EQ(keldar_admin_AddDeviceHeatData(&absent, nullptr, &record), 0);
  EXPECT_EQ(keldar_admin_GetSubscriberData(&absent, nullptr, nullptr), -1);
  EXPECT_EQ(keldar_admin_GetObjectData(&absent, nullptr, 0, nullptr), -1);
  EXPECT_EQ(keldar_admin_CreateCArrayDataHeat(&absent), nullptr);
  EXPECT_EQ(keldar_admin_CArrayDataHeatEmpty(&absent, nullptr), 1);
  keldar_admin_DeleteCSQLite3(&absent, nullptr);
}

TEST(PluginArchiveFile, ANewerOrCorruptArchiveGivesNoStoreAndStaysAsItIs) {
  AdminToolsLoader loader;
  ASSERT_NE(loader.Api()->module, nullptr);
  {
    ScopedWorkingDirectory folder;
    { admintools::Archive create; }
    RunSql("archive.db", "PRAGMA user_version = 7;");
    const std::string before = ReadFile("archive.db");
    EXPECT_EQ(keldar_admin_CreateCSQLite3(loader.Api()), nullptr);
    EXPECT_EQ(ReadFile("archive.db"), before);
  }
  {
    ScopedWorkingDirectory folder;
    WriteFile("archive.db", std::string(2048, '\x7f'));
    EXPECT_EQ(keldar_admin_CreateCSQLite3(loader.Api()), nullptr);
    EXPECT_EQ(ReadFile("archive.db"), std::string(2048, '\x7f'));
  }
}

}  // namespace
