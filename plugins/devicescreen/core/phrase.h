// Every text the device screen shows: its key in the phrase store and the
// built-in Russian text kept when the store has none.
#pragma once

namespace devicescreen {

struct Phrase {
  const char* key;
  const char* russian;
};

namespace phrase {

// Shared with the shell's screens.
inline constexpr Phrase kGoBack{"FRAME_PROGRAM_SETTING_GO_BACK", "Вернутся назад"};
inline constexpr Phrase kMissingComponent{"FRAME_PROGRAM_MAIN_NOT_MISSING_COMPONENT_RUNTHIS_MODE",
                                          "Не хватает компонента для работы в этом режиме."};

// The screen's own texts: name, key after FRAME_PROGRAM_DEVICE_SCREEN_, built-in text.
#define DS_SCREEN_PHRASES(X)                                                                  \
  /* Titles, one per kind of meter. */                                                        \
  X(kTitleHeat, "TITLE_HEAT", "Теплосчётчик")                                                 \
  X(kTitleWaterCold, "TITLE_WATER_COLD", "Счётчик холодной воды")                             \
  X(kTitleWaterHot, "TITLE_WATER_HOT", "Счётчик горячей воды")                                \
  /* Identity of the device (captions shown as "text:"). */                                   \
  X(kManufacturer, "MANUFACTURER", "Производитель")                                           \
  X(kSerialNumber, "SERIAL_NUMBER", "Серийный номер")                                         \
  X(kModel, "MODEL", "Модель")                                                                \
  X(kDeviceType, "DEVICE_TYPE", "Тип устройства")                                             \
  X(kPrimaryAddress, "PRIMARY_ADDRESS", "Первичный адрес")                                    \
  X(kSelectedBySecondary, "SELECTED_BY_SECONDARY_ADDRESS", "выбран по вторичному адресу")     \
  X(kCatalogueId, "CATALOGUE_ID", "Номер в каталоге")                                         \
  X(kSoftwareVersion, "SOFTWARE_VERSION", "Версия ПО")                                        \
  /* Buttons and what the screen says. */                                                     \
  X(kRefresh, "REFRESH", "Обновить")                                                          \
  X(kSaveToArchive, "SAVE_TO_ARCHIVE", "Сохранить в архив")                                   \
  X(kReading, "READING", "Чтение данных с устройства…")                                       \
  X(kReadDone, "READ_DONE", "Показания прочитаны")                                            \
  X(kNoAnswer, "DEVICE_DID_NOT_ANSWER", "Устройство не ответило.")                            \
  X(kDeviceError, "DEVICE_REPORTED_ERROR", "Устройство сообщило об ошибке.")                  \
  X(kPortUnavailable, "PORT_NOT_AVAILABLE", "Порт недоступен.")                               \
  X(kSaved, "SAVED_TO_ARCHIVE", "Показания сохранены в архив.")                               \
  X(kNothingToSave, "NOTHING_TO_SAVE", "Нет показаний для сохранения.")                       \
  X(kArchiveNotOpened, "ARCHIVE_NOT_OPENED", "Не удалось открыть архив.")                     \
  X(kArchiveRefused, "ARCHIVE_REFUSED", "Архив не принял показания.")                         \
  /* Table headers. */                                                                        \
  X(kColumnQuantity, "QUANTITY", "Величина")                                                  \
  X(kColumnValue, "VALUE", "Значение")                                                        \
  X(kColumnUnit, "UNIT", "Ед. изм.")                                                          \
  X(kColumnStorage, "STORAGE", "№ архива")                                                    \
  X(kColumnTariff, "TARIFF", "Тариф")                                                         \
  X(kColumnSubunit, "SUBUNIT", "Подустройство")                                               \
  /* Quantities. */                                                                           \
  X(kEnergy, "ENERGY", "Энергия")                                                             \
  X(kVolume, "VOLUME", "Объём")                                                               \
  X(kMass, "MASS", "Масса")                                                                   \
  X(kOnTime, "ON_TIME", "Время включения")                                                    \
  X(kOperatingTime, "OPERATING_TIME", "Время работы")                                         \
  X(kPower, "POWER", "Мощность")                                                              \
  X(kVolumeFlow, "VOLUME_FLOW", "Расход")                                                     \
  X(kMassFlow, "MASS_FLOW", "Массовый расход")                                                \
  X(kFlowTemperature, "FLOW_TEMPERATURE", "Температура подачи")                               \
  X(kReturnTemperature, "RETURN_TEMPERATURE", "Температура обратки")                          \
  X(kTemperatureDifference, "TEMPERATURE_DIFFERENCE", "Разность температур")                  \
  X(kExternalTemperature, "EXTERNAL_TEMPERATURE", "Наружная температура")                     \
  X(kPressure, "PRESSURE", "Давление")                                                        \
  X(kDate, "DATE", "Дата")                                                                    \
  X(kDateTime, "DATE_TIME", "Дата и время")                                                   \
  X(kHcaUnits, "HCA_UNITS", "Показания распределителя")                                       \
  X(kAveragingDuration, "AVERAGING_DURATION", "Период усреднения")                            \
  X(kActualityDuration, "ACTUALITY_DURATION", "Давность измерения")                           \
  X(kFabricationNumber, "FABRICATION_NUMBER", "Заводской номер")                              \
  X(kIdentification, "IDENTIFICATION", "Идентификатор")                                       \
  X(kBusAddress, "BUS_ADDRESS", "Адрес на шине")                                              \
  X(kFirmwareVersion, "FIRMWARE_VERSION", "Версия прошивки")                                  \
  X(kHardwareVersion, "HARDWARE_VERSION", "Версия оборудования")                              \
  X(kErrorFlags, "ERROR_FLAGS", "Флаги ошибок")                                               \
  X(kDigitalInput, "DIGITAL_INPUT", "Цифровые входы")                                         \
  X(kDigitalOutput, "DIGITAL_OUTPUT", "Цифровые выходы")                                      \
  X(kVoltage, "VOLTAGE", "Напряжение")                                                        \
  X(kCurrent, "CURRENT", "Сила тока")                                                         \
  X(kBatteryTime, "BATTERY_OPERATING_TIME", "Время работы батареи")                           \
  X(kPulseWeight, "PULSE_WEIGHT", "Цена импульса, вход")                                      \
  X(kManufacturerData, "MANUFACTURER_DATA", "Данные производителя")                           \
  /* What a record's function adds to its quantity. */                                        \
  X(kMaximum, "MAXIMUM", "максимум")                                                          \
  X(kMinimum, "MINIMUM", "минимум")                                                           \
  X(kDuringError, "DURING_ERROR", "при ошибке")                                               \
  /* Values shown as words. */                                                                \
  X(kNoErrors, "NO_ERRORS", "нет ошибок")                                                     \
  X(kInvalidDate, "INVALID_DATE", "недостоверно")                                             \
  /* Units. One-letter texts ("K", "s") stay as the built-in letters, which read the same. */ \
  X(kUnitWh, "UNIT_WH", "Вт·ч")                                                               \
  X(kUnitKwh, "UNIT_KWH", "кВт·ч")                                                            \
  X(kUnitMwh, "UNIT_MWH", "МВт·ч")                                                            \
  X(kUnitJ, "UNIT_J", "Дж")                                                                   \
  X(kUnitGj, "UNIT_GJ", "ГДж")                                                                \
  X(kUnitM3, "UNIT_M3", "м³")                                                                 \
  X(kUnitM3PerHour, "UNIT_M3_PER_HOUR", "м³/ч")                                               \
  X(kUnitKg, "UNIT_KG", "кг")                                                                 \
  X(kUnitTonne, "UNIT_TONNE", "т")                                                            \
  X(kUnitKgPerHour, "UNIT_KG_PER_HOUR", "кг/ч")                                               \
  X(kUnitW, "UNIT_W", "Вт")                                                                   \
  X(kUnitKw, "UNIT_KW", "кВт")                                                                \
  X(kUnitMw, "UNIT_MW", "МВт")                                                                \
  X(kUnitJPerHour, "UNIT_J_PER_HOUR", "Дж/ч")                                                 \
  X(kUnitGjPerHour, "UNIT_GJ_PER_HOUR", "ГДж/ч")                                              \
  X(kUnitCelsius, "UNIT_CELSIUS", "°C")                                                       \
  X(kUnitKelvin, "UNIT_KELVIN", "К")                                                          \
  X(kUnitBar, "UNIT_BAR", "бар")                                                              \
  X(kUnitVolt, "UNIT_VOLT", "В")                                                              \
  X(kUnitAmpere, "UNIT_AMPERE", "А")                                                          \
  X(kUnitSecond, "UNIT_SECOND", "с")                                                          \
  X(kUnitMinute, "UNIT_MINUTE", "мин")                                                        \
  X(kUnitHour, "UNIT_HOUR", "ч")                                                              \
  X(kUnitDay, "UNIT_DAY", "сут")                                                              \
  X(kUnitMonth, "UNIT_MONTH", "мес.")                                                         \
  X(kUnitYear, "UNIT_YEAR", "г.")                                                             \
  X(kUnitLitrePerPulse, "UNIT_LITRE_PER_PULSE", "л/имп")

#define DS_DEFINE(name, suffix, russian) \
  inline constexpr Phrase name{"FRAME_PROGRAM_DEVICE_SCREEN_" suffix, russian};
DS_SCREEN_PHRASES(DS_DEFINE)
#undef DS_DEFINE

// Every text of the screen's own, for checking the phrase store.
#define DS_LIST(name, suffix, russian) name,
inline constexpr Phrase kScreenPhrases[] = {DS_SCREEN_PHRASES(DS_LIST)};
#undef DS_LIST

}  // namespace phrase
}  // namespace devicescreen
