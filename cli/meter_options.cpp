#include "meter_options.h"

#include <algorithm>
#include <ostream>
#include <vector>

#include "base/bus/constants.h"
#include "base/core/ini_file.h"
#include "device/gateway_list.h"
#include "device/meter_scan.h"
#include "device/port_problem.h"

namespace keldar::cli {

std::optional<mbus::Selection> ParseSecondaryTarget(const std::string& text) {
  std::vector<std::string> parts{{}};
  for (const char c : text) {
    if (c == '.')
      parts.emplace_back();
    else
      parts.back().push_back(c);
  }
  if (parts.size() > 4) return std::nullopt;
  const auto id = ParseIdMask(parts[0]);
  if (!id) return std::nullopt;
  mbus::Selection selection;
  selection.identification = *id;
  if (parts.size() > 1) {
    const std::string& maker = parts[1];
    const bool letters = maker.size() == 3 && std::all_of(maker.begin(), maker.end(), [](char c) {
                           return c >= 'A' && c <= 'Z';
                         });
    if (!letters) return std::nullopt;
    selection.manufacturer = maker;
  }
  for (std::size_t i = 2; i < parts.size(); ++i) {
    const auto value = ParseNumber(parts[i], 0, 255);
    if (!value) return std::nullopt;
    (i == 2 ? selection.version : selection.medium) = static_cast<int>(*value);
  }
  return selection;
}

std::optional<mbus::Port> OpenCommandPort(const KeldarBusProtocolLibrary* lib,
                                          const std::string& path, int baud,
                                          const std::string& trace, CommandIo& io) {
  mbus::Port port = mbus::OpenPort(lib, path.c_str(), baud);
  if (!mbus::PortUsable(lib, port.get())) {
    Fail(io, kExitFailed, PortOpenFailure(lib, port.get(), path));
    return std::nullopt;
  }
  RememberGateway(Settings(), path);
  ApplyAnswerAllowance(Settings(), lib, port.get(), path);
  if (!StartTrace(lib, port.get(), trace, io)) return std::nullopt;
  return port;
}

bool SelectTarget(const mbus::Link& link, const MeterTarget& target, CommandIo& io) {
  if (!target.selection) return true;
  const int selected = mbus::SendSelection(link, *target.selection);
  if (selected == KELDAR_BUS_RESULT_ACK) return true;
  Fail(io, kExitFailed,
       selected == mbus::kResultGarbage
           ? "several meters answer to that secondary address (bytes came that make no frame); "
             "give the maker, version and medium too, or find the meters with scan"
           : "no meter answers to that secondary address at " + std::to_string(target.baud) +
                 " baud");
  return false;
}

std::optional<MeterTarget> ReadMeterTarget(const Options& options, const char* command,
                                           CommandIo& io, int& status, bool bySecondary) {
  status = kExitUsage;
  if (!options.Error().empty()) {
    Fail(io, kExitUsage, options.Error());
    return std::nullopt;
  }
  const auto port = options.Value("--port");
  const auto baud = options.Value("--baud");
  const auto secondary = bySecondary ? options.Value(kSecondaryTargetOption) : std::nullopt;
  const auto address = secondary ? std::optional<std::string>("253") : options.Value("--address");
  if (secondary && options.Value("--address")) {
    Fail(io, kExitUsage, std::string(command) + " takes --address or --secondary, not both");
    return std::nullopt;
  }
  if (!port || !baud || !address) {
    Fail(io, kExitUsage,
         std::string(command) + " needs --port, --baud and --address" +
             (bySecondary ? " or --secondary" : "") + " (see --help)");
    return std::nullopt;
  }
  std::optional<mbus::Selection> selection;
  if (secondary) {
    selection = ParseSecondaryTarget(*secondary);
    if (!selection) {
      Fail(io, kExitUsage,
           "--secondary: not ID[.MAN[.VER[.MED]]] (e.g. 41000001.KRV.3.4): " + *secondary);
      return std::nullopt;
    }
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
                     options.Value(kTraceOption).value_or(""), selection};
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
