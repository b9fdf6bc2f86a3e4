// Primary VIF table (EN 13757-3, table 10).
#include "value_meaning.h"

namespace keldar::bus {

double PowerOfTen(int exponent) {
  double value = 1.0;
  for (int i = 0; i < exponent; ++i) value *= 10.0;
  for (int i = 0; i > exponent; --i) value /= 10.0;
  return value;
}

double DurationSeconds(int nn) {
  constexpr double kSeconds[] = {1.0, 60.0, 3600.0, 86400.0};
  return kSeconds[nn & 3];
}

double LongDurationSeconds(int pp) {
  // Months and years as their mean length in the Gregorian calendar.
  constexpr double kSeconds[] = {3600.0, 86400.0, 2629746.0, 31556952.0};
  return kSeconds[pp & 3];
}

ValueMeaning DescribePrimaryVif(std::uint8_t code) {
  const int n3 = code & 0x07;
  const int n2 = code & 0x03;
  if (code <= 0x07) return {"Energy", "Wh", PowerOfTen(n3 - 3)};
  if (code <= 0x0F) return {"Energy", "J", PowerOfTen(n3)};
  if (code <= 0x17) return {"Volume", "m^3", PowerOfTen(n3 - 6)};
  if (code <= 0x1F) return {"Mass", "kg", PowerOfTen(n3 - 3)};
  if (code <= 0x23) return {"On time", "s", DurationSeconds(n2)};
  if (code <= 0x27) return {"Operating time", "s", DurationSeconds(n2)};
  if (code <= 0x2F) return {"Power", "W", PowerOfTen(n3 - 3)};
  if (code <= 0x37) return {"Power", "J/h", PowerOfTen(n3)};
  if (code <= 0x3F) return {"Volume flow", "m^3/h", PowerOfTen(n3 - 6)};
  if (code <= 0x47) return {"Volume flow", "m^3/min", PowerOfTen(n3 - 7)};
  if (code <= 0x4F) return {"Volume flow", "m^3/s", PowerOfTen(n3 - 9)};
  if (code <= 0x57) return {"Mass flow", "kg/h", PowerOfTen(n3 - 3)};
  if (code <= 0x5B) return {"Flow temperature", "°C", PowerOfTen(n2 - 3)};
  if (code <= 0x5F) return {"Return temperature", "°C", PowerOfTen(n2 - 3)};
  if (code <= 0x63) return {"Temperature difference", "K", PowerOfTen(n2 - 3)};
  if (code <= 0x67) return {"External temperature", "°C", PowerOfTen(n2 - 3)};
  if (code <= 0x6B) return {"Pressure", "bar", PowerOfTen(n2 - 3)};
  if (code == 0x6C) return {"Date", "", 1.0, 0.0, true};
  if (code == 0x6D) return {"Date and time", "", 1.0, 0.0, true};
  if (code == 0x6E) return {"Heat cost allocator units", ""};
  if (code == 0x6F) return {"Reserved", ""};
  if (code <= 0x73) return {"Averaging duration", "s", DurationSeconds(n2)};
  if (code <= 0x77) return {"Actuality duration", "s", DurationSeconds(n2)};
  switch (code) {
    case 0x78:
      return {"Fabrication number", ""};
    case 0x79:
      return {"Enhanced identification", ""};
    case 0x7A:
      return {"Bus address", ""};
    case 0x7E:
      return {"Any value", ""};
    case 0x7F:
      return {"Manufacturer specific", ""};
    default:
      return {"Reserved", ""};
  }
}

}  // namespace keldar::bus
