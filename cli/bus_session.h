// The exchanges keldar-cli makes with one meter through the M-Bus library.
#pragma once

#include <cstdint>
#include <string>

#include "bus_library.h"

namespace keldar::cli {

class BusSession {
 public:
  BusSession(const KeldarBusProtocolLibrary* lib, const std::string& device_path, int baud);

  bool PortUsable() const;
  // SND_NKE: the parser's result (1 acknowledged).
  int LinkReset(std::uint8_t address);
  // REQ_UD2 until the last telegram of the answer; header of the latest and
  // every record gathered into `target`. The parser's last result (4 when
  // every telegram came), and how many telegrams arrived.
  int ReadUserData(std::uint8_t address, KeldarBusTelegram* target, int& telegrams);

 private:
  int Exchange(const void* frame, KeldarBusTelegram* answer);

  const KeldarBusProtocolLibrary* lib_;
  Port port_;
  Buffer buffer_;
};

}  // namespace keldar::cli
