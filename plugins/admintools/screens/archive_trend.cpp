#include "screens/archive_trend.h"

#include <algorithm>
#include <cmath>

namespace admintools {
namespace {

// Energy is stored in Wh and shown in kWh; volume and temperatures as stored.
double Shown(Quantity quantity, double value) {
  return quantity == Quantity::kEnergy ? value * 0.001 : value;
}

std::optional<double> ShownValue(const Reading& reading, Quantity quantity) {
  const auto& value = reading[quantity];
  if (!value || std::isnan(*value)) return std::nullopt;
  return Shown(quantity, *value);
}

}  // namespace

std::optional<double> CounterValue(DeviceKind kind, const Reading& reading) {
  return ShownValue(reading, CounterOf(kind));
}

Trend MakeTrend(DeviceKind kind, std::span<const Reading> readings) {
  std::vector<const Reading*> ordered;
  ordered.reserve(readings.size());
  for (const Reading& reading : readings) ordered.push_back(&reading);
  std::stable_sort(ordered.begin(), ordered.end(), [](const Reading* a, const Reading* b) {
    return a->readTime != b->readTime ? a->readTime < b->readTime : a->id < b->id;
  });

  Trend trend;
  trend.counter = CounterOf(kind);
  std::optional<TrendPoint> previous;
  for (const Reading* reading : ordered) {
    if (kind == DeviceKind::kHeat) {
      if (auto t = ShownValue(*reading, Quantity::kSupplyTemperature))
        trend.supply.push_back({reading->readTime, *t});
      if (auto t = ShownValue(*reading, Quantity::kReturnTemperature))
        trend.back.push_back({reading->readTime, *t});
    }
    const auto value = CounterValue(kind, *reading);
    if (!value) continue;
    const TrendPoint point{reading->readTime, *value};
    trend.counterPoints.push_back(point);
    if (previous) {
      // A counter that went backwards used nothing that can be told: no bar.
      if (point.value < previous->value)
        trend.backwards.push_back(point);
      else
        trend.consumption.push_back({previous->time, point.time, point.value - previous->value});
    }
    previous = point;
  }
  return trend;
}

}  // namespace admintools
