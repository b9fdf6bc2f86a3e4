#include "identify_command.h"

#include <QJsonArray>
#include <QJsonObject>
#include <cstring>
#include <ostream>

#include "base/bus/constants.h"
#include "base/bus/objects.h"
#include "base/core/ini_file.h"
#include "cli_language.h"
#include "device/bus_protocol_library.h"
#include "device/device_list.h"
#include "device/firmware_catalogue.h"
#include "device/gateway_list.h"
#include "device/identification.h"
#include "device/port_problem.h"
#include "device/serial_ports.h"
#include "json_output.h"
#include "meter_options.h"

namespace keldar::cli {

namespace {

constexpr char kIdentifyHelp[] =
    "usage: keldar-cli identify --port PATH --baud N (--address A | --secondary ID)\n"
    "                           [--json] [--trace FILE]\n"
    "\n"
    "Connects and identifies a meter as the connection screen does: finds the\n"
    "speed it answers at (300 baud upward), switches it to N baud, reads its\n"
    "identification and, for KRV, PTX and MLD meters, its configuration with the\n"
    "devices on its pulse inputs, looked up in ./program.db. Port and speed are\n"
    "stored in ./config.ini. Progress lines are printed as the screen shows them,\n"
    "then the meter and its devices.\n"
    "  --port PATH    serial device, e.g. /dev/ttyUSB0, or a network gateway\n"
    "                 tcp://HOST:PORT (IPv6 in brackets); behind a gateway the\n"
    "                 speed is the gateway's: N is taken as it, no search\n"
    "  --baud N       the speed to switch the meter to: 300, 600, 1200, 2400,\n"
    "                 4800, 9600, 19200 or 38400 (the speeds a meter can be told)\n"
    "  --address A    primary address 1-254\n" KELDAR_SECONDARY_TARGET_HELP
    "  --json         print one JSON document instead of text (the progress\n"
    "                 lines then go to standard error)\n"
    "  --trace FILE   write every exchange on the bus to FILE\n"
    "Exit status 0 when the run ended (whatever it found), 1 when the port\n"
    "cannot be opened, 2 for usage.\n";

constexpr char kPortsHelp[] =
    "usage: keldar-cli ports [--json]\n"
    "\n"
    "Lists the serial ports as the connection screen offers them: the paths in\n"
    "KELDAR_SERIAL_PORTS first, then the machine's ports, then the network\n"
    "gateways connected to before (tcp://HOST:PORT, newest first, kept in\n"
    "./config.ini); one per line, the name and the device path separated by a tab.\n"
    "  --json         print one JSON document instead of text\n";

std::string Field(const char* text, std::size_t size) {
  return std::string(text, ::strnlen(text, size));
}

// Prints what the connection screen would show, on `out`.
class PrintingObserver : public IdentifyObserver {
 public:
  PrintingObserver(std::ostream& out, const CliLanguage& language)
      : out_(out), language_(language) {}
  void ShowProgress(int progress, const std::string& status) override {
    out_ << "progress " << progress << ": " << status << '\n';
  }
  bool OpenSelection() override { return false; }  // no screens here; the port is released
  void DeviceInformationNotFound() override {
    out_ << language_.Text("FRAME_PROGRAM_MAIN_INFORMATION_ABOUT_DEVICE_NOT_FOUND",
                           "Информация про устройство не найдена.")
         << '\n';
  }
  void NothingFound(const IdentifyExplanation& explanation) override {
    if (const ReasonMessage* message = MessageOf(explanation.reason))
      out_ << Explained(language_.Text(message->key, message->builtIn), explanation) << '\n';
  }
  void Finish(bool) override {}

 private:
  std::ostream& out_;
  const CliLanguage& language_;
};

QJsonObject DeviceJson(const KeldarDeviceRecord& d) {
  return QJsonObject{
      {"address", d.address},
      {"manufacturer", QString::fromStdString(Field(d.manufacturer, sizeof d.manufacturer))},
      {"serial", QString::fromStdString(Field(d.serial, sizeof d.serial))},
      {"device_type", d.device_type},
      {"model", QString::fromStdString(Field(d.model, sizeof d.model))},
      {"software_version",
       QString::fromStdString(Field(d.software_version, sizeof d.software_version))},
      {"catalogue_id", d.id},
      {"product_code", d.product_code},
      {"subunit_count", d.subunit},
  };
}

int RunIdentify(const std::vector<std::string>& args, CommandIo& io) {
  const Options options(
      args, {"--port", "--baud", "--address", kSecondaryTargetOption, kTraceOption}, {kJsonOption});
  const bool json = options.Flag(kJsonOption);
  int status = kExitOk;
  const auto target = ReadMeterTarget(options, "identify", io, status, /*bySecondary=*/true);
  if (!target) return status;
  if (!options.Positional().empty())
    return Fail(io, kExitUsage, "unexpected argument " + options.Positional().front());
  // Refused before anything is sent or stored: a meter cannot be told this speed.
  if (!mbus::HasSpeedCode(target->baud))
    return Fail(io, kExitUsage,
                "--baud: a meter can be switched to 300, 600, 1200, 2400, 4800, 9600, 19200 or "
                "38400 baud, not " +
                    std::to_string(target->baud));

  BusProtocolLibrary library;
  if (!library.IsLoaded())
    return Fail(io, kExitFailed, "the M-Bus library BusProtocol.so is missing");
  const KeldarBusProtocolLibrary* lib = library.GetApi();
  // The speed search starts at 300 baud.
  auto opened = OpenCommandPort(lib, target->port, 300, target->trace, io);
  if (!opened) return kExitFailed;
  mbus::Port port = std::move(*opened);

  const CliLanguage language;
  IdentifyTexts texts;
  texts.connecting =
      language.Text("FRAME_PROGRAM_MAIN_CONNECTING_DEVICE", texts.connecting.c_str());
  texts.connected =
      language.Text("FRAME_PROGRAM_MAIN_CONNECTION_ESTABLISHED", texts.connected.c_str());
  texts.readingConfiguration = language.Text("FRAME_PROGRAM_MAIN_READ_DEVICE_CONFIGURATION",
                                             texts.readingConfiguration.c_str());
  texts.fixedSpeed =
      language.Text("FRAME_PROGRAM_MAIN_GATEWAY_FIXED_SPEED", texts.fixedSpeed.c_str());
  // With --json, standard output holds the document alone.
  PrintingObserver observer(json ? io.err : io.out, language);
  FirmwareCatalogue catalogue;
  IdentifiedDevices().ClearDevices();
  // The run deletes the port unless a selection keeps it open.
  Identification identification({lib, port.release(), {}}, IdentifiedDevices(), catalogue,
                                Settings(), std::move(texts), observer);
  const IdentifyOutcome outcome =
      identification.Run({target->port, target->baud, target->address, target->selection});
  if (const auto& problem = catalogue.Problem()) Fail(io, kExitOk, *problem);
  if (const auto problem = Settings().StoreProblem()) Fail(io, kExitOk, *problem);

  QJsonArray devices;
  for (std::size_t i = 0; i < IdentifiedDevices().DeviceCount(); ++i)
    devices.append(DeviceJson(*IdentifiedDevices().Device(i)));
  if (json) {
    const QJsonObject result{
        {"port", QString::fromStdString(target->port)},
        {"requested_baud", target->baud},
        {"found_baud", outcome.foundSpeed != 0 ? QJsonValue(outcome.foundSpeed) : QJsonValue()},
        {"switched", outcome.switched},
        {"manufacturer", outcome.manufacturer.empty()
                             ? QJsonValue()
                             : QJsonValue(QString::fromStdString(outcome.manufacturer))},
        {"medium", outcome.medium >= 0 ? QJsonValue(outcome.medium) : QJsonValue()},
        {"progress", outcome.progress},
        {"devices", devices},
        {"reason", outcome.explanation.reason == IdentifyReason::None
                       ? QJsonValue()
                       : QJsonValue(ReasonCode(outcome.explanation.reason))},
    };
    PrintJson(io.out, result);
    return kExitOk;
  }
  if (outcome.foundSpeed == 0) {
    io.out << "no meter answered at address " << target->address << '\n';
    return kExitOk;
  }
  if (outcome.manufacturer.empty()) {
    io.out << "a meter acknowledged at address " << target->address << " at " << outcome.foundSpeed
           << " baud, but sent no identification (no variable data)\n";
    return kExitOk;
  }
  io.out << "meter " << outcome.manufacturer << ", medium " << outcome.medium << ", answered at "
         << outcome.foundSpeed << " baud" << (outcome.switched ? ", now at " : ", still not at ")
         << target->baud << " baud\n";
  for (const auto& value : devices) {
    const QJsonObject d = value.toObject();
    io.out << "  address " << d["address"].toInt() << "  "
           << d["manufacturer"].toString().toStdString() << " "
           << d["serial"].toString().toStdString() << "  type " << d["device_type"].toInt() << "  "
           << d["model"].toString().toStdString() << "  catalogue " << d["catalogue_id"].toInt()
           << '\n';
  }
  return kExitOk;
}

int RunPorts(const std::vector<std::string>& args, CommandIo& io) {
  const Options options(args, {}, {kJsonOption});
  if (!options.Error().empty()) return Fail(io, kExitUsage, options.Error());
  if (!options.Positional().empty()) {
    return Fail(io, kExitUsage, "unexpected argument " + options.Positional().front());
  }
  std::vector<SerialPortEntry> ports = ListSerialPorts();
  for (const std::string& gateway : RecentGateways(Settings())) ports.push_back({gateway, gateway});
  if (options.Flag(kJsonOption)) {
    QJsonArray list;
    for (const SerialPortEntry& port : ports) {
      list.append(QJsonObject{{"name", QString::fromStdString(port.name)},
                              {"path", QString::fromStdString(port.path)}});
    }
    PrintJson(io.out, list);
    return kExitOk;
  }
  for (const SerialPortEntry& port : ports) io.out << port.name << '\t' << port.path << '\n';
  return kExitOk;
}

}  // namespace

const Command& IdentifyCommand() {
  static const Command command{"identify", "connect to a meter and identify it", kIdentifyHelp,
                               RunIdentify};
  return command;
}

const Command& PortsCommand() {
  static const Command command{"ports", "list the serial ports", kPortsHelp, RunPorts};
  return command;
}

}  // namespace keldar::cli
