// Which of a reading's records become the archive's fields: the current
// value (storage 0) of each quantity, the meter itself (sub-unit 0) and the
// total (tariff 0) first, converted to the archive's units.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/meter_record.h"
#include "core/quantity.h"
#include "keldar/admin_tools_types.h"

namespace devicescreen {

// The current value of `quantity` in the archive's unit (Wh, m³, W, m³/h,
// °C, K, hours); NaN when the meter did not report it.
double CurrentValue(const std::vector<MeterRecord>& records, Quantity quantity);

// The meter's clock as the archive keeps it ("2024-03-01T12:30:00", or
// "2024-03-01" for a date alone); empty when not reported.
std::string MeterTime(const std::vector<MeterRecord>& records);

// The meter's error bits (0 when it reports none).
std::uint32_t ErrorFlags(const std::vector<MeterRecord>& records);

void FillHeat(const MeterReading& reading, KeldarAdminHeat& heat);
void FillWaterCold(const MeterReading& reading, KeldarAdminWaterCold& water);
void FillWaterHot(const MeterReading& reading, KeldarAdminWaterHot& water);

}  // namespace devicescreen
