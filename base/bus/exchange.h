// One request and its answer: a short frame (SND_NKE, REQ_UD2) or a long
// frame already built. Each asks the link's stop request first and checks the
// port after writing, so a stopped run or a lost line reads nothing.
#pragma once

#include <cstdint>

#include "base/bus/link.h"

namespace mbus {

// The parser's result for the answer to short frame `cField` to `address`,
// decoded into `telegram`; KELDAR_BUS_RESULT_FAILED when nothing was asked.
int SendShortFrame(const Link& link, std::uint8_t cField, std::uint8_t address,
                   KeldarBusTelegram* telegram);
// The same without asking the stop request, for a caller that just has.
int ExchangeShortFrame(const Link& link, std::uint8_t cField, std::uint8_t address,
                       KeldarBusTelegram* telegram);
// SND_NKE to `address`: KELDAR_BUS_RESULT_ACK when acknowledged.
int Ping(const Link& link, std::uint8_t address);
// Readies the link before exchanges with a meter already found at `address`:
// an acknowledged SND_NKE. At 253 nothing is sent and the link counts as
// ready: the selection that made the meter answer there started its link
// afresh, and a meter that follows EN 13757-3 leaves the selected state on a
// SND_NKE to 253.
bool ResetLink(const Link& link, std::uint8_t address);
// Sends the long frame built in `telegram`, parses the answer into it.
int SendLongFrame(const Link& link, KeldarBusTelegram* telegram);

}  // namespace mbus
