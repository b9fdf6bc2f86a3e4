#include "core/quantity.h"

#include <cstddef>
#include <span>

#include "base/bus/constants.h"

namespace devicescreen {

namespace {

QuantityInfo Info(Quantity quantity, int exponent = 0) { return {quantity, exponent}; }

QuantityInfo Duration(Quantity quantity, int nn) {
  constexpr TimeUnit kUnits[] = {TimeUnit::Second, TimeUnit::Minute, TimeUnit::Hour, TimeUnit::Day};
  QuantityInfo info{quantity};
  info.timeUnit = kUnits[nn & 3];
  return info;
}

QuantityInfo Primary(std::uint8_t code) {
  const int n3 = code & 0x07;
  const int n2 = code & 0x03;
  if (code <= 0x07) return Info(Quantity::Energy, n3 - 3);  // Wh
  if (code <= 0x0F) return Info(Quantity::Energy, n3);      // J
  if (code <= 0x17) return Info(Quantity::Volume, n3 - 6);
  if (code <= 0x1F) return Info(Quantity::Mass, n3 - 3);
  if (code <= 0x23) return Duration(Quantity::OnTime, n2);
  if (code <= 0x27) return Duration(Quantity::OperatingTime, n2);
  if (code <= 0x2F) return Info(Quantity::Power, n3 - 3);  // W
  if (code <= 0x37) return Info(Quantity::Power, n3);      // J/h
  if (code <= 0x3F) return Info(Quantity::VolumeFlow, n3 - 6);
  if (code <= 0x47) return Info(Quantity::VolumeFlow, n3 - 7);  // per minute
  if (code <= 0x4F) return Info(Quantity::VolumeFlow, n3 - 9);  // per second
  if (code <= 0x57) return Info(Quantity::MassFlow, n3 - 3);
  if (code <= 0x5B) return Info(Quantity::FlowTemperature, n2 - 3);
  if (code <= 0x5F) return Info(Quantity::ReturnTemperature, n2 - 3);
  if (code <= 0x63) return Info(Quantity::TemperatureDifference, n2 - 3);
  if (code <= 0x67) return Info(Quantity::ExternalTemperature, n2 - 3);
  if (code <= 0x6B) return Info(Quantity::Pressure, n2 - 3);
  if (code == 0x6C) return Info(Quantity::Date);
  if (code == 0x6D) return Info(Quantity::DateTime);
  if (code == 0x6E) return Info(Quantity::HcaUnits);
  if (code >= 0x70 && code <= 0x73) return Duration(Quantity::AveragingDuration, n2);
  if (code >= 0x74 && code <= 0x77) return Duration(Quantity::ActualityDuration, n2);
  if (code == 0x78) return Info(Quantity::FabricationNumber);
  if (code == 0x79) return Info(Quantity::Identification);
  if (code == 0x7A) return Info(Quantity::BusAddress);
  return Info(Quantity::Other);
}

QuantityInfo FdTable(std::uint8_t code) {
  switch (code) {
    case 0x0C:
      return Info(Quantity::Model);
    case 0x0D:
      return Info(Quantity::HardwareVersion);
    case 0x0E:
      return Info(Quantity::FirmwareVersion);
    case 0x0F:
      return Info(Quantity::SoftwareVersion);
    case 0x17:
      return Info(Quantity::ErrorFlags);
    case 0x1A:
      return Info(Quantity::DigitalOutput);
    case 0x1B:
      return Info(Quantity::DigitalInput);
    default:
      break;
  }
  if (code >= 0x40 && code <= 0x4F) return Info(Quantity::Voltage, (code & 0x0F) - 9);
  if (code >= 0x50 && code <= 0x5F) return Info(Quantity::Current, (code & 0x0F) - 12);
  if (code >= 0x6C && code <= 0x6F) {
    constexpr TimeUnit kUnits[] = {TimeUnit::Hour, TimeUnit::Day, TimeUnit::Month, TimeUnit::Year};
    QuantityInfo info{Quantity::BatteryOperatingTime};
    info.timeUnit = kUnits[code & 3];
    return info;
  }
  return Info(Quantity::Other);
}

QuantityInfo FbTable(std::uint8_t code) {
  const int n1 = code & 0x01;
  const int n2 = code & 0x03;
  if (code <= 0x01) return Info(Quantity::Energy, n1 + 5);                  // 0.1 MWh
  if (code >= 0x08 && code <= 0x09) return Info(Quantity::Energy, n1 + 8);  // 0.1 GJ
  if (code >= 0x0C && code <= 0x0F) return Info(Quantity::Energy, n2 + 5);  // 0.1 Mcal
  if (code >= 0x10 && code <= 0x11) return Info(Quantity::Volume, n1 + 2);  // 100 m³
  if (code >= 0x18 && code <= 0x19) return Info(Quantity::Mass, n1 + 5);    // 100 t
  if (code >= 0x28 && code <= 0x29) return Info(Quantity::Power, n1 + 5);   // 0.1 MW
  if (code >= 0x30 && code <= 0x31) return Info(Quantity::Power, n1 + 8);   // 0.1 GJ/h
  // Fahrenheit temperatures arrive converted to degrees Celsius.
  if (code >= 0x58 && code <= 0x5B) return Info(Quantity::FlowTemperature, n2 - 3);
  if (code >= 0x5C && code <= 0x5F) return Info(Quantity::ReturnTemperature, n2 - 3);
  if (code >= 0x60 && code <= 0x63) return Info(Quantity::TemperatureDifference, n2 - 3);
  if (code >= 0x64 && code <= 0x67) return Info(Quantity::ExternalTemperature, n2 - 3);
  return Info(Quantity::Other);
}

// Applies the combinable extensions that keep the quantity (correction
// factors); any other one changes what the record means.
QuantityInfo Combine(QuantityInfo info, std::span<const std::uint8_t> vifes) {
  for (const std::uint8_t code : vifes) {
    if (code >= 0x70 && code <= 0x77) {
      info.exponent += (code & 0x07) - 6;
    } else if (code == 0x7D) {
      info.exponent += 3;
    } else if ((code == 0x28 || code == 0x29) && info.quantity == Quantity::Volume) {
      info.quantity = Quantity::PulseWeight;
      info.channel = code - 0x28;
    } else {
      return Info(Quantity::Other);
    }
  }
  return info;
}

}  // namespace

QuantityInfo Classify(const MeterRecord& record) {
  if (record.function == KELDAR_BUS_FUNCTION_MANUFACTURER ||
      record.valueKind == KELDAR_BUS_VALUE_BYTES)
    return Info(Quantity::ManufacturerData);
  const std::uint8_t code = record.vif & 0x7F;
  std::span<const std::uint8_t> vifes(record.vifes);
  switch (code) {
    case mbus::kVifExtensionTableFD:
    case mbus::kVifExtensionTableFB:
      if (vifes.empty()) return Info(Quantity::Other);
      return Combine(code == mbus::kVifExtensionTableFD ? FdTable(vifes[0]) : FbTable(vifes[0]),
                     vifes.subspan(1));
    case mbus::kVifPlainTextUnit:
    case mbus::kVifAnyValue:
    case mbus::kVifManufacturer:
      return Info(Quantity::Other);
    default:
      return Combine(Primary(code), vifes);
  }
}

const Phrase* QuantityPhrase(Quantity quantity) {
  switch (quantity) {
    case Quantity::Energy:
      return &phrase::kEnergy;
    case Quantity::Volume:
      return &phrase::kVolume;
    case Quantity::Mass:
      return &phrase::kMass;
    case Quantity::OnTime:
      return &phrase::kOnTime;
    case Quantity::OperatingTime:
      return &phrase::kOperatingTime;
    case Quantity::Power:
      return &phrase::kPower;
    case Quantity::VolumeFlow:
      return &phrase::kVolumeFlow;
    case Quantity::MassFlow:
      return &phrase::kMassFlow;
    case Quantity::FlowTemperature:
      return &phrase::kFlowTemperature;
    case Quantity::ReturnTemperature:
      return &phrase::kReturnTemperature;
    case Quantity::TemperatureDifference:
      return &phrase::kTemperatureDifference;
    case Quantity::ExternalTemperature:
      return &phrase::kExternalTemperature;
    case Quantity::Pressure:
      return &phrase::kPressure;
    case Quantity::Date:
      return &phrase::kDate;
    case Quantity::DateTime:
      return &phrase::kDateTime;
    case Quantity::HcaUnits:
      return &phrase::kHcaUnits;
    case Quantity::AveragingDuration:
      return &phrase::kAveragingDuration;
    case Quantity::ActualityDuration:
      return &phrase::kActualityDuration;
    case Quantity::FabricationNumber:
      return &phrase::kFabricationNumber;
    case Quantity::Identification:
      return &phrase::kIdentification;
    case Quantity::BusAddress:
      return &phrase::kBusAddress;
    case Quantity::Model:
      return &phrase::kModel;
    case Quantity::SoftwareVersion:
      return &phrase::kSoftwareVersion;
    case Quantity::FirmwareVersion:
      return &phrase::kFirmwareVersion;
    case Quantity::HardwareVersion:
      return &phrase::kHardwareVersion;
    case Quantity::ErrorFlags:
      return &phrase::kErrorFlags;
    case Quantity::DigitalInput:
      return &phrase::kDigitalInput;
    case Quantity::DigitalOutput:
      return &phrase::kDigitalOutput;
    case Quantity::Voltage:
      return &phrase::kVoltage;
    case Quantity::Current:
      return &phrase::kCurrent;
    case Quantity::BatteryOperatingTime:
      return &phrase::kBatteryTime;
    case Quantity::PulseWeight:
      return &phrase::kPulseWeight;
    case Quantity::ManufacturerData:
      return &phrase::kManufacturerData;
    case Quantity::Other:
      break;
  }
  return nullptr;
}

}  // namespace devicescreen
