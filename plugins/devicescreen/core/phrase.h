// Every text the device screen shows: its key in the phrase store and the
// built-in Russian text kept when the store has none.
#pragma once

namespace devicescreen {

struct Phrase {
  const char* key;
  const char* russian;
};

namespace phrase {

#define DS_PHRASE(name, key, russian) inline constexpr Phrase name{key, russian};
#define DS_SCREEN(name, suffix, russian) \
  DS_PHRASE(name, "FRAME_PROGRAM_DEVICE_SCREEN_" suffix, russian)

// Shared with the shell's screens.
DS_PHRASE(kGoBack, "FRAME_PROGRAM_SETTING_GO_BACK", "Вернутся назад")
DS_PHRASE(kMissingComponent, "FRAME_PROGRAM_MAIN_NOT_MISSING_COMPONENT_RUNTHIS_MODE",
          "Не хватает компонента для работы в этом режиме.")

// Titles, one per kind of meter.
DS_SCREEN(kTitleHeat, "TITLE_HEAT", "Теплосчётчик")
DS_SCREEN(kTitleWaterCold, "TITLE_WATER_COLD", "Счётчик холодной воды")
DS_SCREEN(kTitleWaterHot, "TITLE_WATER_HOT", "Счётчик горячей воды")

// Identity of the device (captions shown as "text:").
DS_SCREEN(kManufacturer, "MANUFACTURER", "Производитель")
DS_SCREEN(kSerialNumber, "SERIAL_NUMBER", "Серийный номер")
DS_SCREEN(kModel, "MODEL", "Модель")
DS_SCREEN(kDeviceType, "DEVICE_TYPE", "Тип устройства")
DS_SCREEN(kPrimaryAddress, "PRIMARY_ADDRESS", "Первичный адрес")
DS_SCREEN(kSelectedBySecondary, "SELECTED_BY_SECONDARY_ADDRESS", "выбран по вторичному адресу")
DS_SCREEN(kCatalogueId, "CATALOGUE_ID", "Номер в каталоге")
DS_SCREEN(kSoftwareVersion, "SOFTWARE_VERSION", "Версия ПО")

// Buttons and what the screen says.
DS_SCREEN(kRefresh, "REFRESH", "Обновить")
DS_SCREEN(kSaveToArchive, "SAVE_TO_ARCHIVE", "Сохранить в архив")
DS_SCREEN(kReading, "READING", "Чтение данных с устройства…")
DS_SCREEN(kReadDone, "READ_DONE", "Показания прочитаны")
DS_SCREEN(kNoAnswer, "DEVICE_DID_NOT_ANSWER", "Устройство не ответило.")
DS_SCREEN(kDeviceError, "DEVICE_REPORTED_ERROR", "Устройство сообщило об ошибке.")
DS_SCREEN(kPortUnavailable, "PORT_NOT_AVAILABLE", "Порт недоступен.")
DS_SCREEN(kSaved, "SAVED_TO_ARCHIVE", "Показания сохранены в архив.")
DS_SCREEN(kNothingToSave, "NOTHING_TO_SAVE", "Нет показаний для сохранения.")
DS_SCREEN(kArchiveNotOpened, "ARCHIVE_NOT_OPENED", "Не удалось открыть архив.")
DS_SCREEN(kArchiveRefused, "ARCHIVE_REFUSED", "Архив не принял показания.")

// Table headers.
DS_SCREEN(kColumnQuantity, "QUANTITY", "Величина")
DS_SCREEN(kColumnValue, "VALUE", "Значение")
DS_SCREEN(kColumnUnit, "UNIT", "Ед. изм.")
DS_SCREEN(kColumnStorage, "STORAGE", "№ архива")
DS_SCREEN(kColumnTariff, "TARIFF", "Тариф")
DS_SCREEN(kColumnSubunit, "SUBUNIT", "Подустройство")

// Quantities.
DS_SCREEN(kEnergy, "ENERGY", "Энергия")
DS_SCREEN(kVolume, "VOLUME", "Объём")
DS_SCREEN(kMass, "MASS", "Масса")
DS_SCREEN(kOnTime, "ON_TIME", "Время включения")
DS_SCREEN(kOperatingTime, "OPERATING_TIME", "Время работы")
DS_SCREEN(kPower, "POWER", "Мощность")
DS_SCREEN(kVolumeFlow, "VOLUME_FLOW", "Расход")
DS_SCREEN(kMassFlow, "MASS_FLOW", "Массовый расход")
DS_SCREEN(kFlowTemperature, "FLOW_TEMPERATURE", "Температура подачи")
DS_SCREEN(kReturnTemperature, "RETURN_TEMPERATURE", "Температура обратки")
DS_SCREEN(kTemperatureDifference, "TEMPERATURE_DIFFERENCE", "Разность температур")
DS_SCREEN(kExternalTemperature, "EXTERNAL_TEMPERATURE", "Наружная температура")
DS_SCREEN(kPressure, "PRESSURE", "Давление")
DS_SCREEN(kDate, "DATE", "Дата")
DS_SCREEN(kDateTime, "DATE_TIME", "Дата и время")
DS_SCREEN(kHcaUnits, "HCA_UNITS", "Показания распределителя")
DS_SCREEN(kAveragingDuration, "AVERAGING_DURATION", "Период усреднения")
DS_SCREEN(kActualityDuration, "ACTUALITY_DURATION", "Давность измерения")
DS_SCREEN(kFabricationNumber, "FABRICATION_NUMBER", "Заводской номер")
DS_SCREEN(kIdentification, "IDENTIFICATION", "Идентификатор")
DS_SCREEN(kBusAddress, "BUS_ADDRESS", "Адрес на шине")
DS_SCREEN(kFirmwareVersion, "FIRMWARE_VERSION", "Версия прошивки")
DS_SCREEN(kHardwareVersion, "HARDWARE_VERSION", "Версия оборудования")
DS_SCREEN(kErrorFlags, "ERROR_FLAGS", "Флаги ошибок")
DS_SCREEN(kDigitalInput, "DIGITAL_INPUT", "Цифровые входы")
DS_SCREEN(kDigitalOutput, "DIGITAL_OUTPUT", "Цифровые выходы")
DS_SCREEN(kVoltage, "VOLTAGE", "Напряжение")
DS_SCREEN(kCurrent, "CURRENT", "Сила тока")
DS_SCREEN(kBatteryTime, "BATTERY_OPERATING_TIME", "Время работы батареи")
DS_SCREEN(kPulseWeight, "PULSE_WEIGHT", "Цена импульса, вход")
DS_SCREEN(kManufacturerData, "MANUFACTURER_DATA", "Данные производителя")

// What a record's function adds to its quantity.
DS_SCREEN(kMaximum, "MAXIMUM", "максимум")
DS_SCREEN(kMinimum, "MINIMUM", "минимум")
DS_SCREEN(kDuringError, "DURING_ERROR", "при ошибке")

// Values shown as words.
DS_SCREEN(kNoErrors, "NO_ERRORS", "нет ошибок")
DS_SCREEN(kInvalidDate, "INVALID_DATE", "недостоверно")

// Units. One-letter texts ("K", "s") stay as the built-in letters, which read the same.
DS_SCREEN(kUnitWh, "UNIT_WH", "Вт·ч")
DS_SCREEN(kUnitKwh, "UNIT_KWH", "кВт·ч")
DS_SCREEN(kUnitMwh, "UNIT_MWH", "МВт·ч")
DS_SCREEN(kUnitJ, "UNIT_J", "Дж")
DS_SCREEN(kUnitGj, "UNIT_GJ", "ГДж")
DS_SCREEN(kUnitM3, "UNIT_M3", "м³")
DS_SCREEN(kUnitM3PerHour, "UNIT_M3_PER_HOUR", "м³/ч")
DS_SCREEN(kUnitKg, "UNIT_KG", "кг")
DS_SCREEN(kUnitTonne, "UNIT_TONNE", "т")
DS_SCREEN(kUnitKgPerHour, "UNIT_KG_PER_HOUR", "кг/ч")
DS_SCREEN(kUnitW, "UNIT_W", "Вт")
DS_SCREEN(kUnitKw, "UNIT_KW", "кВт")
DS_SCREEN(kUnitMw, "UNIT_MW", "МВт")
DS_SCREEN(kUnitJPerHour, "UNIT_J_PER_HOUR", "Дж/ч")
DS_SCREEN(kUnitGjPerHour, "UNIT_GJ_PER_HOUR", "ГДж/ч")
DS_SCREEN(kUnitCelsius, "UNIT_CELSIUS", "°C")
DS_SCREEN(kUnitKelvin, "UNIT_KELVIN", "К")
DS_SCREEN(kUnitBar, "UNIT_BAR", "бар")
DS_SCREEN(kUnitVolt, "UNIT_VOLT", "В")
DS_SCREEN(kUnitAmpere, "UNIT_AMPERE", "А")
DS_SCREEN(kUnitSecond, "UNIT_SECOND", "с")
DS_SCREEN(kUnitMinute, "UNIT_MINUTE", "мин")
DS_SCREEN(kUnitHour, "UNIT_HOUR", "ч")
DS_SCREEN(kUnitDay, "UNIT_DAY", "сут")
DS_SCREEN(kUnitMonth, "UNIT_MONTH", "мес.")
DS_SCREEN(kUnitYear, "UNIT_YEAR", "г.")
DS_SCREEN(kUnitLitrePerPulse, "UNIT_LITRE_PER_PULSE", "л/имп")

#undef DS_SCREEN
#undef DS_PHRASE

}  // namespace phrase
}  // namespace devicescreen
