// Requests the master sends: every one a SND_UD long frame to one primary
// address (CI 51 data records, CI B8-BF speed changes, CI 52 selections at
// address 253). Each returns no frame when the arguments cannot be sent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "date_types.h"
#include "frame_codec.h"

namespace keldar::bus::requests {

inline constexpr std::int64_t kWildcardIdentification = -1;
inline constexpr int kWildcardByte = 255;

ShortFrame LinkReset(std::uint8_t address);
ShortFrame RequestUserData(std::uint8_t address);

std::optional<LongFrame> SetDeviceSpeed(std::uint8_t address, int baud);
std::optional<LongFrame> SetPrimaryAddress(std::uint8_t address, std::uint64_t new_address);
std::optional<LongFrame> SetSecondaryAddress(std::uint8_t address, std::uint64_t secondary);
std::optional<LongFrame> SetSerialNumber(std::uint8_t address, std::int64_t serial_number);
std::optional<LongFrame> SetDeviceType(std::uint8_t address, std::uint8_t medium);
std::optional<LongFrame> SetLocalTime(std::uint8_t address, const DateTime& time);
std::optional<LongFrame> SetIncrementPulse(std::uint8_t address, int unit, int vife,
                                           std::uint32_t litres_per_pulse);

// A selection for readout: DIF 08 with DIFEs carrying `unit` (and `storage`),
// then the value information block `vib`.
std::optional<LongFrame> SelectForReadout(std::uint8_t address, int unit,
                                          std::initializer_list<std::uint8_t> vib,
                                          std::uint32_t storage = 0);
std::optional<LongFrame> GlobalReadout(std::uint8_t address);

// Secondary addressing (CI 52 to address 253). `manufacturer` "" and the
// byte values 255 are wildcards; a non-empty `model` must equal the model.
std::optional<LongFrame> SelectSecondary(std::int64_t identification,
                                         const std::string& manufacturer, int version, int medium,
                                         const std::string& model);

// Baud rate ↔ CI-field of the speed-change request.
std::optional<std::uint8_t> SpeedCiField(int baud);
std::optional<int> SpeedOfCiField(std::uint8_t ci);

}  // namespace keldar::bus::requests
