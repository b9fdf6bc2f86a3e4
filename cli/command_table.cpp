#include <algorithm>
#include <ostream>

#include "archive_command.h"
#include "base/core/ini_file.h"
#include "command.h"
#include "config_commands.h"
#include "decode_command.h"
#include "identify_command.h"
#include "read_command.h"
#include "scan_command.h"

namespace keldar::cli {

namespace {

// Built on first use: the entries live in other files.
const std::vector<Command>& Table() {
  static const std::vector<Command> commands = {
      DecodeCommand(), ReadCommand(),       PortsCommand(),     IdentifyCommand(), ScanCommand(),
      ConfigCommand(), SetAddressCommand(), SetSerialCommand(), SetTypeCommand(),  ArchiveCommand(),
  };
  return commands;
}

void PrintOverview(std::ostream& out) {
  out << "usage: keldar-cli <command> [options]\n\ncommands:\n";
  for (const Command& c : Table()) {
    out << "  " << c.name << std::string(13 - std::min<std::size_t>(c.name.size(), 12), ' ')
        << c.summary << '\n';
  }
  out << "\n\"keldar-cli <command> --help\" describes one command. Every command that prints\n"
         "data prints text for people, or one JSON document with --json.\n"
         "\"keldar-cli --version\" prints the program's version.\n";
}

bool WantsHelp(const std::vector<std::string>& args) {
  for (const auto& a : args) {
    if (a == "--help" || a == "-h") return true;
  }
  return false;
}

}  // namespace

void WarnAboutSettings(CommandIo& io) {
  if (const auto problem = Settings().LoadProblem()) {
    io.err << "keldar-cli: warning: " << *problem
           << "; the defaults are used and the file is left as it is\n";
  }
}

std::span<const Command> Commands() { return Table(); }

int Fail(CommandIo& io, int status, std::string_view message) {
  io.err << "keldar-cli: " << message << '\n';
  return status;
}

int RunCli(const std::vector<std::string>& args, CommandIo& io) {
  if (args.empty()) {
    PrintOverview(io.err);
    return kExitUsage;
  }
  const std::string& name = args.front();
  if (name == "--help" || name == "-h" || name == "help") {
    PrintOverview(io.out);
    return kExitOk;
  }
  if (name == "--version") {
    io.out << "keldar-cli " << KELDAR_VERSION << '\n';
    return kExitOk;
  }
  for (const Command& c : Table()) {
    if (c.name != name) continue;
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (WantsHelp(rest)) {
      io.out << c.help;
      return kExitOk;
    }
    WarnAboutSettings(io);
    return c.run(rest, io);
  }
  return Fail(io, kExitUsage, "unknown command \"" + name + "\" (try --help)");
}

}  // namespace keldar::cli
