// What a record looks like on the screen: quantity, number, decimals, unit.
#include "core/value_format.h"

#include <gtest/gtest.h>

#include <string>

#include "block.h"
#include "core/quantity.h"

namespace devicescreen::test {
namespace {

const NumberStyle kRussian{};
const NumberStyle kEnglish{'.', true};

struct Shown {
  std::string value;
  std::string unit;  // the unit's key, or the library's own text
};

Shown Show(const Block& block, const NumberStyle& style = kRussian) {
  const MeterRecord record = block.Record();
  const DisplayValue value = FormatValue(record, Classify(record), style);
  Shown shown;
  shown.value = value.word != nullptr ? value.word->key : value.text;
  shown.unit = value.unit != nullptr ? value.unit->key : value.unitText;
  return shown;
}

std::string Key(const Phrase& phrase) { return phrase.key; }

TEST(ValueFormat, EnergyIsShownInKilowattHoursWithTheMetersOwnResolution) {
  // VIF 06 counts whole kWh, VIF 04 tens of Wh, VIF 03 single Wh.
  auto shown = Show(Block(0x04, 0x06).Number(12873000, "Wh"));
  EXPECT_EQ(shown.value, "12873");
  EXPECT_EQ(shown.unit, Key(phrase::kUnitKwh));
  EXPECT_EQ(Show(Block(0x04, 0x04).Number(123450, "Wh")).value, "123,45");
  EXPECT_EQ(Show(Block(0x04, 0x04).Number(123450, "Wh"), kEnglish).value, "123.45");
  EXPECT_EQ(Show(Block(0x04, 0x03).Number(1234567, "Wh")).value, "1234,567");
}

TEST(ValueFormat, LargeOrCoarseEnergyMovesToMegawattHoursAndJoulesToGigajoules) {
  auto large = Show(Block(0x04, 0x06).Number(2.5e9, "Wh"));
  EXPECT_EQ(large.value, "2500,000");
  EXPECT_EQ(large.unit, Key(phrase::kUnitMwh));
  // FB 01: whole MWh.
  auto coarse = Show(Block(0x04, 0xFB).Vife(0x01).Number(42e6, "Wh"));
  EXPECT_EQ(coarse.value, "42");
  EXPECT_EQ(coarse.unit, Key(phrase::kUnitMwh));
  // VIF 0E counts MJ: three decimals of a GJ.
  auto joules = Show(Block(0x04, 0x0E).Number(1234e6, "J"));
  EXPECT_EQ(joules.value, "1,234");
  EXPECT_EQ(joules.unit, Key(phrase::kUnitGj));
}

TEST(ValueFormat, VolumesFlowsPowerAndTemperaturesUseTheirEverydayUnits) {
  auto volume = Show(Block(0x0C, 0x13).Number(873.412, "m^3"));
  EXPECT_EQ(volume.value, "873,412");
  EXPECT_EQ(volume.unit, Key(phrase::kUnitM3));
  auto power = Show(Block(0x04, 0x2B).Number(14250, "W"));
  EXPECT_EQ(power.value, "14,250");
  EXPECT_EQ(power.unit, Key(phrase::kUnitKw));
  auto flow = Show(Block(0x04, 0x3B).Number(0.612, "m^3/h"));
  EXPECT_EQ(flow.value, "0,612");
  EXPECT_EQ(flow.unit, Key(phrase::kUnitM3PerHour));
  // A flow per minute is shown per hour, still as fine as the meter counts.
  auto perMinute = Show(Block(0x04, 0x43).Number(0.05, "m^3/min"));
  EXPECT_EQ(perMinute.value, "3,000");
  EXPECT_EQ(perMinute.unit, Key(phrase::kUnitM3PerHour));
  auto supply = Show(Block(0x02, 0x59).Number(70.12, "°C"));
  EXPECT_EQ(supply.value, "70,12");
  EXPECT_EQ(supply.unit, Key(phrase::kUnitCelsius));
  auto difference = Show(Block(0x02, 0x61).Number(20.24, "K"));
  EXPECT_EQ(difference.value, "20,24");
  EXPECT_EQ(difference.unit, Key(phrase::kUnitKelvin));
}

TEST(ValueFormat, StepsFollowCorrectionFactorsAndRealNumbersGetThreeDecimals) {
  // VIFE 75 multiplies by 10^-1: kWh counted in tenths.
  EXPECT_EQ(Show(Block(0x04, 0x86).Vife(0x75).Number(1234500, "Wh")).value, "1234,5");
  // A real number carries no step of its own.
  EXPECT_EQ(Show(Block(0x05, 0x06).Number(1234567.8, "Wh")).value, "1234,568");
  EXPECT_EQ(Show(Block(0x05, 0x59).Number(65.5, "°C")).value, "65,500");
}

TEST(ValueFormat, DurationsAreCountedInTheMetersOwnUnit) {
  auto hours = Show(Block(0x04, 0x22).Number(27612.0 * 3600, "s"));
  EXPECT_EQ(hours.value, "27612");
  EXPECT_EQ(hours.unit, Key(phrase::kUnitHour));
  auto days = Show(Block(0x02, 0x27).Number(400.0 * 86400, "s"));
  EXPECT_EQ(days.value, "400");
  EXPECT_EQ(days.unit, Key(phrase::kUnitDay));
  auto battery = Show(Block(0x02, 0xFD).Vife(0x6E).Number(30 * 2629746.0, "s"));
  EXPECT_EQ(battery.value, "30");
  EXPECT_EQ(battery.unit, Key(phrase::kUnitMonth));
}

TEST(ValueFormat, DatesAreShownAsDatesInTheLanguagesOrder) {
  EXPECT_EQ(Show(Block(0x04, 0x6D).Date("2024-05-14T10:20")).value, "14.05.2024 10:20");
  EXPECT_EQ(Show(Block(0x04, 0x6D).Date("2024-05-14T10:20"), kEnglish).value, "2024-05-14 10:20");
  EXPECT_EQ(Show(Block(0x42, 0x6C).Date("2024-04-30")).value, "30.04.2024");
  EXPECT_EQ(Show(Block(0x04, 0x6D).InvalidDate()).value, Key(phrase::kInvalidDate));
  EXPECT_EQ(Show(Block(0x06, 0x6D).Date("2024-02-29T23:59:59")).value, "29.02.2024 23:59:59");
  EXPECT_EQ(Show(Block(0x03, 0x6D).Date("23:59:59")).value, "23:59:59");
}

TEST(ValueFormat, ADateTextTheCalendarLacksIsShownAsInvalid) {
  // As a library of an earlier version passes a date the meter never set.
  for (const char* text : {"2000-00-00", "2024-13-01", "2023-02-29", "2024-04-31T10:00",
                           "2024-03-15T24:00", "2024-03-15T08:60:00", "24:00:00", ""}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Show(Block(0x04, 0x6D).Date(text)).value, Key(phrase::kInvalidDate));
  }
}

TEST(ValueFormat, IdentifiersKeepTheirDigitsAndFlagsShowTheirBits) {
  EXPECT_EQ(Show(Block(0x0C, 0x78).Number(41000001, "")).value, "41000001");
  EXPECT_EQ(Show(Block(0x0C, 0x78).Number(123, "")).value, "00000123");
  EXPECT_EQ(Show(Block(0x04, 0x78).Number(123, "")).value, "123");  // binary: no padding
  EXPECT_EQ(Show(Block(0x01, 0xFD).Vife(0x17).Number(0, "").Raw(0)).value, Key(phrase::kNoErrors));
  EXPECT_EQ(Show(Block(0x02, 0xFD).Vife(0x17).Number(260, "").Raw(0x0104)).value, "0x0104");
  EXPECT_EQ(Show(Block(0x0D, 0xFD).Vife(0x0C).Text("TV-7 heat")).value, "TV-7 heat");
  EXPECT_EQ(Show(Block(0x0F, 0x00).Bytes({0x01, 0xAB, 0x10})).value, "01 AB 10");
}

TEST(ValueFormat, PulseWeightsAreLitresPerPulseOfTheirInput) {
  const Block first = Block(0x04, 0x93).Vife(0x28).Number(0.01, "m^3");
  const Block second = Block(0x04, 0x93).Vife(0x29).Number(0.1, "m^3");
  EXPECT_EQ(Classify(first.Record()).quantity, Quantity::PulseWeight);
  EXPECT_EQ(Classify(first.Record()).channel, 0);
  EXPECT_EQ(Classify(second.Record()).channel, 1);
  auto shown = Show(first);
  EXPECT_EQ(shown.value, "10");
  EXPECT_EQ(shown.unit, Key(phrase::kUnitLitrePerPulse));
}

TEST(ValueFormat, RecordsOfOtherMeaningKeepTheLibrarysValueAndUnit) {
  // VIFE 3A (uncorrected) changes what the volume means.
  const Block uncorrected =
      Block(0x04, 0x93).Vife(0x3A).Number(12.5, "m^3").Quantity("Volume (uncorrected)");
  EXPECT_EQ(Classify(uncorrected.Record()).quantity, Quantity::Other);
  auto shown = Show(uncorrected);
  EXPECT_EQ(shown.value, "12,5");
  EXPECT_EQ(shown.unit, Key(phrase::kUnitM3));
  // A unit the screen has no word for is shown readably as the library names it.
  auto perMinute = Show(Block(0x04, 0xFB).Vife(0x24).Number(0.25, "m^3/min"));
  EXPECT_EQ(perMinute.unit, "m³/min");
  // An energy the library gives in no known unit is still shown.
  auto unitless = Show(Block(0x04, 0x06).Number(5, ""));
  EXPECT_EQ(unitless.value, "5");
  EXPECT_EQ(unitless.unit, "");
}

TEST(ValueFormat, NumbersRoundWithoutNegativeZero) {
  EXPECT_EQ(FormatNumber(-0.0004, 3, kRussian), "0,000");
  EXPECT_EQ(FormatNumber(-1.5, 1, kEnglish), "-1.5");
  EXPECT_EQ(FormatNumber(2.0, 9, kEnglish), "2.000000");  // at most six decimals
  EXPECT_EQ(DecimalsForStep(-3, 1.0), 3);
  EXPECT_EQ(DecimalsForStep(3, 1e3), 0);
  EXPECT_EQ(DecimalsForStep(2, 1.0), 0);
}

TEST(ValueFormat, ManufacturerBlocksAreShownAsBytes) {
  std::vector<std::uint8_t> bytes(30, 0x5A);
  const Block block = Block(0x0F, 0x00).Bytes(bytes);
  EXPECT_EQ(Classify(block.Record()).quantity, Quantity::ManufacturerData);
  const std::string shown = Show(block).value;
  EXPECT_EQ(shown.substr(0, 8), "5A 5A 5A");
  EXPECT_NE(shown.find("…"), std::string::npos);  // long blocks are cut
}

}  // namespace
}  // namespace devicescreen::test
