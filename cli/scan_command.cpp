#include "scan_command.h"

#include <signal.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonObject>
#include <atomic>
#include <ostream>

#include "base/bus/objects.h"
#include "base/core/ini_file.h"
#include "device/bus_protocol_library.h"
#include "device/gateway_list.h"
#include "device/meter_scan.h"
#include "device/port_problem.h"
#include "json_output.h"
#include "meter_options.h"
#include "options.h"
#include "telegram_table.h"

namespace keldar::cli {

namespace {

constexpr char kHelp[] =
    "usage: keldar-cli scan --port PATH --baud N --primary [--from A] [--to B] [--retries R]\n"
    "       keldar-cli scan --port PATH --baud N --secondary [--mask 1234FFFF]\n"
    "                       [--manufacturer KRV] [--version V] [--medium M]\n"
    "       (either with [--json] [--trace FILE])\n"
    "\n"
    "Finds the meters on the bus at one speed.\n"
    "  --primary      ask every primary address from A to B (0 to 250): SND_NKE,\n"
    "                 then REQ_UD2 for the header of each meter that answers;\n"
    "                 bytes that make no frame at an address are asked again and\n"
    "                 then reported as a collision (several meters share it)\n"
    "  --retries R    repeats of a request that met silence (0-2, default 0)\n"
    "  --secondary    search the identification numbers by selection with\n"
    "                 wildcard digits; each meter found is read for its header\n"
    "  --mask M       the part of the identification number to search: 8\n"
    "                 characters, digits fixed, F a wildcard (default FFFFFFFF)\n"
    "  --manufacturer, --version, --medium   only meters with these\n"
    "  --json         print one JSON document instead of text: an array, one\n"
    "                 object per finding\n"
    "  --trace FILE   write every exchange on the bus to FILE\n"
    "Progress goes to standard error. Ctrl-C stops the scan within one exchange\n"
    "and prints what was found so far.\n"
    "Exit status 0 when the scan ran to its end, 1 when the port failed, 2 for\n"
    "usage, 130 when stopped by Ctrl-C.\n";

constexpr int kExitInterrupted = 130;

std::atomic<bool> interrupted{false};

void OnInterrupt(int) { interrupted.store(true); }

// Ctrl-C asks the scan to stop while this lives; the shell's handling returns after.
class InterruptStopsScan {
 public:
  InterruptStopsScan() {
    interrupted.store(false);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previous_);
  }
  ~InterruptStopsScan() { sigaction(SIGINT, &previous_, nullptr); }
  InterruptStopsScan(const InterruptStopsScan&) = delete;
  InterruptStopsScan& operator=(const InterruptStopsScan&) = delete;

 private:
  struct sigaction previous_ {};
};

// Progress on standard error: one line rewritten on a terminal, a line now
// and then otherwise; each meter found on a line of its own.
class ProgressPrinter : public ScanObserver {
 public:
  explicit ProgressPrinter(std::ostream& err) : err_(err), terminal_(::isatty(STDERR_FILENO)) {}
  ~ProgressPrinter() override {
    if (terminal_ && pending_) err_ << '\n';
  }

  void Progress(const ScanProgress& progress) override {
    const std::string line =
        progress.total > 0
            ? "scan: address " + progress.current + ", " + std::to_string(progress.done) + " of " +
                  std::to_string(progress.total) + " done, " + std::to_string(progress.found) +
                  " found"
            : "scan: " + std::to_string(progress.done) + " selections, mask " + progress.current +
                  ", " + std::to_string(progress.found) + " found";
    if (terminal_) {
      err_ << '\r' << line << "\x1b[K" << std::flush;
      pending_ = true;
    } else if (progress.done % 25 == 0 || progress.done == progress.total) {
      err_ << line << '\n';
    }
  }

  void Found(const FoundMeter& meter) override {
    if (terminal_ && pending_) err_ << '\n';
    pending_ = false;
    err_ << "scan: found " << Describe(meter) << '\n';
  }

  static std::string Describe(const FoundMeter& meter) {
    const std::string at =
        meter.primaryAddress ? "address " + std::to_string(*meter.primaryAddress) : "address 253";
    if (meter.collision)
      return meter.primaryAddress ? at + ": several meters answer at once"
                                  : "several meters with identification " + meter.Id();
    if (meter.acknowledgedOnly)
      return meter.primaryAddress ? at + ": a meter acknowledges but sends no data"
                                  : meter.Id() + ": a meter acknowledges but sends no data";
    return meter.Id() + " " + meter.manufacturer + " at " + at;
  }

 private:
  std::ostream& err_;
  bool terminal_;
  bool pending_ = false;
};

QJsonValue OrNull(bool known, const QJsonValue& value) { return known ? value : QJsonValue(); }

QJsonObject MeterJson(const FoundMeter& meter) {
  const bool identified = !meter.collision && !meter.acknowledgedOnly;
  // A collision by selection still knows the digits every meter there shares.
  const bool hasId = identified || !meter.primaryAddress;
  return {
      {"primary_address", meter.primaryAddress ? QJsonValue(*meter.primaryAddress) : QJsonValue()},
      {"secondary_address", OrNull(identified, QString::fromStdString(meter.SecondaryAddress()))},
      {"id", OrNull(hasId, QString::fromStdString(meter.Id()))},
      {"manufacturer", OrNull(identified, QString::fromStdString(meter.manufacturer))},
      {"version", OrNull(identified, meter.version)},
      {"medium", OrNull(identified, meter.medium)},
      {"model", OrNull(identified && !meter.model.empty(), QString::fromStdString(meter.model))},
      {"collision", meter.collision},
      {"shared_primary_address", meter.sharesPrimaryAddress},
      {"acknowledged_only", meter.acknowledgedOnly},
  };
}

void PrintTable(std::ostream& out, const ScanResult& result) {
  if (result.meters.empty()) {
    out << "no meter found\n";
    return;
  }
  out << "address  secondary address  id        maker  version  medium                 model\n";
  for (const FoundMeter& meter : result.meters) {
    std::string address = meter.primaryAddress ? std::to_string(*meter.primaryAddress) : "-";
    if (meter.sharesPrimaryAddress) address += " (shared)";
    address.resize(std::max<std::size_t>(address.size(), 8), ' ');
    if (meter.collision || meter.acknowledgedOnly) {
      out << address << ' ' << ProgressPrinter::Describe(meter) << '\n';
      continue;
    }
    std::string medium =
        std::to_string(meter.medium) + " " + MediumName(static_cast<std::uint8_t>(meter.medium));
    medium.resize(std::max<std::size_t>(medium.size(), 22), ' ');
    std::string version = std::to_string(meter.version);
    version.resize(8, ' ');
    out << address << ' ' << meter.SecondaryAddress() << "   " << meter.Id() << "  "
        << meter.manufacturer << "    " << version << ' ' << medium << ' ' << meter.model << '\n';
  }
}

struct ScanPlan {
  bool primary = false;
  PrimaryScanRequest primaryRequest;
  SecondaryScanRequest secondaryRequest;
};

// The scan the options ask for, or a usage message.
std::optional<ScanPlan> ReadPlan(const Options& options, std::string& problem) {
  ScanPlan plan;
  const bool primary = options.Flag("--primary");
  const bool secondary = options.Flag("--secondary");
  if (primary == secondary) {
    problem = "scan needs --primary or --secondary (see --help)";
    return std::nullopt;
  }
  plan.primary = primary;
  const auto number = [&](const char* name, long min, long max, int& into) {
    const auto text = options.Value(name);
    if (!text) return true;
    const auto value = ParseNumber(*text, min, max);
    if (!value) {
      problem = std::string(name) + ": not a number from " + std::to_string(min) + " to " +
                std::to_string(max) + ": " + *text;
      return false;
    }
    into = static_cast<int>(*value);
    return true;
  };
  for (const char* name : {"--from", "--to", "--retries"}) {
    if (secondary && options.Value(name)) {
      problem = std::string(name) + " belongs to --primary";
      return std::nullopt;
    }
  }
  for (const char* name : {"--mask", "--manufacturer", "--version", "--medium"}) {
    if (primary && options.Value(name)) {
      problem = std::string(name) + " belongs to --secondary";
      return std::nullopt;
    }
  }
  auto& p = plan.primaryRequest;
  auto& s = plan.secondaryRequest;
  if (!number("--from", 0, 250, p.from) || !number("--to", 0, 250, p.to) ||
      !number("--retries", 0, 2, p.retries) || !number("--version", 0, 255, s.version) ||
      !number("--medium", 0, 255, s.medium))
    return std::nullopt;
  if (p.from > p.to) {
    problem = "--from is above --to";
    return std::nullopt;
  }
  s.mask = options.Value("--mask").value_or("FFFFFFFF");
  if (!ParseIdMask(s.mask)) {
    problem = "--mask: not 8 characters of digits and F (e.g. 1234FFFF): " + s.mask;
    return std::nullopt;
  }
  s.manufacturer = options.Value("--manufacturer").value_or("");
  if (!s.manufacturer.empty() && !ParseSecondaryTarget("FFFFFFFF." + s.manufacturer)) {
    problem = "--manufacturer: not three capital letters: " + s.manufacturer;
    return std::nullopt;
  }
  return plan;
}

int Run(const std::vector<std::string>& args, CommandIo& io) {
  const Options options(args,
                        {"--port", "--baud", "--from", "--to", "--retries", "--mask",
                         "--manufacturer", "--version", "--medium", kTraceOption},
                        {kJsonOption, "--primary", "--secondary"});
  if (!options.Error().empty()) return Fail(io, kExitUsage, options.Error());
  if (!options.Positional().empty())
    return Fail(io, kExitUsage, "unexpected argument " + options.Positional().front());
  const auto port = options.Value("--port");
  const auto baudText = options.Value("--baud");
  if (!port || !baudText) return Fail(io, kExitUsage, "scan needs --port and --baud (see --help)");
  const auto baud = ParseNumber(*baudText, 300, 76800);
  if (!baud) return Fail(io, kExitUsage, "--baud: not a speed from 300 to 76800: " + *baudText);
  std::string problem;
  const auto plan = ReadPlan(options, problem);
  if (!plan) return Fail(io, kExitUsage, problem);
  if (const auto portProblem = PortPathProblem(*port)) return Fail(io, kExitFailed, *portProblem);

  BusProtocolLibrary library;
  if (!library.IsLoaded())
    return Fail(io, kExitFailed, "the M-Bus library BusProtocol.so is missing");
  const KeldarBusProtocolLibrary* lib = library.GetApi();
  const auto bus = OpenCommandPort(lib, *port, static_cast<int>(*baud),
                                   options.Value(kTraceOption).value_or(""), io);
  if (!bus) return kExitFailed;

  InterruptStopsScan stopByCtrlC;
  const mbus::Link link{lib, bus->get(), [] { return interrupted.load(); }};
  ScanResult result;
  {
    ProgressPrinter progress(io.err);
    result = plan->primary ? ScanPrimary(link, plan->primaryRequest, &progress)
                           : ScanSecondary(link, plan->secondaryRequest, &progress);
  }
  if (options.Flag(kJsonOption)) {
    QJsonArray meters;
    for (const FoundMeter& meter : result.meters) meters.append(MeterJson(meter));
    PrintJson(io.out, meters);
  } else {
    PrintTable(io.out, result);
  }
  switch (result.end) {
    case ScanEnd::Complete:
      return kExitOk;
    case ScanEnd::Stopped:
      io.err << "keldar-cli: the scan was stopped; the meters above are those found so far\n";
      return kExitInterrupted;
    case ScanEnd::PortLost:
      return Fail(io, kExitFailed,
                  "the port " + *port +
                      " was lost during the scan; the meters above are those found before. "
                      "Check the level converter's connection and scan again");
    case ScanEnd::InvalidMask:
      break;
  }
  return Fail(io, kExitUsage, "--mask: not 8 characters of digits and F");
}

}  // namespace

const Command& ScanCommand() {
  static const Command command{"scan", "find the meters on a bus by primary or secondary address",
                               kHelp, Run};
  return command;
}

}  // namespace keldar::cli
