// The fixed data structure (CI 73): identification, status, medium and two
// counters whose units the telegram names.
#pragma once

#include <cstdint>
#include <span>

#include "telegram.h"

namespace keldar::bus {

// Fills the header and two counter records; false when the data is short.
// The records carry DIF 0C (BCD counters) or 04 (binary counters) and, as
// their VIF, the fixed-structure unit code.
bool DecodeFixedData(std::span<const std::uint8_t> data, Telegram& telegram);

}  // namespace keldar::bus
