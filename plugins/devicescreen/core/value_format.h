// How a record's value is shown: the number in a unit a technician reads
// naturally, with as many decimals as the meter really counts.
#pragma once

#include <string>

#include "core/meter_record.h"
#include "core/phrase.h"
#include "core/quantity.h"

namespace devicescreen {

struct NumberStyle {
  char decimalSeparator = ',';
  bool isoDates = false;  // "2024-03-01 12:30" rather than "01.03.2024 12:30"
};

struct DisplayValue {
  std::string text;              // the value; empty when `word` says it
  const Phrase* word = nullptr;  // a value shown as a word ("no errors", "invalid")
  const Phrase* unit = nullptr;  // the unit; null when `unitText` (or nothing) is shown
  std::string unitText;          // a unit with no phrase of its own, as the library names it
};

DisplayValue FormatValue(const MeterRecord& record, const QuantityInfo& info,
                         const NumberStyle& style);

// `value` with `decimals` decimals and the style's separator; never "-0".
std::string FormatNumber(double value, int decimals, const NumberStyle& style);

// Decimals that show one step of 10^exponent base units in a unit `divisor`
// times larger; between 0 and 6.
int DecimalsForStep(int exponent, double divisor);

// "2024-03-01T12:30" as the style shows dates; anything else unchanged.
std::string FormatIsoDate(const std::string& iso, const NumberStyle& style);

}  // namespace devicescreen
