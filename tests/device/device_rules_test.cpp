#include <gtest/gtest.h>

#include "device/configuration_messages.h"
#include "device/device_configuration.h"
#include "device/device_dispatch.h"
#include "device/device_kind.h"

namespace {

TEST(ConfigurationRules, SecondaryAddressTextsAreReadAsHexDigitsWithBlanksAsZero) {
  EXPECT_EQ(HexTextToUInt64("12345678"), 0x12345678u);
  EXPECT_EQ(HexTextToUInt64("1234    "), 0x12340000u);
  EXPECT_EQ(HexTextToUInt64("abCD"), 0xABCDu);
  EXPECT_EQ(HexTextToUInt64(""), 0u);
  EXPECT_EQ(HexTextToUInt64("G"), 0x7u) << "any other byte gives its low four bits";
  EXPECT_EQ(HexTextToUInt64("11223344556677889"), 0x1223344556677889u) << "64 bits kept";
  EXPECT_EQ(HexTextToUInt64(nullptr), 0u);
}

TEST(ConfigurationRules, DecimalEditsReadTheirLeadingDigits) {
  EXPECT_EQ(LeadingDecimal("00012345"), 12345);
  EXPECT_EQ(LeadingDecimal(""), 0);
  EXPECT_EQ(LeadingDecimal("  42x7"), 42);
  EXPECT_EQ(LeadingDecimal("12 34"), 12);
  EXPECT_EQ(LeadingDecimal("999999999999999999999999"), 999999999999999999)
      << "stops before it could overflow";
}

TEST(ConfigurationRules, KeyUpCorrectionsClampTheEdits) {
  EXPECT_EQ(CorrectPrimaryText("300"), "252");
  EXPECT_EQ(CorrectPrimaryText("253"), "252");
  EXPECT_EQ(CorrectPrimaryText("252"), "252");
  EXPECT_EQ(CorrectPrimaryText("12 "), "12 ");
  EXPECT_EQ(CorrectPrimaryText("65537"), "65537") << "cut to 16 bits: 65537 reads as 1";
  EXPECT_EQ(CorrectSecondaryText("99999999"), "99999999");
  EXPECT_EQ(CorrectSecondaryText("9999999A"), "99999999");
  EXPECT_EQ(CorrectSecondaryText("1234    "), "1234    ");
}

TEST(ConfigurationRules, AddressOutcomesPickTheirMessage) {
  EXPECT_EQ(EventFor({true, true}), ConfigurationEvent::BothAddressesChanged);
  EXPECT_EQ(EventFor({true, false}), ConfigurationEvent::OnlyPrimaryChanged);
  EXPECT_EQ(EventFor({false, true}), ConfigurationEvent::OnlySecondaryChanged);
  EXPECT_EQ(EventFor({false, false}), ConfigurationEvent::NoAddressChanged);
  EXPECT_STREQ(MessageFor(ConfigurationEvent::OnlyPrimaryChanged).builtInText,
               "Первичный адрес успешно изменен. Вторичный адрес не был изменен.");
  EXPECT_EQ(MessageFor(ConfigurationEvent::OnlyPrimaryChanged).icon, 0x30u);
  EXPECT_EQ(MessageFor(ConfigurationEvent::NoAddressChanged).icon, 0x10u);
  EXPECT_STREQ(MessageFor(ConfigurationEvent::TypeChanged).builtInCaption, "Сообщение");
  EXPECT_STREQ(MessageFor(ConfigurationEvent::Rejected).builtInCaption, "Ошибка");
}

TEST(DeviceDispatch, MediumAndManufacturerChooseTheScreen) {
  const std::array<bool, 5> all{true, true, true, true, true};
  const auto plugin = [](DeviceChoice c) {
    return c.target == DeviceTarget::Plugin ? c.plugin : DevicePlugin(-1);
  };
  EXPECT_EQ(plugin(ChooseDeviceTarget(4, "KRV", all)), DevicePlugin::KrvHeat);
  EXPECT_EQ(plugin(ChooseDeviceTarget(12, "KRV", all)), DevicePlugin::KrvHeat);
  EXPECT_EQ(plugin(ChooseDeviceTarget(4, "PTX", all)), DevicePlugin::MldHeat);
  EXPECT_EQ(plugin(ChooseDeviceTarget(12, "MLD", all)), DevicePlugin::MldHeat);
  EXPECT_EQ(plugin(ChooseDeviceTarget(22, "KRV", all)), DevicePlugin::KrvWaterCold);
  EXPECT_EQ(plugin(ChooseDeviceTarget(22, "MLD", all)), DevicePlugin::MldWaterCold);
  EXPECT_EQ(plugin(ChooseDeviceTarget(23, "KRV", all)), DevicePlugin::KrvWaterHot);

  EXPECT_EQ(ChooseDeviceTarget(22, "PTX", all).target, DeviceTarget::Missing);
  EXPECT_EQ(ChooseDeviceTarget(23, "MLD", all).target, DeviceTarget::Missing);
  EXPECT_EQ(ChooseDeviceTarget(4, "ABC", all).target, DeviceTarget::Missing);
  for (std::uint8_t medium : {0, 2, 6, 7, 255})
    EXPECT_EQ(ChooseDeviceTarget(medium, "KRV", all).target, DeviceTarget::Configuration)
        << int(medium);

  std::array<bool, 5> noKrvHeat = all;
  noKrvHeat[static_cast<std::size_t>(DevicePlugin::KrvHeat)] = false;
  EXPECT_EQ(ChooseDeviceTarget(4, "KRV", noKrvHeat).target, DeviceTarget::Missing)
      << "a KRV meter never falls back to the MLD screen";
  std::array<bool, 5> noMldHeat = all;
  noMldHeat[static_cast<std::size_t>(DevicePlugin::MldHeat)] = false;
  EXPECT_EQ(ChooseDeviceTarget(4, "PTX", noMldHeat).target, DeviceTarget::Missing);
}

TEST(DeviceDispatch, EveryMediumHasAnIconAndAName) {
  EXPECT_STREQ(KindOfDeviceType(0).icon, "./images/unknown_41.png");
  EXPECT_STREQ(KindOfDeviceType(0).builtInText, "Устройство не определено");
  EXPECT_STREQ(KindOfDeviceType(4).icon, KindOfDeviceType(12).icon);
  EXPECT_STREQ(KindOfDeviceType(22).phraseKey, "FRAME_PROGRAM_SELECT_DEVICE_METER_WATER_COLD");
  EXPECT_STREQ(KindOfDeviceType(23).builtInText, "Устройство воды многотарифное (горячей)");
  EXPECT_STREQ(KindOfDeviceType(7).icon, "./images/water_cold_41.png");
}

}  // namespace
