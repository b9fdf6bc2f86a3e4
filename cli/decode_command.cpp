#include "decode_command.h"

#include <QJsonArray>
#include <fstream>
#include <ostream>
#include <sstream>

#include "base/bus/objects.h"
#include "device/bus_protocol_library.h"
#include "hex_input.h"
#include "json_output.h"
#include "options.h"
#include "telegram_json.h"
#include "telegram_table.h"

namespace keldar::cli {

namespace {

constexpr char kHelp[] =
    "usage: keldar-cli decode [--json] HEX...\n"
    "       keldar-cli decode [--json] --file FILE   (\"-\" reads standard input)\n"
    "\n"
    "Decodes M-Bus telegrams (RSP_UD long frames as hex, blanks allowed) and\n"
    "prints each as a table of its records; in a file, each non-empty line is\n"
    "one telegram. Nothing is printed unless every telegram decodes.\n"
    "  --json         print one JSON document instead of text\n"
    "                 (an object, or an array when several telegrams are given)\n"
    "Exit status 0 when every telegram decoded, 1 when one did not, 2 for bad\n"
    "hex or usage.\n";

HexTelegrams ReadInput(const Options& options, CommandIo& io) {
  const auto file = options.Value("--file");
  if (!file) return ReadHexArguments(options.Positional());
  if (*file == "-") return ReadHexLines(io.in);
  std::ifstream in(*file);
  if (!in) return {{}, "cannot read " + *file};
  return ReadHexLines(in);
}

int Run(const std::vector<std::string>& args, CommandIo& io) {
  const Options options(args, {"--file"}, {kJsonOption});
  if (!options.Error().empty()) return Fail(io, kExitUsage, options.Error());
  if (options.Value("--file") && !options.Positional().empty()) {
    return Fail(io, kExitUsage, "give telegrams either as arguments or with --file");
  }
  const HexTelegrams input = ReadInput(options, io);
  if (!input.error.empty()) return Fail(io, kExitUsage, input.error);
  if (input.telegrams.empty()) return Fail(io, kExitUsage, "no telegram given");

  BusProtocolLibrary library;
  if (!library.IsLoaded())
    return Fail(io, kExitFailed, "the M-Bus library BusProtocol.so is missing");
  const KeldarBusProtocolLibrary* lib = library.GetApi();

  // Everything is decoded before anything is printed: a telegram that fails
  // leaves standard output empty.
  QJsonArray decoded;
  std::ostringstream tables;
  for (std::size_t i = 0; i < input.telegrams.size(); ++i) {
    const auto& bytes = input.telegrams[i];
    const std::string which =
        input.telegrams.size() > 1 ? "telegram " + std::to_string(i + 1) + ": " : "";
    if (bytes.size() > KELDAR_BUS_FRAME_CAPACITY) {
      return Fail(io, kExitFailed, which + "longer than any M-Bus frame");
    }
    mbus::Buffer buffer = mbus::NewBuffer(lib);
    for (std::uint8_t b : bytes) keldar_bus_DataMbusPushBack(lib, buffer.get(), b);
    mbus::Telegram telegram = mbus::NewTelegram(lib);
    const int result = keldar_bus_ParserTelegram(lib, telegram.get(), buffer.get());
    if (result == KELDAR_BUS_RESULT_ACK) {
      return Fail(io, kExitFailed, which + "an acknowledgement (E5), not a telegram");
    }
    if (result != KELDAR_BUS_RESULT_USER_DATA) {
      return Fail(io, kExitFailed,
                  which + "not a decodable M-Bus telegram (frame, check sum or records)");
    }
    decoded.append(TelegramToJson(lib, telegram.get()));
    if (input.telegrams.size() > 1) {
      tables << (i > 0 ? "\n" : "") << "Telegram " << i + 1 << " of " << input.telegrams.size()
             << "\n";
    }
    PrintTelegramTable(tables, lib, telegram.get());
  }
  if (options.Flag(kJsonOption)) {
    PrintJson(io.out, decoded.size() == 1 ? decoded.first() : QJsonValue(decoded));
  } else {
    io.out << tables.str();
  }
  return kExitOk;
}

}  // namespace

const Command& DecodeCommand() {
  static const Command command{"decode", "decode M-Bus telegrams given as hex", kHelp, Run};
  return command;
}

}  // namespace keldar::cli
