#include "meter_options.h"

#include <ostream>

#include "device/port_problem.h"

namespace keldar::cli {

std::optional<MeterTarget> ReadMeterTarget(const Options& options, const char* command,
                                           CommandIo& io, int& status) {
  status = kExitUsage;
  if (!options.Error().empty()) {
    Fail(io, kExitUsage, options.Error());
    return std::nullopt;
  }
  const auto port = options.Value("--port");
  const auto baud = options.Value("--baud");
  const auto address = options.Value("--address");
  if (!port || !baud || !address) {
    Fail(io, kExitUsage, std::string(command) + " needs --port, --baud and --address (see --help)");
    return std::nullopt;
  }
  const auto speed = ParseNumber(*baud, 300, 76800);
  if (!speed) {
    Fail(io, kExitUsage, "--baud: not a speed from 300 to 76800: " + *baud);
    return std::nullopt;
  }
  const auto primary = ParseNumber(*address, 1, 254);
  if (!primary) {
    Fail(io, kExitUsage, "--address: not an address from 1 to 254: " + *address);
    return std::nullopt;
  }
  if (const auto problem = PortPathProblem(*port)) {
    status = kExitFailed;
    Fail(io, kExitFailed, *problem);
    return std::nullopt;
  }
  status = kExitOk;
  return MeterTarget{*port, static_cast<int>(*speed), static_cast<int>(*primary),
                     options.Value(kTraceOption).value_or("")};
}

bool StartTrace(const KeldarBusProtocolLibrary* lib, KeldarBusPort* port, const std::string& file,
                CommandIo& io) {
  if (file.empty()) return true;
  if (lib->CProcessComPortSetTrace.entry == nullptr) {
    io.err << "keldar-cli: warning: this BusProtocol.so cannot write a trace; going on without "
           << file << '\n';
    return true;
  }
  if (keldar_bus_CProcessComPortSetTrace(lib, port, file.c_str()) == 1) return true;
  Fail(io, kExitFailed, "cannot write the trace " + file);
  return false;
}

}  // namespace keldar::cli
