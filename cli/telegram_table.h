// A decoded telegram as a table for people at a terminal.
#pragma once

#include <ostream>

#include "keldar/bus_protocol_types.h"

namespace keldar::cli {

void PrintTelegramTable(std::ostream& out, const KeldarBusProtocolLibrary* lib,
                        KeldarBusTelegram* telegram);

// EN 13757-3 medium names ("heat (outlet)", "cold water", …).
const char* MediumName(std::uint8_t medium);

}  // namespace keldar::cli
