#include "store/archive_model.h"

namespace admintools {

std::span<const Quantity> QuantitiesOf(DeviceKind kind) {
  static constexpr Quantity kHeat[] = {Quantity::kEnergy,
                                       Quantity::kVolume,
                                       Quantity::kPower,
                                       Quantity::kFlow,
                                       Quantity::kSupplyTemperature,
                                       Quantity::kReturnTemperature,
                                       Quantity::kTemperatureDifference,
                                       Quantity::kOperatingHours};
  static constexpr Quantity kCold[] = {Quantity::kVolume, Quantity::kFlow};
  static constexpr Quantity kHot[] = {Quantity::kVolume, Quantity::kFlow, Quantity::kTemperature};
  switch (kind) {
    case DeviceKind::kHeat:
      return kHeat;
    case DeviceKind::kWaterCold:
      return kCold;
    case DeviceKind::kWaterHot:
      return kHot;
  }
  return {};
}

}  // namespace admintools
