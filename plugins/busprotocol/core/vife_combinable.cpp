// Combinable (orthogonal) VIFEs (EN 13757-3, table 14) and the whole value
// information block.
#include <string>

#include "value_meaning.h"

namespace keldar::bus {

namespace {

const char* const kPerTime[] = {"second", "minute", "hour", "day", "week", "month", "year"};
const char* const kPerUnit[] = {"litre", "m^3", "kg", "K", "kWh", "GJ", "kW", "K*l", "V", "A"};

// A rate over time keeps a base unit where one exists.
std::string RateUnit(const std::string& unit, int per) {
  if (unit == "m^3") {
    if (per == 0) return "m^3/s";
    if (per == 1) return "m^3/min";
    if (per == 2) return "m^3/h";
  }
  if (per == 2) {
    if (unit == "kg") return "kg/h";
    if (unit == "Wh") return "W";
    if (unit == "J") return "J/h";
  }
  return "";
}

const char* Limit(std::uint8_t code) { return (code & 0x08) != 0 ? "upper" : "lower"; }
const char* Which(std::uint8_t code) { return (code & 0x04) != 0 ? "last" : "first"; }
const char* Edge(std::uint8_t code) { return (code & 0x01) != 0 ? "end" : "begin"; }

void MakeDuration(ValueMeaning& m, std::string what, int nn) {
  m.quantity = std::move(what);
  m.unit = "s";
  m.scale = DurationSeconds(nn);
  m.offset = 0;
  m.time_point = false;
}

void MakeTimePoint(ValueMeaning& m, std::string what) {
  m.quantity = std::move(what);
  m.unit = "";
  m.scale = 1;
  m.offset = 0;
  m.time_point = true;
}

}  // namespace

void ApplyCombinableVife(ValueMeaning& m, std::uint8_t code) {
  const std::string of = " of " + m.quantity;
  if (code <= 0x1F) {
    m.quantity += " (record error " + std::to_string(code) + ")";
  } else if (code <= 0x26) {
    m.unit = RateUnit(m.unit, code - 0x20);
    m.quantity += std::string(" per ") + kPerTime[code - 0x20];
  } else if (code == 0x27) {
    m.unit = "";
    m.quantity += " per measurement";
  } else if (code <= 0x29) {
    m.quantity += " per input pulse on channel " + std::to_string(code - 0x28);
  } else if (code <= 0x2B) {
    m.quantity += " per output pulse on channel " + std::to_string(code - 0x2A);
  } else if (code <= 0x35) {
    m.unit = "";
    m.quantity += std::string(" per ") + kPerUnit[code - 0x2C];
  } else if (code <= 0x38) {
    m.unit = "";
    m.quantity += code == 0x36 ? " times s" : code == 0x37 ? " times s/V" : " times s/A";
  } else if (code == 0x39) {
    MakeTimePoint(m, "Start" + of);
  } else if (code == 0x3A) {
    m.quantity += " (uncorrected)";
  } else if (code == 0x3B) {
    m.quantity += " (positive contributions only)";
  } else if (code == 0x3C) {
    m.quantity += " (absolute negative contributions only)";
  } else if (code == 0x40 || code == 0x48) {
    m.quantity = std::string(code == 0x48 ? "Upper" : "Lower") + " limit" + of;
  } else if (code == 0x41 || code == 0x49) {
    m.quantity = std::string("Exceeds of ") + Limit(code) + " limit" + of;
    m.unit = "";
    m.scale = 1;
    m.offset = 0;
  } else if (code >= 0x40 && code <= 0x4F && (code & 0x02) != 0) {
    MakeTimePoint(m, std::string("Time of ") + Edge(code) + " of " + Which(code) + " " +
                         Limit(code) + " limit exceed" + of);
  } else if (code >= 0x50 && code <= 0x5F) {
    MakeDuration(
        m, std::string("Duration of ") + Which(code) + " " + Limit(code) + " limit exceed" + of,
        code & 0x03);
  } else if (code >= 0x60 && code <= 0x67) {
    MakeDuration(m, std::string("Duration of ") + Which(code) + " period" + of, code & 0x03);
  } else if (code >= 0x68 && code <= 0x6F && (code & 0x02) != 0) {
    MakeTimePoint(m, std::string("Time of ") + Edge(code) + " of " + Which(code) + " period" + of);
  } else if (code >= 0x70 && code <= 0x77) {
    m.scale *= PowerOfTen((code & 0x07) - 6);
  } else if (code >= 0x78 && code <= 0x7B) {
    m.scale *= PowerOfTen((code & 0x03) - 3);
    m.quantity += " (additive correction)";
  } else if (code == 0x7D) {
    m.scale *= 1000.0;
  } else if (code == 0x7E) {
    m.quantity += " (future value)";
  } else {
    m.quantity += " (reserved VIFE)";
  }
}

ValueMeaning DescribeValue(std::uint8_t vif, std::span<const std::uint8_t> vifes,
                           std::string_view plain_text) {
  const std::uint8_t code = vif & 0x7F;
  std::size_t combinable_from = 0;
  ValueMeaning meaning;
  if (code == 0x7D || code == 0x7B) {
    if (vifes.empty()) return {"Reserved", ""};
    meaning =
        code == 0x7D ? DescribeFdExtension(vifes[0] & 0x7F) : DescribeFbExtension(vifes[0] & 0x7F);
    combinable_from = 1;
  } else if (code == 0x7C) {
    meaning = {std::string(plain_text), ""};
  } else {
    meaning = DescribePrimaryVif(code);
  }
  // After a manufacturer-specific VIF, or VIFE 7F, the rest is the maker's.
  if (code == 0x7F) return meaning;
  for (std::size_t i = combinable_from; i < vifes.size(); ++i) {
    const std::uint8_t vife = vifes[i] & 0x7F;
    if (vife == 0x7F) break;
    ApplyCombinableVife(meaning, vife);
  }
  return meaning;
}

}  // namespace keldar::bus
