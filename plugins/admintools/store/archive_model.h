#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace admintools {

enum class DeviceKind : int { kHeat = 1, kWaterCold = 2, kWaterHot = 3 };
inline constexpr std::array kDeviceKinds{DeviceKind::kHeat, DeviceKind::kWaterCold,
                                         DeviceKind::kWaterHot};

// Everything a reading may carry besides its time and error flags.
enum class Quantity : std::size_t {
  kEnergy,                 // Wh
  kVolume,                 // m^3
  kPower,                  // W
  kFlow,                   // m^3/h
  kSupplyTemperature,      // °C
  kReturnTemperature,      // °C
  kTemperatureDifference,  // K
  kTemperature,            // °C, of the water
  kOperatingHours,         // h
};
inline constexpr std::size_t kQuantityCount = 9;

// The quantities a kind of device records, in display order.
std::span<const Quantity> QuantitiesOf(DeviceKind kind);

struct Subscriber {
  int64_t id = 0;
  std::string name;
  std::string contact;
  std::string account;
  std::string notes;
};

struct Object {
  int64_t id = 0;
  int64_t subscriberId = 0;
  std::string name;
  std::string address;
};

struct Device {
  int64_t id = 0;
  DeviceKind kind = DeviceKind::kHeat;
  std::string manufacturer;
  std::string serial;
  std::string model;
  std::string softwareVersion;
  int medium = 0;
  std::optional<int64_t> objectId;
};

struct Reading {
  int64_t id = 0;
  int64_t deviceId = 0;
  int64_t readTime = 0;   // seconds since 1970 UTC; 0 when saving means now
  std::string meterTime;  // the meter's clock as reported, "" when unknown
  uint32_t errorFlags = 0;
  std::array<std::optional<double>, kQuantityCount> values{};  // by Quantity

  std::optional<double>& operator[](Quantity q) { return values[static_cast<std::size_t>(q)]; }
  const std::optional<double>& operator[](Quantity q) const {
    return values[static_cast<std::size_t>(q)];
  }
};

struct DeviceReading {
  Device device;
  Reading reading;
};

// A reading's ids are counted per kind of device.
struct ReadingKey {
  DeviceKind kind = DeviceKind::kHeat;
  int64_t id = 0;
};

}  // namespace admintools
