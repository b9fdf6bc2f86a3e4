#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/archive_model.h"

namespace admintools {

// Which readings the list, the export and keldar-cli show. An empty member
// selects everything.
struct ReadingFilter {
  std::optional<DeviceKind> kind;
  std::optional<std::string> serial;      // the meter's serial number, exactly
  std::optional<std::string> subscriber;  // the subscriber's name, exactly
  std::optional<int64_t> from;            // read at or after (seconds since 1970 UTC)
  std::optional<int64_t> to;              // read at or before
};

// A reading as the list and the export show it: with its device, the object
// and subscriber the device belongs to (empty when none), and whether its
// counter went back.
struct ArchiveRow {
  Device device;
  Reading reading;
  std::string object;
  std::string objectAddress;
  std::string subscriber;
  std::string subscriberAccount;
  // The counter (energy of heat, volume of water) is below the one of the
  // device's previous reading by time: a replaced meter, a wrong read or tampering.
  bool backwards = false;

  ReadingKey Key() const { return {device.kind, reading.id}; }
};

// One page of the list and how many readings the filter selects in all.
struct ReadingPage {
  std::vector<ArchiveRow> rows;
  int64_t total = 0;
};

enum class ReadingOrder { kNewestFirst, kOldestFirst };

// The quantity whose running total a kind of device counts up: energy for
// heat, volume for water.
Quantity CounterOf(DeviceKind kind);

}  // namespace admintools
