// Reads one meter through the simulator with line timing on and compares the
// time taken with what the line itself needs: the characters exchanged (11
// bits each) plus the meter's reply delays. A ratio near 1 means the library
// adds no waiting of its own. Each read is followed by the same read with the
// port's trace on; the second table and the traced/untraced ratio show what
// writing the trace costs on the bus.
//
//   keldar-bus-bench [--baud N] [--reads K] [--reply-delay MS] [METER.ini ADDRESS]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "link_timing.h"
#include "read_meter.h"
#include "sim_process.h"

namespace {

using Clock = std::chrono::steady_clock;
using keldar::bench::Exchange;
using keldar::bench::ReadMeter;
using keldar::bus::test::SimProcess;

}  // namespace

int main(int argc, char** argv) {
  const keldar::bench::ReadOptions options = keldar::bench::ParseReadOptions(argc, argv);
  const int baud = options.baud;
  const int reads = options.reads;
  const int reply_delay_ms = options.replyDelayMs;
  const std::string& meter = options.meter;
  const int address = options.address;

  SimProcess sim({"--reply-delay", std::to_string(reply_delay_ms), meter});
  if (sim.Path().empty()) {
    std::fprintf(stderr, "keldar-bus-bench: the simulator did not start\n");
    return 1;
  }
  KeldarBusPort* port = keldar::bus::abi::CreatePort(0, 254, sim.Path().c_str(), baud);
  if (keldar::bus::abi::PortGetStatus(port) != 1) {
    std::fprintf(stderr, "keldar-bus-bench: cannot open %s\n", sim.Path().c_str());
    return 1;
  }
  std::printf("meter %s, address %d, %d baud, reply delay %d ms\n", meter.c_str(), address, baud,
              reply_delay_ms);
  const std::string trace = (std::filesystem::temp_directory_path() /
                             ("keldar-bus-bench-" + std::to_string(::getpid()) + ".log"))
                                .string();
  // Untraced and traced reads alternate, so a busy machine slows both alike.
  struct Row {
    Exchange e;
    double measured = 0;
  };
  std::vector<Row> plain, traced;
  for (int i = 1; i <= reads; ++i) {
    for (bool on : {false, true}) {
      if (keldar::bus::abi::PortSetTrace(port, on ? trace.c_str() : nullptr) != 1) {
        std::fprintf(stderr, "keldar-bus-bench: cannot write %s\n", trace.c_str());
        return 1;
      }
      const auto start = Clock::now();
      const Exchange e = ReadMeter(port, static_cast<std::uint8_t>(address));
      const double measured =
          std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      if (!e.ok) {
        std::fprintf(stderr, "keldar-bus-bench: the meter did not answer\n");
        return 1;
      }
      (on ? traced : plain).push_back({e, measured});
    }
  }
  keldar::bus::abi::PortSetTrace(port, nullptr);
  std::filesystem::remove(trace);

  const auto table = [&](const char* title, const std::vector<Row>& rows) {
    std::printf("%s\n%5s %7s %9s %12s %12s %12s %7s\n", title, "read", "bytes", "answers",
                "line ms", "delays ms", "measured ms", "ratio");
    double worst = 0, sum = 0, total = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const Exchange& e = rows[i].e;
      const double line =
          std::chrono::duration<double, std::milli>(keldar::bus::timing::LineTime(e.bytes, baud))
              .count();
      const double delays = static_cast<double>(e.answers * reply_delay_ms);
      const double ratio = rows[i].measured / (line + delays);
      std::printf("%5zu %7zu %9d %12.1f %12.1f %12.1f %7.3f\n", i + 1, e.bytes, e.answers, line,
                  delays, rows[i].measured, ratio);
      worst = std::max(worst, ratio);
      sum += ratio;
      total += rows[i].measured;
    }
    std::printf("mean ratio %.3f, worst %.3f\n", sum / static_cast<double>(rows.size()), worst);
    return total;
  };
  const double untraced_ms = table("untraced", plain);
  const double traced_ms = table("traced", traced);
  // The median read stands apart from a read another process on the machine slowed.
  const auto median = [](const std::vector<Row>& rows) {
    std::vector<double> ms;
    for (const Row& r : rows) ms.push_back(r.measured);
    std::sort(ms.begin(), ms.end());
    return ms.size() % 2 == 1 ? ms[ms.size() / 2] : (ms[ms.size() / 2 - 1] + ms[ms.size() / 2]) / 2;
  };
  std::printf(
      "traced/untraced %.4f in all (%.1f ms against %.1f ms over %d reads each), "
      "%.4f by the median read\n",
      traced_ms / untraced_ms, traced_ms, untraced_ms, reads, median(traced) / median(plain));
  keldar::bus::abi::DeletePort(port);
  return 0;
}
