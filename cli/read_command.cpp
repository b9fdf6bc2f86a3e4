#include "read_command.h"

#include <filesystem>
#include <ostream>

#include "base/bus/constants.h"
#include "base/bus/exchange.h"
#include "base/bus/gateway_address.h"
#include "base/bus/objects.h"
#include "base/bus/read.h"
#include "base/core/ini_file.h"
#include "device/bus_protocol_library.h"
#include "device/gateway_list.h"
#include "device/port_problem.h"
#include "json_output.h"
#include "meter_options.h"
#include "options.h"
#include "telegram_json.h"
#include "telegram_table.h"

namespace keldar::cli {

namespace {

constexpr char kHelp[] =
    "usage: keldar-cli read --port PATH --baud N (--address A | --secondary ID)\n"
    "                       [--json] [--trace FILE]\n"
    "\n"
    "Reads one meter: SND_NKE, then REQ_UD2 for every telegram of its answer,\n"
    "and prints the records as a table.\n"
    "  --port PATH    serial device, e.g. /dev/ttyUSB0, or a network gateway\n"
    "                 tcp://HOST:PORT (IPv6 in brackets)\n"
    "  --baud N       line speed, 300 to 76800 (a gateway's: the speed of its bus)\n"
    "  --address A    primary address 0-250, 253 (selected) or 254 "
    "(any)\n" KELDAR_SECONDARY_TARGET_HELP
    "  --json         print one JSON document instead of text (as decode --json)\n"
    "  --trace FILE   write every exchange on the bus to FILE\n"
    "Exit status 0 when the meter was read, 1 when it was not, 2 for usage.\n";

int Run(const std::vector<std::string>& args, CommandIo& io) {
  const Options options(
      args, {"--port", "--baud", "--address", kSecondaryTargetOption, kTraceOption}, {kJsonOption});
  if (!options.Error().empty()) return Fail(io, kExitUsage, options.Error());
  if (!options.Positional().empty()) {
    return Fail(io, kExitUsage, "unexpected argument " + options.Positional().front());
  }
  const auto port = options.Value("--port");
  const auto baud_text = options.Value("--baud");
  const auto secondary = options.Value(kSecondaryTargetOption);
  if (secondary && options.Value("--address"))
    return Fail(io, kExitUsage, "read takes --address or --secondary, not both");
  const auto address_text =
      secondary ? std::optional<std::string>("253") : options.Value("--address");
  if (!port || !baud_text || !address_text) {
    return Fail(io, kExitUsage,
                "read needs --port, --baud and --address or --secondary (see --help)");
  }
  const auto selection = secondary ? ParseSecondaryTarget(*secondary) : std::nullopt;
  if (secondary && !selection) {
    return Fail(io, kExitUsage,
                "--secondary: not ID[.MAN[.VER[.MED]]] (e.g. 41000001.KRV.3.4): " + *secondary);
  }
  const auto baud = ParseNumber(*baud_text, 300, 76800);
  if (!baud) return Fail(io, kExitUsage, "--baud: not a speed from 300 to 76800: " + *baud_text);
  const auto address = ParseNumber(*address_text, 0, 254);
  if (!address || *address == 251 || *address == 252) {
    return Fail(io, kExitUsage, "--address: not 0-250, 253 or 254: " + *address_text);
  }

  std::error_code error;
  if (mbus::IsGatewayPath(*port)) {
    if (const auto problem = PortPathProblem(*port)) return Fail(io, kExitFailed, *problem);
  } else if (!std::filesystem::exists(*port, error)) {
    return Fail(io, kExitFailed, "no such port " + *port);
  }
  BusProtocolLibrary library;
  if (!library.IsLoaded())
    return Fail(io, kExitFailed, "the M-Bus library BusProtocol.so is missing");
  const KeldarBusProtocolLibrary* lib = library.GetApi();

  const auto bus = OpenCommandPort(lib, *port, static_cast<int>(*baud),
                                   options.Value(kTraceOption).value_or(""), io);
  if (!bus) return kExitFailed;
  const mbus::Link link{lib, bus->get(), {}};
  const auto a = static_cast<std::uint8_t>(*address);
  const std::string where =
      (selection ? "secondary address " + *secondary : "address " + std::to_string(*address)) +
      " at " + std::to_string(*baud) + " baud";
  // A selected meter starts its link afresh: the selection stands for the reset.
  const int reset = selection ? mbus::SendSelection(link, *selection) : mbus::Ping(link, a);
  if (!link.PortUsable()) return Fail(io, kExitFailed, PortLostFailure(*port));
  if (reset == mbus::kResultGarbage)
    return Fail(
        io, kExitFailed,
        "no clean acknowledgement from " + where +
            ": bytes came that make no frame (noise on the line, or several meters at once)");
  if (reset != KELDAR_BUS_RESULT_ACK) return Fail(io, kExitFailed, "no answer from " + where);

  const mbus::Telegram target = mbus::NewTelegram(lib);
  const mbus::ReadResult read = mbus::ReadUserData(link, a, target.get());
  if (read.status == mbus::ReadStatus::PortUnavailable)
    return Fail(io, kExitFailed, PortLostFailure(*port));
  if (read.status == mbus::ReadStatus::DeviceError)
    return Fail(io, kExitFailed,
                "the meter at " + where + " answered with an error: " +
                    (read.errorText.empty() ? "(no text)" : read.errorText));
  if (read.status == mbus::ReadStatus::OtherAddress)
    return Fail(io, kExitFailed,
                "a meter with another primary address answered for " + where +
                    "; its data is not shown. Check that no two meters share the address.");
  if (read.status == mbus::ReadStatus::Collision)
    return Fail(io, kExitFailed,
                "bytes that make no frame came from " + where +
                    " (noise on the line, or several meters answering at once)");
  if (read.status != mbus::ReadStatus::Done) {
    return Fail(io, kExitFailed,
                read.telegrams == 0 ? "no user data from " + where
                                    : "telegram " + std::to_string(read.telegrams + 1) +
                                          " of the answer from " + where + " did not arrive");
  }
  if (options.Flag(kJsonOption)) {
    PrintJson(io.out, TelegramToJson(lib, target.get()));
  } else {
    PrintTelegramTable(io.out, lib, target.get());
  }
  return kExitOk;
}

}  // namespace

const Command& ReadCommand() {
  static const Command command{"read", "read a meter over a serial line or a gateway", kHelp, Run};
  return command;
}

}  // namespace keldar::cli
