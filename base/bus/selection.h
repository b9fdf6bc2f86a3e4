// Selection by secondary address: a CI 52 request to address 253 that every
// device matching all given fields acknowledges; those devices then answer at
// 253 until another selection is made.
#pragma once

#include <cstdint>
#include <string>

#include "base/bus/constants.h"
#include "base/bus/link.h"

namespace mbus {

struct Selection {
  // The identification number's BCD digits, an F nibble a wildcard digit.
  std::int64_t identification = KELDAR_BUS_WILDCARD_ID;
  std::string manufacturer;  // three letters; empty: any
  int medium = kAnyMedium;
  std::string model;  // the FD 0C text the device must report; empty: any
  int version = kAnyVersion;
};

// The result of the exchange: KELDAR_BUS_RESULT_ACK when exactly one
// acknowledgement came, kResultGarbage when bytes came that make no frame.
int SendSelection(const Link& link, const Selection& selection);
// True when the selection was acknowledged.
inline bool Select(const Link& link, const Selection& selection) {
  return SendSelection(link, selection) == KELDAR_BUS_RESULT_ACK;
}

}  // namespace mbus
