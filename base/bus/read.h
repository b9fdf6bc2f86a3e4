// Reading a meter's user data: REQ_UD2 until the meter has sent its last
// telegram (no DIF 1F), at most kMaxTelegrams of them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/bus/link.h"

namespace mbus {

enum class ReadStatus {
  Done,             // every telegram arrived (or the bound cut an endless meter off)
  PortUnavailable,  // the port was lost
  NoAnswer,         // a telegram did not arrive, or did not decode
  Collision,        // bytes came that make no frame: noise, or several meters at once
  OtherAddress,     // a meter with another primary address answered
  DeviceError,      // the meter answered with an application error (CI 70)
  Stopped           // the link's stop request ended the read
};

struct ReadResult {
  ReadStatus status = ReadStatus::NoAnswer;
  int telegrams = 0;      // user-data telegrams handed on
  std::string errorText;  // DeviceError: what the meter reported
};

// Called with each user-data telegram as it arrives, in order; its
// more_records_follow tells whether another one is coming.
using TelegramHandler = std::function<void(const KeldarBusTelegram& telegram)>;

// The one read every user goes through: hands each telegram to `handler`.
ReadResult ReadTelegrams(const Link& link, std::uint8_t address, const TelegramHandler& handler);

// The same, gathering the telegrams into `target`: the header of the last
// variable-data telegram and every record in the order they came. `target`
// is complete only when the status is Done.
ReadResult ReadUserData(const Link& link, std::uint8_t address, KeldarBusTelegram* target);

// True when the read ended with the meter's data.
inline bool Succeeded(const ReadResult& result) { return result.status == ReadStatus::Done; }

}  // namespace mbus
