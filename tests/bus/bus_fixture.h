// A simulated bus for the client's tests: the real BusProtocol.so, one
// keldar-meter-sim on a pseudo-terminal with its bus log, and a port to it.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/bus/link.h"
#include "base/bus/objects.h"
#include "libraries.h"
#include "sim_process.h"

namespace mbus::test {

using keldar::bus::test::MeterFile;
using keldar::bus::test::SimProcess;

// A long frame (68 L L 68 C A CI data CS 16) as the simulator's --replay takes it.
inline std::string LongFrameHex(std::uint8_t c, std::uint8_t a, std::uint8_t ci,
                                const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> body{c, a, ci};
  body.insert(body.end(), data.begin(), data.end());
  std::uint8_t sum = 0;
  for (const std::uint8_t b : body) sum = static_cast<std::uint8_t>(sum + b);
  const auto length = static_cast<std::uint8_t>(body.size());
  std::vector<std::uint8_t> frame{0x68, length, length, 0x68};
  frame.insert(frame.end(), body.begin(), body.end());
  frame.push_back(sum);
  frame.push_back(0x16);
  std::string hex;
  char byte[4];
  for (const std::uint8_t b : frame) {
    std::snprintf(byte, sizeof byte, "%02X ", b);
    hex += byte;
  }
  hex.pop_back();
  return hex;
}

// A variable-data answer of meter 12345678 with one energy record, ending
// with DIF 1F (another telegram follows) when `more`.
inline std::string VariableDataHex(std::uint8_t address, bool more) {
  std::vector<std::uint8_t> data{0x78, 0x56, 0x34, 0x12, 0x56, 0x2E, 0x01, 0x04, 0x00,
                                 0x00, 0x00, 0x00, 0x04, 0x06, 0x01, 0x00, 0x00, 0x00};
  if (more) data.push_back(0x1F);
  return LongFrameHex(0x08, address, 0x72, data);
}

class SimulatedBus : public ::testing::Test {
 protected:
  void TearDown() override {
    port_ = Port(nullptr, nullptr);
    sim_.reset();
    std::remove(LogPath().c_str());
  }

  // Starts the simulator with `arguments` (meter files, --replay …), line
  // timing off, and opens a port to it at `baud`.
  void Start(std::vector<std::string> arguments, int baud = 2400) {
    ASSERT_TRUE(bus_.Loaded()) << "BusProtocol.so lacks: " << ::testing::PrintToString(bus_.Missing());
    arguments.insert(arguments.begin(), {"--no-timing", "--log", LogPath()});
    sim_ = std::make_unique<SimProcess>(std::move(arguments));
    ASSERT_FALSE(sim_->Path().empty()) << "keldar-meter-sim did not start";
    port_ = OpenPort(Lib(), sim_->Path().c_str(), baud);
    ASSERT_TRUE(PortUsable(Lib(), port_.get()));
  }
  // The simulator goes away, as an unplugged level converter does.
  void Unplug() { sim_.reset(); }

  const KeldarBusProtocolLibrary* Lib() const { return bus_.get(); }
  Link MakeLink(std::function<bool()> stop = {}) const {
    return Link{Lib(), port_.get(), std::move(stop)};
  }

  // The requests the meters heard with C-field `c` (either frame-count bit).
  int Requests(std::uint8_t c) const {
    std::ifstream in(LogPath());
    int count = 0;
    char pattern[16];
    std::snprintf(pattern, sizeof pattern, "M> 10 %02X", c);
    char toggled[16];
    std::snprintf(toggled, sizeof toggled, "M> 10 %02X", c | 0x20);
    for (std::string line; std::getline(in, line);) {
      if (line.find(pattern) != std::string::npos || line.find(toggled) != std::string::npos)
        ++count;
    }
    return count;
  }
  // Every request the meters heard.
  int AllRequests() const {
    std::ifstream in(LogPath());
    int count = 0;
    for (std::string line; std::getline(in, line);)
      if (line.find("M>") != std::string::npos) ++count;
    return count;
  }

  static std::string LogPath() {
    return std::string(KELDAR_TEST_DIR) + "/bus_client_" + std::to_string(::getpid()) + ".log";
  }

  devicescreen::test::BusLibrary bus_;
  std::unique_ptr<SimProcess> sim_;
  Port port_{nullptr, nullptr};
};

inline constexpr std::uint8_t kSndNke = 0x40;
inline constexpr std::uint8_t kReqUd2 = 0x5B;

}  // namespace mbus::test
