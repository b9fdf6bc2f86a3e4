// One readout as the benchmarks time it: SND_NKE, then REQ_UD2 for every
// telegram, through the library's interface objects.
#pragma once

#include <cstddef>
#include <cstdint>

#include "bus_master.h"

namespace keldar::bench {

struct Exchange {
  std::size_t bytes = 0;  // request and answer characters on the line
  int answers = 0;
  bool ok = false;
};

// SND_NKE, then REQ_UD2 for every telegram; counts the characters both ways.
inline Exchange ReadMeter(KeldarBusPort* port, std::uint8_t address) {
  namespace abi = keldar::bus::abi;
  Exchange e;
  KeldarBusData* buffer = abi::CreateData();
  KeldarBusTelegram* telegram = abi::CreateTelegram();
  const auto send = [&](std::uint8_t c) {
    KeldarBusShortFrame frame{};
    abi::ShortFrameSetC(&frame, c);
    abi::ShortFrameSetA(&frame, address);
    e.bytes += static_cast<std::size_t>(abi::ShortFrameSerialize(&frame));
    abi::PortWrite(port, &frame);
    abi::PortRead(port, buffer);
    e.bytes += buffer->size;
    ++e.answers;
    return abi::ParseTelegram(telegram, buffer);
  };
  e.ok = send(0x40) == KELDAR_BUS_RESULT_ACK;
  for (int parts = 0; e.ok && parts < 16; ++parts) {
    e.ok = send(0x5B) == KELDAR_BUS_RESULT_USER_DATA;
    if (!e.ok ||
        abi::CheckErrors(nullptr, telegram->long_frame) != KELDAR_BUS_RESULT_MORE_RECORDS) {
      break;
    }
  }
  abi::DeleteTelegram(telegram);
  abi::DeleteData(buffer);
  return e;
}

}  // namespace keldar::bench
