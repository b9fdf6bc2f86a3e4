// One readout as the benchmarks time it: SND_NKE, then REQ_UD2 for every
// telegram, through the library's interface objects.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bus_master.h"
#include "sim_process.h"

namespace keldar::bench {

// What a readout benchmark is asked: --baud N, --reads N, --reply-delay MS,
// and optionally a meter file and its address.
struct ReadOptions {
  int baud = 2400;
  int reads = 5;
  int replyDelayMs = 20;
  std::string meter = keldar::bus::test::MeterFile("krv_heat.ini");
  int address = 1;
};

inline ReadOptions ParseReadOptions(int argc, char** argv) {
  ReadOptions options;
  std::vector<std::string> rest;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--baud" && i + 1 < argc) {
      options.baud = std::stoi(argv[++i]);
    } else if (arg == "--reads" && i + 1 < argc) {
      options.reads = std::stoi(argv[++i]);
    } else if (arg == "--reply-delay" && i + 1 < argc) {
      options.replyDelayMs = std::stoi(argv[++i]);
    } else {
      rest.push_back(arg);
    }
  }
  if (rest.size() == 2) {
    options.meter = rest[0];
    options.address = std::stoi(rest[1]);
  }
  return options;
}

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
