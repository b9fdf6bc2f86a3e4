#pragma once

#include "device/device_configuration.h"

// What the configuration screen (and keldar-cli) tells about each outcome.
enum class ConfigurationEvent {
  InvalidResponse,
  PrimaryNotReceived,
  TypeChanged,
  SerialChanged,
  Rejected,
  BothAddressesChanged,
  OnlyPrimaryChanged,
  OnlySecondaryChanged,
  NoAddressChanged,
  NoTypeSelected,
  SerialHasGap,
  SeveralMeters,
};

struct ConfigurationMessage {
  const char* key;
  const char* builtInText;
  unsigned icon;  // message-box icon flag
  const char* builtInCaption;
};

const ConfigurationMessage& MessageFor(ConfigurationEvent event);
ConfigurationEvent EventFor(DeviceConfiguration::AddressChange change);
// The event of a type or serial-number change; `success` when acknowledged.
ConfigurationEvent EventFor(DeviceConfiguration::Outcome outcome, ConfigurationEvent success);
// True when the event is a success the meter acknowledged.
bool IsSuccess(ConfigurationEvent event);
