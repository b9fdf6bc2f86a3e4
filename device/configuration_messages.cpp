#include "device/configuration_messages.h"

#include "base/platform/message_flags.h"

namespace {

using platform::kMbIconError;
using platform::kMbIconInformation;
using platform::kMbIconWarning;

constexpr ConfigurationMessage kMessages[] = {
    {"FRAME_PROGRAM_CONFIGURATION_DEVICE_INVALID_RESPONSE_FROM_DEVICE",
     "Неверный ответ от устройства.", kMbIconError, "Ошибка"},
    {"FRAME_PROGRAM_CONFIGURATION_DEVICE_PRIMARY_DEVICE_ADDRESS_HAS_NOT_BEEN_RECEIVED",
     "Первичный адрес устройства не был получен.", kMbIconError, "Ошибка"},
    {"FRAME_PROGRAM_CONFIGURATION_DEVICE_DEVICE_TYPE_CHANGED_SUCCESSFULLY",
     "Тип устройства успешно изменен.", kMbIconInformation, "Сообщение"},
    {"FRAME_PROGRAM_CONFIGURATION_DEVICE_SERIAL_NUMBER_CHANGED_SUCCESSFULLY",
     "Серийный номер устройства успешно изменен.", kMbIconInformation, "Сообщение"},
    {"FRAME_PROGRAM_CONFIGURATION_DEVICE_DEVICE_REJECTS_COMMAND", "Устройство отклонило команду.",
     kMbIconError, "Ошибка"},
    {"FRAME_PROGRAM_CONFIGURATION_DEVICE_PRIMARY_SECONDARY_ADDRESS_BEEN_CHANGED_SUCCESSFULLY",
     "Первичный и вторичный адрес успешно изменен.", kMbIconInformation, ""},
    {"FRAME_PROGRAM_CONFIGURATION_DEVICE_PRIMARY_ADDRESS_CHANGED_SUCCESSFULLY_SECONDARY_ADDRESS_"
     "NOT_"
     "BEEN_CHANGED",
     "Первичный адрес успешно изменен. Вторичный адрес не был изменен.", kMbIconWarning, ""},
    {"FRAME_PROGRAM_CONFIGURATION_DEVICE_SECONDARY_ADDRESS_HAS_BEEN_CHANGED_SUCCESSFULLY_PRIMARY_"
     "ADDRESS_HAS_NOT_BEEN_CHANGED",
     "Вторичный адрес успешно изменен. Первичный адрес не был изменен.", kMbIconWarning, ""},
    {"FRAME_PROGRAM_CONFIGURATION_DEVICE_PRIMARY_SECONDARY_ADDRESS_NOT_BEEN_CHANGED",
     "Первичный и вторичный адрес не был изменен.", kMbIconError, ""},
    {"FRAME_PROGRAM_CONFIGURATION_DEVICE_TYPE_NOT_SELECTED", "Выберите тип устройства.",
     kMbIconWarning, "Сообщение"},
    {"FRAME_PROGRAM_CONFIGURATION_DEVICE_SERIAL_NUMBER_HAS_GAP",
     "В серийном номере пропущена цифра. Введите номер без пропусков; устройству ничего не "
     "отправлено.",
     kMbIconWarning, "Ошибка"},
    {"FRAME_PROGRAM_CONFIGURATION_DEVICE_SEVERAL_DEVICES_AT_ADDRESS_254",
     "По адресу 254 отвечает несколько устройств. Подключитесь к устройству по его первичному "
     "адресу; устройствам ничего не отправлено.",
     kMbIconWarning, "Ошибка"},
};

}  // namespace

const ConfigurationMessage& MessageFor(ConfigurationEvent event) {
  return kMessages[static_cast<int>(event)];
}

ConfigurationEvent EventFor(DeviceConfiguration::AddressChange change) {
  if (change.severalMeters) return ConfigurationEvent::SeveralMeters;
  if (change.primary && change.secondary) return ConfigurationEvent::BothAddressesChanged;
  if (change.primary) return ConfigurationEvent::OnlyPrimaryChanged;
  if (change.secondary) return ConfigurationEvent::OnlySecondaryChanged;
  return ConfigurationEvent::NoAddressChanged;
}

ConfigurationEvent EventFor(DeviceConfiguration::Outcome outcome, ConfigurationEvent success) {
  switch (outcome) {
    case DeviceConfiguration::Outcome::Acknowledged:
      return success;
    case DeviceConfiguration::Outcome::InvalidResponse:
      return ConfigurationEvent::InvalidResponse;
    case DeviceConfiguration::Outcome::SeveralMeters:
      return ConfigurationEvent::SeveralMeters;
    case DeviceConfiguration::Outcome::Rejected:
      break;
  }
  return ConfigurationEvent::Rejected;
}

bool IsSuccess(ConfigurationEvent event) {
  return event == ConfigurationEvent::TypeChanged || event == ConfigurationEvent::SerialChanged ||
         event == ConfigurationEvent::BothAddressesChanged;
}
