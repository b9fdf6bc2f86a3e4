// keldar-meter-sim: meters on a pseudo-terminal, or behind a simulated network
// gateway. Prints the terminal's path (or the gateway's tcp:// address) on the
// first line of standard output, then serves the bus until killed.
#include <sys/prctl.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bus.h"
#include "bus_log.h"
#include "meter_file.h"
#include "pty_port.h"
#include "receiver.h"
#include "tcp_gateway.h"

namespace {

using namespace keldar::sim;

constexpr char kUsage[] =
    "usage: keldar-meter-sim [options] METER.ini...  (a file may hold several meters)\n"
    "  --no-timing        answer as soon as the request is complete (no reply\n"
    "                     delay, the answer's bytes all at once; every station\n"
    "                     that answers does so at the same moment)\n"
    "  --reply-delay MS   reply delay of every meter\n"
    "  --echo             echo each request first, like some level converters\n"
    "  --standard-selection  every meter leaves its selection on SND_NKE to 253\n"
    "  --log FILE         write the bus traffic to FILE\n"
    "  --state FILE       keep the meters' changeable state (addresses, serial\n"
    "                     number, medium) in FILE, rewritten after each change\n"
    "  --replay HEX       a meter answering REQ_UD2 with this frame (repeatable)\n"
    "  --address A        primary address of the --replay meter (default 1)\n"
    "  --speed N          speed of the --replay meter (default 2400)\n"
    "  --tcp PORT         serve the meters as a network gateway on 127.0.0.1\n"
    "                     and ::1 at PORT (0: a free port) instead of a\n"
    "                     pseudo-terminal; one master at a time\n"
    "  --tcp-speed N      the gateway's bus speed (default: the first meter's)\n"
    "  --tcp-drop-after N the gateway closes the connection when request N+1\n"
    "                     arrives, unanswered\n";

struct Options {
  bool timing = true;
  int reply_delay_ms = -1;
  bool echo = false;
  bool standard_selection = false;
  std::string log;
  std::string state;
  std::vector<std::string> meter_files;
  std::vector<Bytes> replay;
  int replay_address = 1;
  int replay_speed = 2400;
  int tcp_port = -1;  // -1: a pseudo-terminal
  int tcp_speed = 0;
  int tcp_drop_after = -1;
};

bool ParseOptions(int argc, char** argv, Options& o, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::invalid_argument(arg + " needs a value");
      return argv[++i];
    };
    try {
      if (arg == "--no-timing") {
        o.timing = false;
      } else if (arg == "--reply-delay") {
        o.reply_delay_ms = std::stoi(value());
      } else if (arg == "--echo") {
        o.echo = true;
      } else if (arg == "--standard-selection") {
        o.standard_selection = true;
      } else if (arg == "--log") {
        o.log = value();
      } else if (arg == "--state") {
        o.state = value();
      } else if (arg == "--replay") {
        const auto bytes = ParseHex(value());
        if (!bytes || bytes->empty()) throw std::invalid_argument("--replay: not hex");
        o.replay.push_back(*bytes);
      } else if (arg == "--address") {
        o.replay_address = std::stoi(value());
      } else if (arg == "--speed") {
        o.replay_speed = std::stoi(value());
      } else if (arg == "--tcp") {
        o.tcp_port = std::stoi(value());
        if (o.tcp_port < 0 || o.tcp_port > 65535) throw std::invalid_argument("--tcp: not a port");
      } else if (arg == "--tcp-speed") {
        o.tcp_speed = std::stoi(value());
      } else if (arg == "--tcp-drop-after") {
        o.tcp_drop_after = std::stoi(value());
      } else if (arg == "--help" || arg == "-h") {
        std::fputs(kUsage, stdout);
        std::exit(0);
      } else if (!arg.empty() && arg[0] == '-') {
        throw std::invalid_argument("unknown option " + arg);
      } else {
        o.meter_files.push_back(arg);
      }
    } catch (const std::exception& e) {
      error = e.what();
      return false;
    }
  }
  if (o.meter_files.empty() && o.replay.empty()) {
    error = "no meter given";
    return false;
  }
  return true;
}

MeterDescription ReplayMeter(const Options& o) {
  MeterDescription m;
  m.name = "replay";
  m.address = static_cast<std::uint8_t>(o.replay_address);
  m.speed = o.replay_speed;
  m.replay = o.replay;
  return m;
}

// Replaces `path` whole, so a reader never sees half a state.
bool WriteState(const std::string& path, const std::string& text) {
  const std::string staged = path + ".new";
  std::FILE* file = std::fopen(staged.c_str(), "w");
  if (file == nullptr) return false;
  const bool written = std::fputs(text.c_str(), file) >= 0;
  if (std::fclose(file) != 0 || !written) return false;
  return std::rename(staged.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  ::prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlive the test that started us
  Options options;
  std::string error;
  if (!ParseOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "keldar-meter-sim: %s\n%s", error.c_str(), kUsage);
    return 2;
  }
  std::vector<MeterDescription> meters;
  for (const auto& file : options.meter_files) {
    auto described = LoadMeterFile(file, error);
    if (!described) {
      std::fprintf(stderr, "keldar-meter-sim: %s\n", error.c_str());
      return 2;
    }
    for (auto& m : *described) meters.push_back(std::move(m));
  }
  if (!options.replay.empty()) meters.push_back(ReplayMeter(options));
  for (auto& m : meters) {
    options.echo = options.echo || m.echo;
    m.standard_selection = m.standard_selection || options.standard_selection;
  }
  if (options.reply_delay_ms >= 0) {
    for (auto& m : meters) m.reply_delay_ms = options.reply_delay_ms;
  }

  BusLog log;
  if (!options.log.empty() && !log.Open(options.log)) {
    std::fprintf(stderr, "keldar-meter-sim: cannot write %s\n", options.log.c_str());
    return 2;
  }
  std::unique_ptr<SimLine> port;
  if (options.tcp_port >= 0) {
    const int speed = options.tcp_speed > 0 ? options.tcp_speed : meters.front().speed;
    auto gateway = TcpGateway::Open(options.tcp_port, speed, error);
    if (!gateway) {
      std::fprintf(stderr, "keldar-meter-sim: %s\n", error.c_str());
      return 1;
    }
    std::printf("tcp://127.0.0.1:%d\n", gateway->Port());
    port = std::move(gateway);
  } else {
    auto pty = PtyPort::Open(error);
    if (!pty) {
      std::fprintf(stderr, "keldar-meter-sim: %s\n", error.c_str());
      return 1;
    }
    std::printf("%s\n", pty->Path().c_str());
    port = std::make_unique<PtyPort>(std::move(*pty));
  }
  std::fflush(stdout);

  Bus bus(std::move(meters));
  std::string state = bus.StateText();
  if (!options.state.empty() && !WriteState(options.state, state)) {
    std::fprintf(stderr, "keldar-meter-sim: cannot write %s\n", options.state.c_str());
    return 2;
  }
  Bytes input;
  SimLine::Clock::time_point first_byte{};
  std::uint64_t session = port->Session();
  int requests = 0;  // of this master's connection
  for (;;) {
    const bool was_empty = input.empty();
    if (!port->Read(input, std::chrono::milliseconds(-1))) return 1;
    if (port->Session() != session) {
      // Another connection: nothing of the last master's is left to answer.
      session = port->Session();
      input.clear();
      requests = 0;
      continue;
    }
    // The master wrote the whole request at once; a real line delivers its
    // last byte only after the request's line time.
    if (was_empty && !input.empty()) first_byte = PtyPort::Clock::now();
    std::size_t length = 0;
    while (auto request = TakeRequest(input, length)) {
      if (options.tcp_drop_after >= 0 && requests == options.tcp_drop_after) {
        port->Drop();  // never reaches the bus
        break;
      }
      ++requests;
      const int speed = port->LineSpeed();
      Bytes sent = request->is_long
                       ? LongFrame(request->c, request->a, request->ci, request->data)
                       : Bytes{0x10, request->c, request->a,
                               static_cast<std::uint8_t>(request->c + request->a), 0x16};
      // No meter answers before it heard the whole request, timing or not.
      const auto request_end = first_byte + LineTime(length, speed);
      if (options.echo) port->Write(sent, false, {}, speed);
      std::vector<Transmission> answers = bus.Handle(*request, speed);
      // Without timing every station answers at once.
      if (!options.timing) {
        for (auto& a : answers) a.start = {};
      }
      const std::vector<Burst> bursts = Receive(answers, speed);
      log.Request(speed, sent, DescribeRequest(*request), !bursts.empty());
      for (const Burst& burst : bursts) {
        const auto start = options.timing ? request_end + burst.start
                                          : std::max(request_end, SimLine::Clock::now());
        if (!options.timing) std::this_thread::sleep_until(start);
        // Logged first: whoever reads the log after the master has the answer finds it there.
        log.Answer(speed, burst.bytes);
        if (!port->Write(burst.bytes, options.timing, start, speed)) return 1;
      }
      bus.AfterReply();
      if (!options.state.empty() && bus.StateText() != state) {
        state = bus.StateText();
        if (!WriteState(options.state, state)) return 1;
      }
      first_byte = SimLine::Clock::now();
    }
  }
}
