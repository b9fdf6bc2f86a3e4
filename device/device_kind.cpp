#include "device/device_kind.h"

namespace {

struct Row {
  std::uint8_t type;
  DeviceKind kind;
};

constexpr Row kKinds[] = {
    {2,
     {"./images/electricity_41.png", "FRAME_PROGRAM_SELECT_DEVICE_ELECTRICITY_METER",
      "Устройство электричества"}},
    {3, {"./images/gas_41.png", "FRAME_PROGRAM_SELECT_DEVICE_GAS_METER", "Устройство газа"}},
    {4,
     {"./images/heat_41.png", "FRAME_PROGRAM_SELECT_DEVICE_UNIT_HEAT_REVERSE",
      "Устройство тепла (обратный)"}},
    {6,
     {"./images/water_hot_41.png", "FRAME_PROGRAM_SELECT_DEVICE_METER_WATER_HOT",
      "Устройство воды (горячей)"}},
    {7,
     {"./images/water_cold_41.png", "FRAME_PROGRAM_SELECT_DEVICE_METER_WATER", "Устройство воды"}},
    {12,
     {"./images/heat_41.png", "FRAME_PROGRAM_SELECT_DEVICE_METER_HEAT_SUPPLY",
      "Устройство тепла (подающий)"}},
    {22,
     {"./images/water_cold_41.png", "FRAME_PROGRAM_SELECT_DEVICE_METER_WATER_COLD",
      "Устройство воды (холодной)"}},
    {23,
     {"./images/water_hot_41.png", "FRAME_PROGRAM_SELECT_DEVICE_METER_WATER_MULTIRATE_HOT",
      "Устройство воды многотарифное (горячей)"}},
};

constexpr DeviceKind kUnknown{"./images/unknown_41.png",
                              "FRAME_PROGRAM_SELECT_DEVICE_METER_NOT_DEFINED",
                              "Устройство не определено"};

}  // namespace

const DeviceKind& KindOfDeviceType(std::uint8_t deviceType) {
  for (const auto& row : kKinds) {
    if (row.type == deviceType) return row.kind;
  }
  return kUnknown;
}
