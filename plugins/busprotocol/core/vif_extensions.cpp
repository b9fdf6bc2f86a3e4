// The two VIF extension tables: FD (EN 13757-3, table 12) and FB (table 13).
#include "value_meaning.h"

namespace keldar::bus {

namespace {

ValueMeaning Plain(const char* quantity) { return {quantity, ""}; }
ValueMeaning Flags(const char* quantity) {
  ValueMeaning m{quantity, ""};
  m.bit_field = true;
  return m;
}
ValueMeaning TimePoint(const char* quantity) { return {quantity, "", 1.0, 0.0, true}; }

constexpr double kCubicFoot = 0.028316846592;  // m^3
constexpr double kUsGallon = 0.003785411784;   // m^3
constexpr double kMegacalorie = 4.1868e6;      // J
constexpr double kFahrenheitStep = 5.0 / 9.0;
constexpr double kFahrenheitZero = -32.0 * 5.0 / 9.0;  // °C at 0 °F

ValueMeaning Fahrenheit(const char* quantity, int nn) {
  return {quantity, "°C", PowerOfTen(nn - 3) * kFahrenheitStep, kFahrenheitZero};
}

}  // namespace

ValueMeaning DescribeFdExtension(std::uint8_t code) {
  const int n2 = code & 0x03;
  const int n4 = code & 0x0F;
  if (code <= 0x03) return {"Credit", "", PowerOfTen(n2 - 3)};
  if (code <= 0x07) return {"Debit", "", PowerOfTen(n2 - 3)};
  switch (code) {
    case 0x08:
      return Plain("Access number");
    case 0x09:
      return Plain("Medium");
    case 0x0A:
      return Plain("Manufacturer");
    case 0x0B:
      return Plain("Parameter set identification");
    case 0x0C:
      return Plain("Model / version");
    case 0x0D:
      return Plain("Hardware version");
    case 0x0E:
      return Plain("Firmware version");
    case 0x0F:
      return Plain("Software version");
    case 0x10:
      return Plain("Customer location");
    case 0x11:
      return Plain("Customer");
    case 0x12:
      return Plain("Access code user");
    case 0x13:
      return Plain("Access code operator");
    case 0x14:
      return Plain("Access code system operator");
    case 0x15:
      return Plain("Access code developer");
    case 0x16:
      return Plain("Password");
    case 0x17:
      return Flags("Error flags");
    case 0x18:
      return Flags("Error mask");
    case 0x1A:
      return Flags("Digital output");
    case 0x1B:
      return Flags("Digital input");
    case 0x1C:
      return Plain("Baud rate");
    case 0x1D:
      return Plain("Response delay time (bit times)");
    case 0x1E:
      return Plain("Retry");
    case 0x1F:
      return Plain("Remote control");
    case 0x20:
      return Plain("First storage number for cyclic storage");
    case 0x21:
      return Plain("Last storage number for cyclic storage");
    case 0x22:
      return Plain("Size of storage block");
    case 0x28:
      return {"Storage interval", "s", LongDurationSeconds(2)};
    case 0x29:
      return {"Storage interval", "s", LongDurationSeconds(3)};
    case 0x30:
      return TimePoint("Start of tariff");
    case 0x38:
      return {"Period of tariff", "s", LongDurationSeconds(2)};
    case 0x39:
      return {"Period of tariff", "s", LongDurationSeconds(3)};
    case 0x3A:
      return Plain("Dimensionless");
    case 0x60:
      return Plain("Reset counter");
    case 0x61:
      return Plain("Cumulation counter");
    case 0x62:
      return Plain("Control signal");
    case 0x63:
      return Plain("Day of week");
    case 0x64:
      return Plain("Week number");
    case 0x65:
      return Plain("Time point of day change");
    case 0x66:
      return Plain("State of parameter activation");
    case 0x67:
      return Plain("Special supplier information");
    case 0x70:
      return TimePoint("Date and time of battery change");
    default:
      break;
  }
  if (code >= 0x24 && code <= 0x27) return {"Storage interval", "s", DurationSeconds(n2)};
  if (code >= 0x2C && code <= 0x2F)
    return {"Duration since last readout", "s", DurationSeconds(n2)};
  if (code >= 0x31 && code <= 0x33) return {"Duration of tariff", "s", DurationSeconds(n2)};
  if (code >= 0x34 && code <= 0x37) return {"Period of tariff", "s", DurationSeconds(n2)};
  if (code >= 0x40 && code <= 0x4F) return {"Voltage", "V", PowerOfTen(n4 - 9)};
  if (code >= 0x50 && code <= 0x5F) return {"Current", "A", PowerOfTen(n4 - 12)};
  if (code >= 0x68 && code <= 0x6B) {
    return {"Duration since last cumulation", "s", LongDurationSeconds(n2)};
  }
  if (code >= 0x6C && code <= 0x6F) return {"Operating time battery", "s", LongDurationSeconds(n2)};
  return Plain("Reserved");
}

ValueMeaning DescribeFbExtension(std::uint8_t code) {
  const int n1 = code & 0x01;
  const int n2 = code & 0x03;
  const int n3 = code & 0x07;
  if (code <= 0x01) return {"Energy", "Wh", PowerOfTen(n1 - 1) * 1e6};
  if (code <= 0x03) return {"Reactive energy (kvarh)", "", PowerOfTen(n1)};
  if (code >= 0x08 && code <= 0x09) return {"Energy", "J", PowerOfTen(n1 - 1) * 1e9};
  if (code >= 0x0C && code <= 0x0F) return {"Energy", "J", PowerOfTen(n2 - 1) * kMegacalorie};
  if (code >= 0x10 && code <= 0x11) return {"Volume", "m^3", PowerOfTen(n1 + 2)};
  if (code >= 0x14 && code <= 0x17) return {"Reactive power (kvar)", "", PowerOfTen(n2 - 3)};
  if (code >= 0x18 && code <= 0x19) return {"Mass", "kg", PowerOfTen(n1 + 2) * 1e3};
  if (code >= 0x1A && code <= 0x1B) return {"Relative humidity (%)", "", PowerOfTen(n1 - 1)};
  switch (code) {
    case 0x20:
      return {"Volume", "m^3", kCubicFoot};
    case 0x21:
      return {"Volume", "m^3", kCubicFoot / 10};
    case 0x22:
      return {"Volume", "m^3", kUsGallon};
    case 0x23:
      return {"Volume", "m^3", kUsGallon / 10};
    case 0x24:
      return {"Volume flow", "m^3/min", kUsGallon};
    case 0x25:
      return {"Volume flow", "m^3/min", kUsGallon / 1000};
    case 0x26:
      return {"Volume flow", "m^3/h", kUsGallon};
    default:
      break;
  }
  if (code >= 0x28 && code <= 0x29) return {"Power", "W", PowerOfTen(n1 - 1) * 1e6};
  if (code >= 0x2C && code <= 0x2F) return {"Frequency (Hz)", "", PowerOfTen(n2 - 3)};
  if (code >= 0x30 && code <= 0x31) return {"Power", "J/h", PowerOfTen(n1 - 1) * 1e9};
  if (code >= 0x58 && code <= 0x5B) return Fahrenheit("Flow temperature", n2);
  if (code >= 0x5C && code <= 0x5F) return Fahrenheit("Return temperature", n2);
  if (code >= 0x60 && code <= 0x63) {
    return {"Temperature difference", "K", PowerOfTen(n2 - 3) * kFahrenheitStep};
  }
  if (code >= 0x64 && code <= 0x67) return Fahrenheit("External temperature", n2);
  if (code >= 0x70 && code <= 0x73) return Fahrenheit("Cold / warm temperature limit", n2);
  if (code >= 0x74 && code <= 0x77) {
    return {"Cold / warm temperature limit", "°C", PowerOfTen(n2 - 3)};
  }
  if (code >= 0x78) return {"Cumulative count of maximum power", "W", PowerOfTen(n3 - 3)};
  return Plain("Reserved");
}

}  // namespace keldar::bus
