#include "config_commands.h"

#include <QJsonObject>
#include <algorithm>
#include <cctype>
#include <optional>
#include <ostream>
#include <set>

#include "base/bus/exchange.h"
#include "base/bus/objects.h"
#include "base/core/ini_file.h"
#include "cli_language.h"
#include "device/bus_protocol_library.h"
#include "device/configuration_messages.h"
#include "device/device_configuration.h"
#include "device/device_record.h"
#include "device/gateway_list.h"
#include "device/port_problem.h"
#include "json_output.h"
#include "meter_options.h"

namespace keldar::cli {

namespace {

constexpr char kCommon[] =
    "  --port PATH    serial device, e.g. /dev/ttyUSB0, or a network gateway\n"
    "                 tcp://HOST:PORT (IPv6 in brackets)\n"
    "  --baud N       the speed the meter answers at\n"
    "  --address A    its primary address 1-254\n"
    "  --json         print one JSON document instead of text\n"
    "  --trace FILE   write every exchange on the bus to FILE\n"
    "The outcome is printed in the language of ./config.ini. Exit status 0 only\n"
    "when the meter acknowledged everything asked; 1 otherwise; 2 for usage.\n";

// One meter on an open port, with the exchanges of the configuration screen.
class MeterSession {
 public:
  MeterSession(const MeterTarget& target, bool json, CommandIo& io) : io_(io), json_(json) {
    if (!library_.IsLoaded()) {
      Fail(io, kExitFailed, "the M-Bus library BusProtocol.so is missing");
      return;
    }
    const auto* lib = library_.GetApi();
    port_ = mbus::OpenPort(lib, target.port.c_str(), target.baud);
    if (!mbus::PortUsable(lib, port_.get())) {
      Fail(io, kExitFailed, PortOpenFailure(lib, port_.get(), target.port));
      return;
    }
    RememberGateway(Settings(), target.port);
    ApplyAnswerAllowance(Settings(), lib, port_.get(), target.port);
    if (!StartTrace(lib, port_.get(), target.trace, io)) return;
    record_ = EmptyDeviceRecord();
    record_.address = static_cast<std::uint8_t>(target.address);
    const mbus::Link link{lib, port_.get(), {}};
    if (target.selection) {
      // Selected, the meter starts its link afresh and answers at 253.
      if (!SelectTarget(link, target, io)) return;
      configuration_.emplace(link, record_);
      configuration_->ReachBy(*target.selection);
      return;
    }
    // A fresh port knows nothing of the meter's frame count: reset the link
    // first, so the meter answers anew instead of repeating an old answer.
    // (Each change makes a reset of its own and goes on only when acknowledged.)
    mbus::Ping(link, record_.address);
    configuration_.emplace(link, record_);
  }
  MeterSession(const MeterSession&) = delete;
  MeterSession& operator=(const MeterSession&) = delete;

  bool Ready() const { return configuration_.has_value(); }
  DeviceConfiguration& Configuration() { return *configuration_; }

  // Prints the message the screen shows for `event`, with --json as
  // {"acknowledged": …, "message": …} and `fields`; true for a success.
  bool Tell(ConfigurationEvent event, const QJsonObject& fields = {}) const {
    Tell(event, IsSuccess(event), fields);
    return IsSuccess(event);
  }
  // The same, when the meter acknowledged everything asked (`acknowledged`)
  // is more than one event says.
  void Tell(ConfigurationEvent event, bool acknowledged, QJsonObject fields) const {
    const ConfigurationMessage& message = MessageFor(event);
    const std::string text = language_.Text(message.key, message.builtInText);
    if (json_) {
      fields["acknowledged"] = acknowledged;
      fields["message"] = QString::fromStdString(text);
      PrintJson(io_.out, fields);
    } else {
      io_.out << text << '\n';
    }
  }

 private:
  CommandIo& io_;
  bool json_;
  BusProtocolLibrary library_;
  CliLanguage language_;
  mbus::Port port_{nullptr, nullptr};
  KeldarDeviceRecord record_{};
  std::optional<DeviceConfiguration> configuration_;
};

bool AllOf(const std::string& text, int (*test)(int), std::size_t maxLength) {
  return !text.empty() && text.size() <= maxLength &&
         std::all_of(text.begin(), text.end(), [test](unsigned char c) { return test(c) != 0; });
}

// The addresses without a primary address the meter did not give.
QJsonObject Unread(QJsonObject addresses) {
  addresses["primary_address"] = QJsonValue();
  return addresses;
}

// Runs `work` with the meter named by the options, after the usual checks.
// `bySecondary`: --secondary names the meter (a command that does not use the
// option for something else).
template <typename Work>
int WithMeter(const std::vector<std::string>& args, const std::set<std::string>& valued,
              const char* name, CommandIo& io, Work work, bool bySecondary = false) {
  std::set<std::string> all{"--port", "--baud", "--address", kTraceOption};
  all.insert(valued.begin(), valued.end());
  if (bySecondary) all.insert(kSecondaryTargetOption);
  const Options options(args, all, {kJsonOption});
  int status = kExitOk;
  const auto target = ReadMeterTarget(options, name, io, status, bySecondary);
  if (!target) return status;
  return work(options, *target);
}

int RunConfig(const std::vector<std::string>& args, CommandIo& io) {
  return WithMeter(
      args, {}, "config", io,
      [&io](const Options& options, const MeterTarget& target) {
        if (!options.Positional().empty())
          return Fail(io, kExitUsage, "unexpected argument " + options.Positional().front());
        const bool json = options.Flag(kJsonOption);
        MeterSession meter(target, json, io);
        if (!meter.Ready()) return kExitFailed;
        const auto addresses = meter.Configuration().ReadAddresses();
        const QJsonObject read{{"primary_address", QString::fromStdString(addresses.primary)},
                               {"secondary_address", QString::fromStdString(addresses.secondary)}};
        if (!json) {
          io.out << "primary address: " << addresses.primary << '\n'
                 << "secondary address: " << addresses.secondary << '\n';
        }
        switch (addresses.primaryReadout) {
          case DeviceConfiguration::PrimaryReadout::Received:
            if (json) PrintJson(io.out, read);
            return kExitOk;
          case DeviceConfiguration::PrimaryReadout::InvalidResponse:
            meter.Tell(ConfigurationEvent::InvalidResponse, Unread(read));
            return kExitFailed;
          case DeviceConfiguration::PrimaryReadout::NotReceived:
            meter.Tell(ConfigurationEvent::PrimaryNotReceived, Unread(read));
            return kExitFailed;
        }
        return kExitFailed;
      },
      /*bySecondary=*/true);
}

int RunSetAddress(const std::vector<std::string>& args, CommandIo& io) {
  return WithMeter(
      args, {"--primary", "--secondary"}, "set-address", io,
      [&io](const Options& options, const MeterTarget& target) {
        if (!options.Positional().empty())
          return Fail(io, kExitUsage, "unexpected argument " + options.Positional().front());
        const auto primary = options.Value("--primary");
        const auto secondary = options.Value("--secondary");
        if (!primary && !secondary)
          return Fail(io, kExitUsage, "set-address needs --primary and/or --secondary");
        if (primary && !AllOf(*primary, isdigit, 3))
          return Fail(io, kExitUsage, "--primary: up to three decimal digits: " + *primary);
        if (secondary && !AllOf(*secondary, isxdigit, 8))
          return Fail(io, kExitUsage, "--secondary: up to eight hexadecimal digits: " + *secondary);
        MeterSession meter(target, options.Flag(kJsonOption), io);
        if (!meter.Ready()) return kExitFailed;
        DeviceConfiguration::AddressChange change;
        using Outcome = DeviceConfiguration::Outcome;
        const auto note = [&change](Outcome outcome) {
          change.severalMeters = change.severalMeters || outcome == Outcome::SeveralMeters;
          return outcome == Outcome::Acknowledged;
        };
        if (primary) change.primary = note(meter.Configuration().SetPrimaryAddress(*primary));
        // A short secondary address is filled with blanks on the right, as the screen's edit is.
        if (secondary && !change.severalMeters) {
          change.secondary = note(meter.Configuration().SetSecondaryAddress(
              *secondary + std::string(8 - secondary->size(), ' ')));
        }
        // Each address asked for: whether the meter took it.
        QJsonObject changed;
        if (primary) changed["primary_changed"] = change.primary;
        if (secondary) changed["secondary_changed"] = change.secondary;
        const bool everything = (!primary || change.primary) && (!secondary || change.secondary);
        meter.Tell(EventFor(change), everything, changed);
        return everything ? kExitOk : kExitFailed;
      });
}

int RunSetSerial(const std::vector<std::string>& args, CommandIo& io) {
  return WithMeter(
      args, {}, "set-serial", io, [&io](const Options& options, const MeterTarget& target) {
        if (options.Positional().size() != 1 || !AllOf(options.Positional()[0], isdigit, 8))
          return Fail(io, kExitUsage, "set-serial needs the new serial number, up to eight digits");
        MeterSession meter(target, options.Flag(kJsonOption), io);
        if (!meter.Ready()) return kExitFailed;
        const auto outcome = meter.Configuration().SetSerialNumber(options.Positional()[0]);
        return meter.Tell(EventFor(outcome, ConfigurationEvent::SerialChanged)) ? kExitOk
                                                                                : kExitFailed;
      });
}

int RunSetType(const std::vector<std::string>& args, CommandIo& io) {
  return WithMeter(
      args, {}, "set-type", io, [&io](const Options& options, const MeterTarget& target) {
        const auto code = options.Positional().size() == 1
                              ? ParseNumber(options.Positional()[0], 0, 255)
                              : std::nullopt;
        if (!code)
          return Fail(io, kExitUsage,
                      "set-type needs the medium code, 0-255 (0, 6 or 22 on the screen)");
        MeterSession meter(target, options.Flag(kJsonOption), io);
        if (!meter.Ready()) return kExitFailed;
        const auto outcome = meter.Configuration().SetDeviceType(static_cast<std::uint8_t>(*code));
        return meter.Tell(EventFor(outcome, ConfigurationEvent::TypeChanged)) ? kExitOk
                                                                              : kExitFailed;
      });
}

}  // namespace

const Command& ConfigCommand() {
  static const std::string help =
      std::string(
          "usage: keldar-cli config --port PATH --baud N (--address A | --secondary ID)\n"
          "                         [--json] [--trace FILE]\n\n"
          "Prints the meter's primary and secondary address as the configuration\n"
          "screen reads them when it opens.\n" KELDAR_SECONDARY_TARGET_HELP) +
      kCommon;
  static const Command command{"config", "show a meter's primary and secondary address", help,
                               RunConfig};
  return command;
}

const Command& SetAddressCommand() {
  static const std::string help =
      std::string(
          "usage: keldar-cli set-address --port PATH --baud N --address A "
          "[--primary P] [--secondary HEX8] [--json] [--trace FILE]\n\n"
          "Changes the primary address (above 252 sends 252) and/or the secondary\n"
          "address (eight hexadecimal digits), primary first.\n") +
      kCommon;
  static const Command command{"set-address", "change a meter's addresses", help, RunSetAddress};
  return command;
}

const Command& SetSerialCommand() {
  static const std::string help = std::string(
                                      "usage: keldar-cli set-serial --port PATH --baud N --address "
                                      "A [--json] [--trace FILE] DIGITS\n\n"
                                      "Changes the meter's serial number (up to eight digits).\n") +
                                  kCommon;
  static const Command command{"set-serial", "change a meter's serial number", help, RunSetSerial};
  return command;
}

const Command& SetTypeCommand() {
  static const std::string help =
      std::string(
          "usage: keldar-cli set-type --port PATH --baud N --address A [--json] [--trace FILE] "
          "CODE\n\n"
          "Changes the meter's device type to the medium CODE (0 other, 6 hot water,\n"
          "22 cold water).\n") +
      kCommon;
  static const Command command{"set-type", "change a meter's device type", help, RunSetType};
  return command;
}

}  // namespace keldar::cli
