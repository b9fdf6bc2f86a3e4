// What a value information block says about a record's value: its quantity,
// the unit it is shown in, and the factor (and offset) from the data to it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace keldar::bus {

struct ValueMeaning {
  std::string quantity;
  std::string unit;  // one of the base units, or "" for dimensionless
  double scale = 1.0;
  double offset = 0.0;      // added after scaling (Fahrenheit tables)
  bool time_point = false;  // the data is a date or time (types G, J, F, I)
  bool bit_field = false;   // flags and digital lines: read unsigned
};

// `vif` and `vifes` as sent; `plain_text` is the unit text of VIF 7C/FC.
ValueMeaning DescribeValue(std::uint8_t vif, std::span<const std::uint8_t> vifes,
                           std::string_view plain_text);

// The tables behind DescribeValue, each for a code without extension bit.
ValueMeaning DescribePrimaryVif(std::uint8_t code);
ValueMeaning DescribeFdExtension(std::uint8_t code);
ValueMeaning DescribeFbExtension(std::uint8_t code);
// Applies one combinable (orthogonal) VIFE.
void ApplyCombinableVife(ValueMeaning& meaning, std::uint8_t code);

// Helpers shared by the tables.
double PowerOfTen(int exponent);
double DurationSeconds(int nn);      // nn: 0 seconds, 1 minutes, 2 hours, 3 days
double LongDurationSeconds(int pp);  // pp: 0 hours, 1 days, 2 months, 3 years

}  // namespace keldar::bus
