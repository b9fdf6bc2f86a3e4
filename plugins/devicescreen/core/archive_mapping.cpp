#include "core/archive_mapping.h"

#include <cmath>
#include <optional>

namespace devicescreen {

namespace {

constexpr double kSecondsPerHour = 3600.0;

// Base units per archive unit, for the units the library can give a quantity.
std::optional<double> ArchiveFactor(Quantity quantity, const std::string& unit) {
  switch (quantity) {
    case Quantity::Energy:
      if (unit == "Wh") return 1.0;
      if (unit == "J") return 1.0 / kSecondsPerHour;
      break;
    case Quantity::Volume:
      if (unit == "m^3") return 1.0;
      break;
    case Quantity::Power:
      if (unit == "W") return 1.0;
      if (unit == "J/h") return 1.0 / kSecondsPerHour;
      break;
    case Quantity::VolumeFlow:
      if (unit == "m^3/h") return 1.0;
      if (unit == "m^3/min") return 60.0;
      if (unit == "m^3/s") return kSecondsPerHour;
      break;
    case Quantity::FlowTemperature:
    case Quantity::ReturnTemperature:
    case Quantity::ExternalTemperature:
      if (unit == "°C") return 1.0;
      break;
    case Quantity::TemperatureDifference:
      if (unit == "K") return 1.0;
      break;
    case Quantity::OperatingTime:
    case Quantity::OnTime:
      if (unit == "s") return 1.0 / kSecondsPerHour;
      break;
    default:
      break;
  }
  return std::nullopt;
}

// The record that stands for the meter's present state: storage 0, the
// instantaneous value, the lowest sub-unit and then the lowest tariff. A
// number counts only in a unit the archive can take.
const MeterRecord* Current(const std::vector<MeterRecord>& records, Quantity quantity,
                           std::uint8_t valueKind) {
  const MeterRecord* best = nullptr;
  for (const auto& record : records) {
    if (record.storage != 0 || record.function != KELDAR_BUS_FUNCTION_INSTANTANEOUS) continue;
    if (record.valueKind != valueKind || Classify(record).quantity != quantity) continue;
    if (valueKind == KELDAR_BUS_VALUE_NUMBER && quantity != Quantity::ErrorFlags &&
        !ArchiveFactor(quantity, record.unit))
      continue;
    if (best == nullptr || record.subunit < best->subunit ||
        (record.subunit == best->subunit && record.tariff < best->tariff))
      best = &record;
  }
  return best;
}

// The first quantity of `choices` the meter reported.
double FirstReported(const std::vector<MeterRecord>& records,
                     std::initializer_list<Quantity> choices) {
  for (const Quantity quantity : choices) {
    const double value = CurrentValue(records, quantity);
    if (!std::isnan(value)) return value;
  }
  return KELDAR_ADMIN_NOT_REPORTED;
}

}  // namespace

double CurrentValue(const std::vector<MeterRecord>& records, Quantity quantity) {
  const MeterRecord* record = Current(records, quantity, KELDAR_BUS_VALUE_NUMBER);
  if (record == nullptr) return KELDAR_ADMIN_NOT_REPORTED;
  return record->decoded * *ArchiveFactor(quantity, record->unit);
}

std::string MeterTime(const std::vector<MeterRecord>& records) {
  const MeterRecord* record = Current(records, Quantity::DateTime, KELDAR_BUS_VALUE_DATE);
  if (record == nullptr) record = Current(records, Quantity::Date, KELDAR_BUS_VALUE_DATE);
  if (record == nullptr) return {};
  std::string time = record->text;
  if (time.size() == 16) time += ":00";  // type F carries no seconds
  return time;
}

std::uint32_t ErrorFlags(const std::vector<MeterRecord>& records) {
  const MeterRecord* record = Current(records, Quantity::ErrorFlags, KELDAR_BUS_VALUE_NUMBER);
  return record != nullptr ? static_cast<std::uint32_t>(record->raw) : 0;
}

void FillHeat(const MeterReading& reading, KeldarAdminHeat& heat) {
  const auto& records = reading.records;
  heat.energy_wh = CurrentValue(records, Quantity::Energy);
  heat.volume_m3 = CurrentValue(records, Quantity::Volume);
  heat.power_w = CurrentValue(records, Quantity::Power);
  heat.flow_m3h = CurrentValue(records, Quantity::VolumeFlow);
  heat.supply_c = CurrentValue(records, Quantity::FlowTemperature);
  heat.return_c = CurrentValue(records, Quantity::ReturnTemperature);
  heat.difference_k = CurrentValue(records, Quantity::TemperatureDifference);
  heat.operating_hours = FirstReported(records, {Quantity::OperatingTime, Quantity::OnTime});
  heat.error_flags = ErrorFlags(records);
  KELDAR_ADMIN_SET_TEXT(heat.meter_time, MeterTime(records).c_str());
}

void FillWaterCold(const MeterReading& reading, KeldarAdminWaterCold& water) {
  const auto& records = reading.records;
  water.volume_m3 = CurrentValue(records, Quantity::Volume);
  water.flow_m3h = CurrentValue(records, Quantity::VolumeFlow);
  water.error_flags = ErrorFlags(records);
  KELDAR_ADMIN_SET_TEXT(water.meter_time, MeterTime(records).c_str());
}

void FillWaterHot(const MeterReading& reading, KeldarAdminWaterHot& water) {
  const auto& records = reading.records;
  water.volume_m3 = CurrentValue(records, Quantity::Volume);
  water.flow_m3h = CurrentValue(records, Quantity::VolumeFlow);
  water.temperature_c =
      FirstReported(records, {Quantity::FlowTemperature, Quantity::ExternalTemperature});
  water.error_flags = ErrorFlags(records);
  KELDAR_ADMIN_SET_TEXT(water.meter_time, MeterTime(records).c_str());
}

}  // namespace devicescreen
