// How close `keldar-cli identify` comes to the time the bus itself needs.
// A simulated KRV heat meter with two pulse-input devices answers at 2400 baud
// with line timing on; identify asks for 2400. The floor is the pure line time
// of every byte exchanged (11 bits each, from the simulator's bus log), the
// simulator's reply delays, and the standard response window (330 bit times +
// 50 ms) for each lower speed tried without an answer.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sim_process.h"

extern char** environ;

namespace {

constexpr int kReplyDelayMs = 20;
constexpr int kFoundBaud = 2400;

struct LogTotals {
  double lineMs = 0;
  int answers = 0;
};

LogTotals ReadLog(const std::string& file) {
  LogTotals totals;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    long long ms = 0;
    int baud = 0;
    std::string direction;
    fields >> ms >> baud >> direction;
    if (direction != "M>" && direction != "S<") continue;
    int bytes = 0;
    for (std::string token; fields >> token && token != ";";) ++bytes;
    totals.lineMs += bytes * 11 * 1000.0 / baud;
    if (direction == "S<") ++totals.answers;
  }
  return totals;
}

int RunCli(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  std::vector<std::string> copy = args;
  for (auto& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// One identify run against a fresh simulator; its time in ms, or a negative
// value when it failed. `trace`: the exchange trace's file, empty for none.
double Identify(const std::string& log, const std::string& trace) {
  keldar::bus::test::SimProcess sim(
      {"--log", log, "--reply-delay", std::to_string(kReplyDelayMs),
       std::string(KELDAR_SOURCE_DIR) + "/tools/meter-sim/meters/krv_heat.ini"});
  std::vector<std::string> args{std::string(KELDAR_BIN_DIR) + "/keldar-cli",
                                "identify",
                                "--port",
                                sim.Path(),
                                "--baud",
                                std::to_string(kFoundBaud),
                                "--address",
                                "1"};
  if (!trace.empty()) args.insert(args.end(), {"--trace", trace});
  const auto start = std::chrono::steady_clock::now();
  const int status = RunCli(args);
  const double measured =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (status != 0) std::fprintf(stderr, "identify failed (%d)\n", status);
  return status == 0 ? measured : -1;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  // identify reads program.db and config.ini from the working folder.
  std::filesystem::current_path(KELDAR_BIN_DIR);
  std::printf("%-4s %10s %10s %10s %10s %8s %10s %8s\n", "run", "line ms", "delays ms",
              "windows ms", "measured ms", "ratio", "traced ms", "traced/");
  double worst = 0;
  double sum = 0;
  double untraced = 0;
  double traced = 0;
  for (int run = 1; run <= runs; ++run) {
    const std::string log = "/tmp/keldar-identify-bench.log";
    const double measured = Identify(log, {});
    if (measured < 0) return 1;
    const LogTotals totals = ReadLog(log);
    // The same run with the exchange trace written.
    const double withTrace = Identify(log, "/tmp/keldar-identify-bench.trace");
    if (withTrace < 0) return 1;
    double windows = 0;
    for (int baud = 300; baud < kFoundBaud; baud *= 2) windows += 330 * 1000.0 / baud + 50;
    const double delays = totals.answers * kReplyDelayMs;
    const double floor = totals.lineMs + delays + windows;
    const double ratio = measured / floor;
    std::printf("%-4d %10.1f %10.1f %10.1f %10.1f %8.3f %10.1f %8.4f\n", run, totals.lineMs, delays,
                windows, measured, ratio, withTrace, withTrace / measured);
    worst = std::max(worst, ratio);
    sum += ratio;
    untraced += measured;
    traced += withTrace;
  }
  std::printf("mean ratio %.3f, worst %.3f; traced/untraced %.4f\n", sum / runs, worst,
              traced / untraced);
  return 0;
}
