#include "core/device_flavour.h"

#include <string_view>

namespace devicescreen {

namespace {

constexpr Phrase kElectricity{"FRAME_PROGRAM_SELECT_DEVICE_ELECTRICITY_METER",
                              "Устройство электричества"};
constexpr Phrase kGas{"FRAME_PROGRAM_SELECT_DEVICE_GAS_METER", "Устройство газа"};
constexpr Phrase kHeatReturn{"FRAME_PROGRAM_SELECT_DEVICE_UNIT_HEAT_REVERSE",
                             "Устройство тепла (обратный)"};
constexpr Phrase kWaterHot{"FRAME_PROGRAM_SELECT_DEVICE_METER_WATER_HOT",
                           "Устройство воды (горячей)"};
constexpr Phrase kWater{"FRAME_PROGRAM_SELECT_DEVICE_METER_WATER", "Устройство воды"};
constexpr Phrase kHeatSupply{"FRAME_PROGRAM_SELECT_DEVICE_METER_HEAT_SUPPLY",
                             "Устройство тепла (подающий)"};
constexpr Phrase kWaterCold{"FRAME_PROGRAM_SELECT_DEVICE_METER_WATER_COLD",
                            "Устройство воды (холодной)"};
constexpr Phrase kWaterMultiRateHot{"FRAME_PROGRAM_SELECT_DEVICE_METER_WATER_MULTIRATE_HOT",
                                    "Устройство воды многотарифное (горячей)"};
constexpr Phrase kUnknown{"FRAME_PROGRAM_SELECT_DEVICE_METER_NOT_DEFINED",
                          "Устройство не определено"};

}  // namespace

DeviceFlavour FlavourOf(MeterKind kind, const char* maker) {
  const bool krv = std::string_view(maker) == "KRV";
  switch (kind) {
    case MeterKind::Heat:
      return {kind, maker, krv ? "KrvHEATMainFrame1" : "MLDHEATMainFrame1", &phrase::kTitleHeat};
    case MeterKind::WaterCold:
      return {kind, maker, krv ? "KrvWaterColdMainFrame1" : "MldWaterColdMainFrame1",
              &phrase::kTitleWaterCold};
    case MeterKind::WaterHot:
      break;
  }
  return {MeterKind::WaterHot, maker, krv ? "KrvWaterHotMainFrame1" : "MldWaterHotMainFrame1",
          &phrase::kTitleWaterHot};
}

const Phrase& DeviceTypePhrase(std::uint8_t deviceType) {
  switch (deviceType) {
    case 2:
      return kElectricity;
    case 3:
      return kGas;
    case 4:
      return kHeatReturn;
    case 6:
      return kWaterHot;
    case 7:
      return kWater;
    case 12:
      return kHeatSupply;
    case 22:
      return kWaterCold;
    case 23:
      return kWaterMultiRateHot;
    default:
      return kUnknown;
  }
}

}  // namespace devicescreen
