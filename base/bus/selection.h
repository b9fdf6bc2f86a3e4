// Selection by secondary address: a CI 52 request to address 253 that every
// device matching all given fields acknowledges; those devices then answer at
// 253 until another selection is made.
#pragma once

#include <string>

#include "base/bus/constants.h"
#include "base/bus/link.h"

namespace mbus {

struct Selection {
  std::string manufacturer;  // three letters; empty: any
  int medium = kAnyMedium;
  std::string model;  // the FD 0C text the device must report; empty: any
  int version = kAnyVersion;
};

// True when the selection was acknowledged. The identification number is
// always a wildcard: the tool selects by maker, medium and model.
bool Select(const Link& link, const Selection& selection);

}  // namespace mbus
