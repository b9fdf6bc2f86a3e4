#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

#include "store/archive_model.h"

// How the archive screen shows stored values. Energy is stored in Wh and power
// in W; they are shown in kWh and kW, the units meters display.
namespace admintools::format {

// The value in its display unit, or a dash when it was not reported.
QString Value(Quantity quantity, std::optional<double> value);
// A read time (seconds since 1970 UTC) in local time, "dd.MM.yyyy HH:mm:ss".
QString ReadTime(int64_t secondsSinceEpoch);
// The meter's own ISO 8601 time as "dd.MM.yyyy HH:mm:ss"; other text as it is.
QString MeterTime(const std::string& isoTime);
// "0", or the flags in hexadecimal ("0x0014").
QString ErrorFlags(uint32_t flags);
// "KRV 12345678 · model" (the model only when known).
QString DeviceCaption(const Device& device);

inline constexpr const char* kNotReported = "—";

}  // namespace admintools::format
