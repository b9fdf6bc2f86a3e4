// The plain records that cross the library boundary: fixed text fields and
// values that were not reported.
#include "store/records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string_view>

namespace {

using namespace admintools;

bool IsWholeUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80    ? 1
                               : lead >= 0xF0 ? 4
                               : lead >= 0xE0 ? 3
                               : lead >= 0xC0 ? 2
                                              : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

TEST(RecordText, ALongTextIsCutBeforeTheFirstCharacterThatDoesNotFit) {
  KeldarAdminSubscriber record{};
  // 2-byte letters: 127 bytes of room hold 63 of them.
  std::string cyrillic;
  for (int i = 0; i < 100; ++i) cyrillic += "Ж";
  // An ASCII letter first shifts the boundary: then 63 letters fill 1 + 126 bytes exactly.
  Subscriber subscriber{1, cyrillic, "a" + cyrillic, "", ""};
  // 4-byte characters in a 32-byte field: 7 fit (28 bytes), the 8th would end at 32.
  std::string emoji;
  for (int i = 0; i < 10; ++i) emoji += "\xF0\x9F\x94\xA5";
  subscriber.account = emoji;
  records::FromSubscriber(subscriber, record);

  const std::string_view name(record.name);
  EXPECT_EQ(name.size(), 126u);
  EXPECT_TRUE(IsWholeUtf8(name));
  EXPECT_EQ(std::string_view(record.contact).size(), 127u);
  EXPECT_TRUE(IsWholeUtf8(record.contact));
  EXPECT_EQ(std::string_view(record.account).size(), 28u);
  EXPECT_TRUE(IsWholeUtf8(record.account));
}

TEST(RecordText, AFieldThatFillsItsWholeSizeIsReadNoFurther) {
  KeldarAdminDevice record{};
  std::memset(record.manufacturer, 'K', sizeof record.manufacturer);  // no terminator
  std::memcpy(record.serial, "12345678", 9);
  const Device device = records::ToDevice(record, DeviceKind::kHeat);
  EXPECT_EQ(device.manufacturer, "KKKK");
  EXPECT_EQ(device.serial, "12345678");
}

TEST(RecordText, TheCHelperCutsTheSameWay) {
  char field[5];
  keldar_admin_copy_text(field, sizeof field, "aЖЖ");  // a + 2 + 2 bytes = 5: one too many
  EXPECT_STREQ(field, "aЖ");
  keldar_admin_copy_text(field, sizeof field, nullptr);
  EXPECT_STREQ(field, "");
  KeldarAdminDevice device{};
  KELDAR_ADMIN_SET_TEXT(device.manufacturer, "KRVX");
  EXPECT_STREQ(device.manufacturer, "KRV");
}

TEST(RecordText, TheCHelperKeepsEveryCharacterThatFitsWhole) {
  char field[5];
  keldar_admin_copy_text(field, sizeof field, "ab\xE2\x82\xAC");  // a, b and a 3-byte euro sign
  EXPECT_STREQ(field, "ab") << "the euro sign needs one byte more";
  keldar_admin_copy_text(field, sizeof field, "a\xE2\x82\xAC");
  EXPECT_STREQ(field, "a\xE2\x82\xAC") << "exactly the room there is";
  keldar_admin_copy_text(field, sizeof field, "\xF0\x9F\x94\xA5x");  // a 4-byte character, then x
  EXPECT_STREQ(field, "\xF0\x9F\x94\xA5");
  keldar_admin_copy_text(field, sizeof field, "abcdefgh");
  EXPECT_STREQ(field, "abcd");
  char one[1] = {'x'};
  keldar_admin_copy_text(one, sizeof one, "abc");
  EXPECT_EQ(one[0], '\0') << "a one-byte field holds the terminator alone";
}

// The sanitizers watch these: a source field that fills its size has no
// terminator, and nothing past it may be read.
TEST(RecordText, AFieldCopyReadsTheSourceNoFurtherThanItsSize) {
  const char serial[9] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  char wide[16];
  keldar_admin_copy_bounded(wide, sizeof wide, serial, sizeof serial);
  EXPECT_STREQ(wide, "123456789");
  char narrow[4];
  KELDAR_ADMIN_COPY_FIELD(narrow, serial);
  EXPECT_STREQ(narrow, "123");
  keldar_admin_copy_bounded(wide, sizeof wide, nullptr, 4);
  EXPECT_STREQ(wide, "");
}

TEST(RecordIdentity, FieldsThatFillTheirSizeAreReadNoFurther) {
  KeldarDeviceRecord identified{};
  std::memcpy(identified.manufacturer, "KRVX", 4);
  std::memcpy(identified.serial, "123456789", 9);
  std::memcpy(identified.software_version, "1.234567890", 11);
  identified.address = 7;  // the byte after the manufacturer: must not be taken for text
  KeldarAdminDevice device{};
  keldar_admin_device_from_record(&device, &identified);
  EXPECT_STREQ(device.manufacturer, "KRV") << "cut to the three letters that fit";
  EXPECT_STREQ(device.serial, "123456789");
  EXPECT_STREQ(device.software_version, "1.234567890");
  EXPECT_EQ(device.id, 0) << "the archive's own fields are left alone";
  EXPECT_EQ(device.kind, 0);
}

TEST(RecordValues, NotReportedIsNaNOnOneSideAndEmptyOnTheOther) {
  KeldarAdminHeat blank;
  records::Blank(blank);
  EXPECT_TRUE(std::isnan(blank.energy_wh));
  EXPECT_TRUE(std::isnan(blank.operating_hours));
  EXPECT_EQ(blank.id, 0);
  EXPECT_FALSE(keldar_admin_is_reported(blank.power_w));

  blank.volume_m3 = 12.5;
  blank.error_flags = 3;
  KELDAR_ADMIN_SET_TEXT(blank.meter_time, "2024-01-31T08:00:00");
  const Reading reading = records::ToReading(blank);
  EXPECT_EQ(reading[Quantity::kVolume], 12.5);
  EXPECT_FALSE(reading[Quantity::kEnergy].has_value());
  EXPECT_EQ(reading.meterTime, "2024-01-31T08:00:00");

  KeldarAdminHeat back{};
  records::FromReading(reading, back);
  EXPECT_EQ(back.volume_m3, 12.5);
  EXPECT_TRUE(std::isnan(back.energy_wh));
  EXPECT_EQ(back.error_flags, 3u);

  // A water reading carries only its own quantities.
  Reading heatOnly;
  heatOnly[Quantity::kEnergy] = 5;
  heatOnly[Quantity::kTemperature] = 60;
  KeldarAdminWaterHot hot{};
  records::FromReading(heatOnly, hot);
  EXPECT_EQ(hot.temperature_c, 60);
  EXPECT_TRUE(std::isnan(hot.volume_m3));
  EXPECT_FALSE(records::ToReading(hot)[Quantity::kEnergy].has_value());
}

TEST(RecordIdentity, ComesFromTheIdentifiedDevicesRecord) {
  KeldarDeviceRecord identified{};
  identified.device_type = 4;
  std::memcpy(identified.manufacturer, "KRV", 4);
  std::memcpy(identified.serial, "00012345", 9);
  std::memset(identified.model, 'M', sizeof identified.model);  // fills the field, no terminator
  std::memcpy(identified.software_version, "1.02", 5);
  KeldarAdminDevice device{};
  keldar_admin_device_from_record(&device, &identified);
  EXPECT_STREQ(device.manufacturer, "KRV");
  EXPECT_STREQ(device.serial, "00012345");
  EXPECT_EQ(std::string_view(device.model), std::string(sizeof device.model - 1, 'M'));
  EXPECT_STREQ(device.software_version, "1.02");
  EXPECT_EQ(device.medium, 4);
}

}  // namespace
