// Parsing a received frame into a telegram object, and the date/time objects.
#pragma once

#include <cstdint>

#include "keldar/bus_protocol_types.h"

namespace keldar::bus::abi {

int32_t ParseTelegram(KeldarBusTelegram* telegram, const KeldarBusData* buffer);
int32_t CheckErrors(KeldarBusTelegram* target, const KeldarBusLongFrame* frame);

// Fills `date` from the low bytes of a record value; 1 when it holds a valid
// date: not flagged invalid (`valid` keeps that bit alone) and every field
// within the calendar. Type K is not decoded (0).
int32_t DecodeDate(KeldarBusDateTime* date, char type, std::uint64_t value);

}  // namespace keldar::bus::abi
