// What a record measures, told from its value information block, and how
// finely the meter counts it.
#pragma once

#include "core/meter_record.h"
#include "core/phrase.h"

namespace devicescreen {

enum class Quantity {
  Energy,
  Volume,
  Mass,
  OnTime,
  OperatingTime,
  Power,
  VolumeFlow,
  MassFlow,
  FlowTemperature,
  ReturnTemperature,
  TemperatureDifference,
  ExternalTemperature,
  Pressure,
  Date,
  DateTime,
  HcaUnits,
  AveragingDuration,
  ActualityDuration,
  FabricationNumber,
  Identification,
  BusAddress,
  Model,
  SoftwareVersion,
  FirmwareVersion,
  HardwareVersion,
  ErrorFlags,
  DigitalInput,
  DigitalOutput,
  Voltage,
  Current,
  BatteryOperatingTime,
  PulseWeight,
  ManufacturerData,
  Other  // anything else: shown with the library's own name and unit
};

enum class TimeUnit { Second, Minute, Hour, Day, Month, Year };

struct QuantityInfo {
  Quantity quantity = Quantity::Other;
  int exponent = 0;  // one step of the meter's count is 10^exponent of the library's base unit
  TimeUnit timeUnit = TimeUnit::Second;  // durations: the unit the meter counts in
  int channel = 0;                       // pulse weight: the input it belongs to
};

QuantityInfo Classify(const MeterRecord& record);

// The quantity's name; null for Quantity::Other.
const Phrase* QuantityPhrase(Quantity quantity);

}  // namespace devicescreen
