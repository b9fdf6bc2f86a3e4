#include "core/value_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "core/time_point_text.h"

namespace devicescreen {

namespace {

constexpr int kMaxDecimals = 6;
constexpr int kRealDecimals = 3;  // a value sent as a real number carries no step
constexpr std::size_t kMaxShownBytes = 24;

DisplayValue Plain(std::string text) {
  DisplayValue shown;
  shown.text = std::move(text);
  return shown;
}

DisplayValue Word(const Phrase& word) {
  DisplayValue shown;
  shown.word = &word;
  return shown;
}

struct Scale {
  double divisor;  // base units per displayed unit
  const Phrase* unit;
};

std::string Hex(std::uint64_t value, std::size_t bytes) {
  char text[24];
  const int digits = static_cast<int>(std::clamp<std::size_t>(bytes, 1, 8) * 2);
  std::snprintf(text, sizeof text, "0x%0*llX", digits, static_cast<unsigned long long>(value));
  return text;
}

std::string HexBytes(const std::vector<std::uint8_t>& data) {
  std::string text;
  const std::size_t shown = std::min(data.size(), kMaxShownBytes);
  for (std::size_t i = 0; i < shown; ++i) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%02X", data[i]);
    if (!text.empty()) text.push_back(' ');
    text += pair;
  }
  if (data.size() > shown) text += " …";
  return text;
}

// Integers as the meter counts them; BCD keeps its leading zeros.
std::string Digits(const MeterRecord& record) {
  char text[32];
  const double rounded = std::round(record.decoded);
  if (record.IsBcd() && rounded >= 0) {
    const int width = static_cast<int>(std::min<std::size_t>(record.data.size() * 2, 20));
    std::snprintf(text, sizeof text, "%0*.0f", width, rounded);
  } else {
    std::snprintf(text, sizeof text, "%.0f", rounded);
  }
  return text;
}

// Up to three decimals, trailing zeros dropped: for values whose step is unknown.
std::string Trimmed(double value, const NumberStyle& style) {
  std::string text = FormatNumber(value, kRealDecimals, style);
  const auto separator = text.find(style.decimalSeparator);
  if (separator == std::string::npos) return text;
  while (text.back() == '0') text.pop_back();
  if (text.back() == style.decimalSeparator) text.pop_back();
  return text;
}

const Phrase* BaseUnitPhrase(const std::string& unit) {
  struct Row {
    const char* unit;
    const Phrase* phrase;
  };
  static constexpr Row kRows[] = {
      {"Wh", &phrase::kUnitWh},
      {"J", &phrase::kUnitJ},
      {"m^3", &phrase::kUnitM3},
      {"kg", &phrase::kUnitKg},
      {"W", &phrase::kUnitW},
      {"J/h", &phrase::kUnitJPerHour},
      {"m^3/h", &phrase::kUnitM3PerHour},
      {"kg/h", &phrase::kUnitKgPerHour},
      {"°C", &phrase::kUnitCelsius},
      {"K", &phrase::kUnitKelvin},
      {"bar", &phrase::kUnitBar},
      {"s", &phrase::kUnitSecond},
      {"V", &phrase::kUnitVolt},
      {"A", &phrase::kUnitAmpere},
  };
  for (const auto& row : kRows) {
    if (unit == row.unit) return row.phrase;
  }
  return nullptr;
}

// The library writes cubic metres as "m^3".
std::string ReadableUnit(std::string unit) {
  const auto at = unit.find("^3");
  if (at != std::string::npos) unit.replace(at, 2, "³");
  return unit;
}

DisplayValue Generic(const MeterRecord& record, const NumberStyle& style) {
  DisplayValue shown;
  shown.text = Trimmed(record.decoded, style);
  shown.unit = BaseUnitPhrase(record.unit);
  if (shown.unit == nullptr) shown.unitText = ReadableUnit(record.unit);
  return shown;
}

DisplayValue Scaled(const MeterRecord& record, const QuantityInfo& info, const Scale& scale,
                    const NumberStyle& style) {
  DisplayValue shown;
  shown.unit = scale.unit;
  const int decimals =
      record.IsReal() ? kRealDecimals : DecimalsForStep(info.exponent, scale.divisor);
  shown.text = FormatNumber(record.decoded / scale.divisor, decimals, style);
  return shown;
}

double SecondsPer(TimeUnit unit) {
  // Months and years as the library counts them: their mean Gregorian length.
  switch (unit) {
    case TimeUnit::Second:
      return 1.0;
    case TimeUnit::Minute:
      return 60.0;
    case TimeUnit::Hour:
      return 3600.0;
    case TimeUnit::Day:
      return 86400.0;
    case TimeUnit::Month:
      return 2629746.0;
    case TimeUnit::Year:
      return 31556952.0;
  }
  return 1.0;
}

const Phrase* TimeUnitPhrase(TimeUnit unit) {
  switch (unit) {
    case TimeUnit::Second:
      return &phrase::kUnitSecond;
    case TimeUnit::Minute:
      return &phrase::kUnitMinute;
    case TimeUnit::Hour:
      return &phrase::kUnitHour;
    case TimeUnit::Day:
      return &phrase::kUnitDay;
    case TimeUnit::Month:
      return &phrase::kUnitMonth;
    case TimeUnit::Year:
      return &phrase::kUnitYear;
  }
  return nullptr;
}

// The unit a quantity is shown in, or nothing when the record's base unit is
// not the one expected (the value is then shown as the library gives it).
std::optional<Scale> DisplayScale(const MeterRecord& record, const QuantityInfo& info) {
  const std::string& unit = record.unit;
  const double magnitude = std::fabs(record.decoded);
  switch (info.quantity) {
    case Quantity::Energy:
      if (unit == "Wh") {
        if (info.exponent >= 6 || magnitude >= 1e9) return Scale{1e6, &phrase::kUnitMwh};
        return Scale{1e3, &phrase::kUnitKwh};
      }
      if (unit == "J") return Scale{1e9, &phrase::kUnitGj};
      break;
    case Quantity::Volume:
      if (unit == "m^3") return Scale{1.0, &phrase::kUnitM3};
      break;
    case Quantity::Mass:
      if (unit == "kg") {
        if (info.exponent >= 3) return Scale{1e3, &phrase::kUnitTonne};
        return Scale{1.0, &phrase::kUnitKg};
      }
      break;
    case Quantity::Power:
      if (unit == "W") {
        if (info.exponent >= 6) return Scale{1e6, &phrase::kUnitMw};
        return Scale{1e3, &phrase::kUnitKw};
      }
      if (unit == "J/h") return Scale{1e9, &phrase::kUnitGjPerHour};
      break;
    case Quantity::VolumeFlow:
      if (unit == "m^3/h") return Scale{1.0, &phrase::kUnitM3PerHour};
      if (unit == "m^3/min") return Scale{1.0 / 60.0, &phrase::kUnitM3PerHour};
      if (unit == "m^3/s") return Scale{1.0 / 3600.0, &phrase::kUnitM3PerHour};
      break;
    case Quantity::MassFlow:
      if (unit == "kg/h") return Scale{1.0, &phrase::kUnitKgPerHour};
      break;
    case Quantity::FlowTemperature:
    case Quantity::ReturnTemperature:
    case Quantity::ExternalTemperature:
      if (unit == "°C") return Scale{1.0, &phrase::kUnitCelsius};
      break;
    case Quantity::TemperatureDifference:
      if (unit == "K") return Scale{1.0, &phrase::kUnitKelvin};
      break;
    case Quantity::Pressure:
      if (unit == "bar") return Scale{1.0, &phrase::kUnitBar};
      break;
    case Quantity::Voltage:
      if (unit == "V") return Scale{1.0, &phrase::kUnitVolt};
      break;
    case Quantity::Current:
      if (unit == "A") return Scale{1.0, &phrase::kUnitAmpere};
      break;
    case Quantity::PulseWeight:
      if (unit == "m^3") return Scale{1e-3, &phrase::kUnitLitrePerPulse};
      break;
    default:
      break;
  }
  return std::nullopt;
}

bool IsDuration(Quantity quantity) {
  return quantity == Quantity::OnTime || quantity == Quantity::OperatingTime ||
         quantity == Quantity::AveragingDuration || quantity == Quantity::ActualityDuration ||
         quantity == Quantity::BatteryOperatingTime;
}

DisplayValue Number(const MeterRecord& record, const QuantityInfo& info, const NumberStyle& style) {
  if (const auto scale = DisplayScale(record, info)) return Scaled(record, info, *scale, style);
  if (IsDuration(info.quantity) && record.unit == "s") {
    DisplayValue shown;
    shown.unit = TimeUnitPhrase(info.timeUnit);
    shown.text = record.IsReal()
                     ? Trimmed(record.decoded / SecondsPer(info.timeUnit), style)
                     : FormatNumber(record.decoded / SecondsPer(info.timeUnit), 0, style);
    return shown;
  }
  switch (info.quantity) {
    case Quantity::FabricationNumber:
    case Quantity::Identification:
      return Plain(Digits(record));
    case Quantity::ErrorFlags:
      if (record.raw == 0) return Word(phrase::kNoErrors);
      return Plain(Hex(record.raw, record.data.size()));
    case Quantity::DigitalInput:
    case Quantity::DigitalOutput:
      return Plain(Hex(record.raw, record.data.size()));
    default:
      return Generic(record, style);
  }
}

}  // namespace

std::string FormatNumber(double value, int decimals, const NumberStyle& style) {
  decimals = std::clamp(decimals, 0, kMaxDecimals);
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string result = text;
  // A small negative value rounds to "-0.000"; it is shown as zero.
  if (result.front() == '-' && result.find_first_not_of("-0.") == std::string::npos)
    result.erase(0, 1);
  if (const auto dot = result.find('.'); dot != std::string::npos)
    result[dot] = style.decimalSeparator;
  return result;
}

int DecimalsForStep(int exponent, double divisor) {
  const double step = std::pow(10.0, exponent) / divisor;
  // A tolerance keeps exact powers of ten (0.001 → 3) from rounding up.
  const int decimals = static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  return std::clamp(decimals, 0, kMaxDecimals);
}

std::string FormatIsoDate(const std::string& iso, const NumberStyle& style) {
  // YYYY-MM-DD, optionally followed by THH:MM or THH:MM:SS
  const bool dated = iso.size() >= 10 && iso[4] == '-' && iso[7] == '-';
  if (!dated) return iso;
  const std::string time = iso.size() > 11 && iso[10] == 'T' ? iso.substr(11) : std::string();
  std::string date;
  if (style.isoDates)
    date = iso.substr(0, 10);
  else
    date = iso.substr(8, 2) + "." + iso.substr(5, 2) + "." + iso.substr(0, 4);
  return time.empty() ? date : date + " " + time;
}

DisplayValue FormatValue(const MeterRecord& record, const QuantityInfo& info,
                         const NumberStyle& style) {
  if (info.quantity == Quantity::ManufacturerData) return Plain(HexBytes(record.data));
  switch (record.valueKind) {
    case KELDAR_BUS_VALUE_NUMBER:
      return Number(record, info, style);
    case KELDAR_BUS_VALUE_DATE:
      // A library of an earlier version still passes "2000-00-00" as a date.
      if (!IsTimePointText(record.text)) return Word(phrase::kInvalidDate);
      return Plain(FormatIsoDate(record.text, style));
    case KELDAR_BUS_VALUE_INVALID_DATE:
      return Word(phrase::kInvalidDate);
    case KELDAR_BUS_VALUE_TEXT:
      return Plain(record.text);
    case KELDAR_BUS_VALUE_BYTES:
      return Plain(HexBytes(record.data));
    default:
      return Plain("—");
  }
}

}  // namespace devicescreen
