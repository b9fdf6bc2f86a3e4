// How close the bus scans come to the time the bus itself needs, with line
// timing on in the simulator (its meters answer after their reply delays).
//
// Primary: addresses 0-250 at 2400 baud with two meters. The floor is
// 251 x (the SND_NKE's line time + the no-answer window) plus the line time of
// every answer.
// Secondary: the simulated 20-meter bus. The floor is the line time of every
// exchange (request and answer, from the simulator's bus log) plus the
// no-answer window of every request nothing answered.
// The no-answer window is the library's: 330 bit times + 150 ms.
//
// usage: keldar-scan-bench [primary|secondary|both] [meter files...]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/bus/objects.h"
#include "base/platform/library.h"
#include "device/bus_protocol_library.h"
#include "device/meter_scan.h"
#include "sim_process.h"

namespace {

constexpr int kBaud = 2400;
constexpr double kBitsPerByte = 11;

double LineMs(int bytes) { return bytes * kBitsPerByte * 1000.0 / kBaud; }
double WindowMs() { return 330 * 1000.0 / kBaud + 150; }

// What the simulator's bus log says of the exchanges.
struct Traffic {
  int requests = 0;
  int silent = 0;        // requests nothing answered
  double requestMs = 0;  // line time of the requests
  double answerMs = 0;   // line time of the answers
};

Traffic ReadLog(const std::string& file) {
  Traffic traffic;
  std::ifstream in(file);
  bool answered = true;
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    long long ms = 0;
    int baud = 0;
    std::string direction;
    fields >> ms >> baud >> direction;
    if (direction != "M>" && direction != "S<") continue;
    int bytes = 0;
    for (std::string token; fields >> token && token != ";";) ++bytes;
    if (direction == "M>") {
      if (!answered) ++traffic.silent;
      answered = false;
      ++traffic.requests;
      traffic.requestMs += LineMs(bytes);
    } else if (bytes > 0) {  // the simulator logs silence as an answer without bytes
      answered = true;
      traffic.answerMs += LineMs(bytes);
    }
  }
  if (!answered) ++traffic.silent;
  return traffic;
}

struct Run {
  ScanResult result;
  double ms = 0;
};

Run Scan(bool primary, const std::vector<std::string>& meters, const std::string& log) {
  std::vector<std::string> args{"--log", log};
  args.insert(args.end(), meters.begin(), meters.end());
  keldar::bus::test::SimProcess sim(args);
  BusProtocolLibrary bus;
  const mbus::Port port = mbus::OpenPort(bus.GetApi(), sim.Path().c_str(), kBaud);
  const mbus::Link link{bus.GetApi(), port.get(), {}};
  Run run;
  const auto start = std::chrono::steady_clock::now();
  run.result = primary ? ScanPrimary(link, {}, nullptr) : ScanSecondary(link, {}, nullptr);
  run.ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  return run;
}

std::string Meter(const char* name) {
  return std::string(KELDAR_SOURCE_DIR) + "/tools/meter-sim/meters/" + name;
}

int Primary(std::vector<std::string> meters) {
  if (meters.empty()) meters = {Meter("krv_heat.ini"), Meter("krv_cold_water.ini")};
  const std::string log = "/tmp/keldar-scan-bench-primary.log";
  const Run run = Scan(true, meters, log);
  const Traffic traffic = ReadLog(log);
  const double floor = 251 * (LineMs(5) + WindowMs()) + traffic.answerMs;
  std::printf("primary scan 0-250 at %d baud: %zu found, %d requests (%d silent)\n", kBaud,
              run.result.meters.size(), traffic.requests, traffic.silent);
  std::printf(
      "  measured %.0f ms, floor %.0f ms (251 x (%.1f + %.1f) + answers %.0f), "
      "ratio %.3f\n",
      run.ms, floor, LineMs(5), WindowMs(), traffic.answerMs, run.ms / floor);
  return run.result.end == ScanEnd::Complete ? 0 : 1;
}

int Secondary(std::vector<std::string> meters) {
  if (meters.empty()) meters = {Meter("bus20.ini")};
  const std::string log = "/tmp/keldar-scan-bench-secondary.log";
  const Run run = Scan(false, meters, log);
  const Traffic traffic = ReadLog(log);
  const double floor = traffic.requestMs + traffic.answerMs + traffic.silent * WindowMs();
  const auto found = run.result.meters.size();
  std::printf(
      "secondary scan at %d baud: %zu found, %d selections (%.1f a meter), %d requests "
      "(%d silent)\n",
      kBaud, found, run.result.selections,
      found > 0 ? static_cast<double>(run.result.selections) / found : 0.0, traffic.requests,
      traffic.silent);
  std::printf(
      "  measured %.0f ms, floor %.0f ms (requests %.0f + answers %.0f + %d x %.1f), "
      "ratio %.3f\n",
      run.ms, floor, traffic.requestMs, traffic.answerMs, traffic.silent, WindowMs(),
      run.ms / floor);
  for (const FoundMeter& meter : run.result.meters)
    std::printf("  %s %s %s\n", meter.Id().c_str(),
                meter.primaryAddress ? std::to_string(*meter.primaryAddress).c_str() : "-",
                meter.collision ? "collision" : meter.model.c_str());
  return run.result.end == ScanEnd::Complete ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  platform::SetPluginDirectory(KELDAR_BIN_DIR);
  const std::string which = argc > 1 ? argv[1] : "both";
  const std::vector<std::string> meters(argv + std::min(argc, 2), argv + argc);
  int status = 0;
  if (which == "primary" || which == "both") status |= Primary(meters);
  if (which == "secondary" || which == "both") status |= Secondary(meters);
  return status;
}
