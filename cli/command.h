// One subcommand of keldar-cli. New subcommands add an entry to the table in
// command_table.cpp.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace keldar::cli {

struct CommandIo {
  std::ostream& out;
  std::ostream& err;
  std::istream& in;
};

// Exit statuses of every subcommand.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the work could not be done (no answer, no port, …)
inline constexpr int kExitUsage = 2;   // the command line or the input is wrong

struct Command {
  std::string_view name;
  std::string_view summary;
  std::string_view help;  // the full text of "<name> --help"
  int (*run)(const std::vector<std::string>& args, CommandIo& io);
};

std::span<const Command> Commands();

// Runs `args` (without the program name); what a shell would print goes to `io`.
int RunCli(const std::vector<std::string>& args, CommandIo& io);

// One warning line on the error stream when config.ini could not be read.
void WarnAboutSettings(CommandIo& io);

// "keldar-cli: <message>" on the error stream.
int Fail(CommandIo& io, int status, std::string_view message);

}  // namespace keldar::cli
