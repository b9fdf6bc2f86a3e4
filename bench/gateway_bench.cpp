// Reads one meter through a simulated network gateway on loopback and the
// same meter through a pseudo-terminal, alternately, with line timing on, and
// prints the time of each and the ratio gateway/serial. The gateway's answers
// are timed exactly as the serial line's, so the ratio shows what the network
// path and its allowance cost a readout (a complete frame never waits out the
// allowance; only silence and an acknowledgement's end do).
//
//   keldar-gateway-bench [--baud N] [--reads K] [--reply-delay MS] [METER.ini ADDRESS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "read_meter.h"
#include "sim_process.h"

namespace {

using Clock = std::chrono::steady_clock;
using keldar::bench::Exchange;
using keldar::bench::ReadMeter;
using keldar::bus::test::SimProcess;
namespace abi = keldar::bus::abi;

double Median(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  return ms.size() % 2 == 1 ? ms[ms.size() / 2] : (ms[ms.size() / 2 - 1] + ms[ms.size() / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  const keldar::bench::ReadOptions options = keldar::bench::ParseReadOptions(argc, argv);
  const int baud = options.baud;
  const int reads = options.reads;
  const int reply_delay_ms = options.replyDelayMs;
  const std::string& meter = options.meter;
  const int address = options.address;
  const std::string delay = std::to_string(reply_delay_ms);
  SimProcess serial_sim({"--reply-delay", delay, meter});
  SimProcess gateway_sim(
      {"--reply-delay", delay, "--tcp", "0", "--tcp-speed", std::to_string(baud), meter});
  if (serial_sim.Path().empty() || gateway_sim.Path().empty()) {
    std::fprintf(stderr, "keldar-gateway-bench: the simulator did not start\n");
    return 1;
  }
  KeldarBusPort* serial = abi::CreatePort(0, 254, serial_sim.Path().c_str(), baud);
  KeldarBusPort* gateway = abi::CreatePort(0, 254, gateway_sim.Path().c_str(), baud);
  if (abi::PortGetStatus(serial) != 1 || abi::PortGetStatus(gateway) != 1) {
    std::fprintf(stderr, "keldar-gateway-bench: cannot open %s or %s\n", serial_sim.Path().c_str(),
                 gateway_sim.Path().c_str());
    return 1;
  }
  std::printf("meter %s, address %d, %d baud, reply delay %d ms\n%s against %s\n", meter.c_str(),
              address, baud, reply_delay_ms, gateway_sim.Path().c_str(), serial_sim.Path().c_str());
  std::printf("%5s %7s %12s %12s %7s\n", "read", "bytes", "serial ms", "gateway ms", "ratio");
  // Alternating, so that a busy machine slows both alike.
  std::vector<double> serial_ms, gateway_ms;
  for (int i = 1; i <= reads; ++i) {
    std::size_t bytes = 0;
    for (KeldarBusPort* port : {serial, gateway}) {
      const auto start = Clock::now();
      const Exchange e = ReadMeter(port, static_cast<std::uint8_t>(address));
      const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      if (!e.ok) {
        std::fprintf(stderr, "keldar-gateway-bench: the meter did not answer through %s\n",
                     port == serial ? "the pseudo-terminal" : "the gateway");
        return 1;
      }
      bytes = e.bytes;
      (port == serial ? serial_ms : gateway_ms).push_back(ms);
    }
    std::printf("%5d %7zu %12.1f %12.1f %7.3f\n", i, bytes, serial_ms.back(), gateway_ms.back(),
                gateway_ms.back() / serial_ms.back());
  }
  double serial_total = 0, gateway_total = 0;
  for (const double ms : serial_ms) serial_total += ms;
  for (const double ms : gateway_ms) gateway_total += ms;
  std::printf(
      "gateway/serial %.4f in all (%.1f ms against %.1f ms over %d reads each), "
      "%.4f by the median read\n",
      gateway_total / serial_total, gateway_total, serial_total, reads,
      Median(gateway_ms) / Median(serial_ms));
  abi::DeletePort(gateway);
  abi::DeletePort(serial);
  return 0;
}
