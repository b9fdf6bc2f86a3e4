// Which records become the archive's fields, and how a reading is saved.
#include "core/archive_mapping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "block.h"
#include "core/archive_saver.h"
#include "fake_admin.h"

namespace devicescreen::test {
namespace {

MeterReading Reading(std::initializer_list<Block> blocks) {
  MeterReading reading;
  reading.telegrams = 1;
  for (const Block& block : blocks) reading.records.push_back(block.Record());
  return reading;
}

// What a heat meter sends: current values, a due-date value and its date.
MeterReading HeatReading() {
  return Reading({
      Block(0x44, 0x06).Number(12011000, "Wh").Storage(1),  // at the due date, listed first
      Block(0x04, 0x06).Number(12873000, "Wh"),
      Block(0x04, 0x13).Number(2457.19, "m^3"),
      Block(0x04, 0x2B).Number(14250, "W"),
      Block(0x14, 0x2B).Number(20000, "W"),  // maximum power
      Block(0x04, 0x3B).Number(0.612, "m^3/h"),
      Block(0x02, 0x59).Number(70.12, "°C"),
      Block(0x02, 0x5D).Number(49.88, "°C"),
      Block(0x02, 0x61).Number(20.24, "K"),
      Block(0x04, 0x22).Number(27612.0 * 3600, "s"),
      Block(0x04, 0x6D).Date("2024-05-14T10:20"),
      Block(0x42, 0x6C).Date("2024-04-30").Storage(1),
      Block(0x01, 0xFD).Vife(0x17).Number(0, "").Raw(0),
      Block(0x0C, 0x78).Number(41000001, ""),
  });
}

KeldarDeviceRecord Device(const char* manufacturer, const char* serial, std::uint8_t type) {
  KeldarDeviceRecord device{};
  device.type_word = KELDAR_DEVICE_RECORD_TYPE_WORD;
  device.device_type = type;
  device.address = 1;
  std::strcpy(device.manufacturer, manufacturer);
  std::strcpy(device.serial, serial);
  std::strcpy(device.model, "TV-7 heat");
  std::strcpy(device.software_version, "2.04");
  return device;
}

TEST(ArchiveMapping, HeatMeterFieldsComeFromTheCurrentValues) {
  KeldarAdminHeat heat{};
  FillHeat(HeatReading(), heat);
  EXPECT_DOUBLE_EQ(heat.energy_wh, 12873000);
  EXPECT_DOUBLE_EQ(heat.volume_m3, 2457.19);
  EXPECT_DOUBLE_EQ(heat.power_w, 14250);  // not the maximum
  EXPECT_DOUBLE_EQ(heat.flow_m3h, 0.612);
  EXPECT_DOUBLE_EQ(heat.supply_c, 70.12);
  EXPECT_DOUBLE_EQ(heat.return_c, 49.88);
  EXPECT_DOUBLE_EQ(heat.difference_k, 20.24);
  EXPECT_DOUBLE_EQ(heat.operating_hours, 27612);  // from the time switched on
  EXPECT_STREQ(heat.meter_time, "2024-05-14T10:20:00");
  EXPECT_EQ(heat.error_flags, 0u);
}

TEST(ArchiveMapping, TheMeterItselfAndTheTotalComeFirst) {
  const auto records = Reading({
                                   Block(0x84, 0x06).Number(5000, "Wh").Tariff(1),
                                   Block(0x84, 0x06).Number(7000, "Wh").Subunit(1),
                                   Block(0x04, 0x06).Number(9000, "Wh"),
                                   Block(0x84, 0x13).Number(1.5, "m^3").Tariff(2),
                               })
                           .records;
  EXPECT_DOUBLE_EQ(CurrentValue(records, Quantity::Energy), 9000);
  // Without a total the lowest tariff stands in.
  EXPECT_DOUBLE_EQ(CurrentValue(records, Quantity::Volume), 1.5);
  // A stored (historic) value never does.
  const auto stored = Reading({Block(0x44, 0x13).Number(3.0, "m^3").Storage(1)}).records;
  EXPECT_TRUE(std::isnan(CurrentValue(stored, Quantity::Volume)));
}

TEST(ArchiveMapping, ValuesAreConvertedToTheArchivesUnits) {
  const auto records =
      Reading({
                  Block(0x04, 0x0E).Number(36e9, "J"), Block(0x04, 0x33).Number(7.2e6, "J/h"),
                  Block(0x04, 0x43).Number(0.05, "m^3/min"),
                  Block(0x04, 0x24).Number(7200, "s"),       // operating time: preferred
                  Block(0x04, 0x22).Number(99 * 3600, "s"),  // time switched on
              })
          .records;
  KeldarAdminHeat heat{};
  FillHeat({MeterHeader{}, records, 1}, heat);
  EXPECT_DOUBLE_EQ(heat.energy_wh, 1e7);
  EXPECT_DOUBLE_EQ(heat.power_w, 2000);
  EXPECT_DOUBLE_EQ(heat.flow_m3h, 3.0);
  EXPECT_DOUBLE_EQ(heat.operating_hours, 2.0);
}

TEST(ArchiveMapping, WhatTheMeterDoesNotReportStaysUnreported) {
  KeldarAdminHeat heat{};
  FillHeat(Reading({Block(0x04, 0x06).Number(1000, "Wh"), Block(0x42, 0x6C).Date("2024-04-30")}),
           heat);
  EXPECT_DOUBLE_EQ(heat.energy_wh, 1000);
  for (double missing : {heat.volume_m3, heat.power_w, heat.flow_m3h, heat.supply_c, heat.return_c,
                         heat.difference_k, heat.operating_hours})
    EXPECT_TRUE(std::isnan(missing));
  EXPECT_STREQ(heat.meter_time, "2024-04-30");  // a date alone, as the meter gave it
  EXPECT_EQ(heat.error_flags, 0u);
  // A record in a unit the archive cannot take is not stored in the wrong one.
  EXPECT_TRUE(std::isnan(
      CurrentValue(Reading({Block(0x04, 0x06).Number(5, "")}).records, Quantity::Energy)));
}

TEST(ArchiveMapping, WaterMetersKeepVolumeFlowTemperatureAndErrors) {
  const MeterReading reading = Reading({
      Block(0x0C, 0x13).Number(873.412, "m^3"),
      Block(0x4C, 0x13).Number(851.003, "m^3").Storage(1),
      Block(0x04, 0x3B).Number(0.095, "m^3/h"),
      Block(0x02, 0x65).Number(11.05, "°C"),
      Block(0x04, 0x6D).Date("2024-05-14T10:21"),
      Block(0x02, 0xFD).Vife(0x17).Number(4, "").Raw(4),
  });
  KeldarAdminWaterCold cold{};
  FillWaterCold(reading, cold);
  EXPECT_DOUBLE_EQ(cold.volume_m3, 873.412);
  EXPECT_DOUBLE_EQ(cold.flow_m3h, 0.095);
  EXPECT_EQ(cold.error_flags, 4u);
  EXPECT_STREQ(cold.meter_time, "2024-05-14T10:21:00");

  KeldarAdminWaterHot hot{};
  FillWaterHot(reading, hot);
  EXPECT_DOUBLE_EQ(hot.temperature_c, 11.05);  // no flow temperature: the external one
  MeterReading withFlow = reading;
  withFlow.records.push_back(Block(0x02, 0x59).Number(55.3, "°C").Record());
  FillWaterHot(withFlow, hot);
  EXPECT_DOUBLE_EQ(hot.temperature_c, 55.3);
}

TEST(ArchiveSaver, SavesTheReadingOfTheKindTheScreenServes) {
  FakeAdmin admin;
  const auto device = Device("KRV", "41000001", 4);
  EXPECT_EQ(SaveReading(admin.Library(), MeterKind::Heat, device, HeatReading()),
            SaveOutcome::Saved);
  ASSERT_EQ(admin.heat.size(), 1u);
  const auto& saved = admin.heat.front();
  EXPECT_STREQ(saved.device.manufacturer, "KRV");
  EXPECT_STREQ(saved.device.serial, "41000001");
  EXPECT_STREQ(saved.device.model, "TV-7 heat");
  EXPECT_STREQ(saved.device.software_version, "2.04");
  EXPECT_EQ(saved.device.medium, 4);
  EXPECT_EQ(saved.reading.read_time, 0);  // stamped by the archive
  EXPECT_DOUBLE_EQ(saved.reading.energy_wh, 12873000);
  EXPECT_EQ(admin.opened, 1);
  EXPECT_EQ(admin.closed, 1);

  EXPECT_EQ(SaveReading(admin.Library(), MeterKind::WaterCold, device, HeatReading()),
            SaveOutcome::Saved);
  EXPECT_EQ(SaveReading(admin.Library(), MeterKind::WaterHot, device, HeatReading()),
            SaveOutcome::Saved);
  EXPECT_EQ(admin.cold.size(), 1u);
  EXPECT_EQ(admin.hot.size(), 1u);
  EXPECT_EQ(admin.heat.size(), 1u);
}

TEST(ArchiveSaver, SaysWhyNothingWasSaved) {
  const auto device = Device("KRV", "41000001", 4);
  EXPECT_EQ(SaveReading(nullptr, MeterKind::Heat, device, HeatReading()),
            SaveOutcome::ComponentMissing);
  FakeAdmin admin;
  EXPECT_EQ(SaveReading(admin.Library(), MeterKind::Heat, device, MeterReading{}),
            SaveOutcome::NothingToSave);
  admin.FailOpen(true);
  EXPECT_EQ(SaveReading(admin.Library(), MeterKind::Heat, device, HeatReading()),
            SaveOutcome::StoreNotOpened);
  admin.FailOpen(false);
  admin.RefuseAdd(true);
  EXPECT_EQ(SaveReading(admin.Library(), MeterKind::Heat, device, HeatReading()),
            SaveOutcome::Refused);
  EXPECT_EQ(admin.opened, admin.closed);  // the store is closed whatever happened
  // A library without the operation of this kind counts as missing.
  admin.RefuseAdd(false);
  admin.Editable().SQLite3AddDeviceWaterHotData.entry = nullptr;
  EXPECT_EQ(SaveReading(admin.Library(), MeterKind::WaterHot, device, HeatReading()),
            SaveOutcome::ComponentMissing);
  EXPECT_EQ(SaveReading(admin.Library(), MeterKind::Heat, device, HeatReading()),
            SaveOutcome::Saved);
  admin.Editable().module = nullptr;
  EXPECT_EQ(SaveReading(admin.Library(), MeterKind::Heat, device, HeatReading()),
            SaveOutcome::ComponentMissing);
}

}  // namespace
}  // namespace devicescreen::test
