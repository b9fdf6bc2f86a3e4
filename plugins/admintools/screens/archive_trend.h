#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "store/archive_model.h"
#include "store/reading_query.h"

// What the archive screen draws of one device's readings over time, in display
// units (kWh, m³, °C).
namespace admintools {

struct TrendPoint {
  int64_t time = 0;  // seconds since 1970 UTC
  double value = 0;
};

// What was used between two consecutive readings.
struct TrendInterval {
  int64_t from = 0;
  int64_t to = 0;
  double amount = 0;
};

struct Trend {
  Quantity counter = Quantity::kEnergy;
  std::vector<TrendPoint> counterPoints;  // oldest first
  std::vector<TrendPoint> backwards;      // the counter points lower than the one before
  std::vector<TrendInterval> consumption;
  std::vector<TrendPoint> supply;  // heat meters only
  std::vector<TrendPoint> back;

  // True when no reading had a value to draw.
  bool Empty() const { return counterPoints.empty() && supply.empty() && back.empty(); }
};

// The counter in its display unit, when the reading has one.
std::optional<double> CounterValue(DeviceKind kind, const Reading& reading);
// The trend of one device's readings, given in any order.
Trend MakeTrend(DeviceKind kind, std::span<const Reading> readings);

}  // namespace admintools
