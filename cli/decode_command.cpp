#include "decode_command.h"

#include <QJsonArray>
#include <QJsonObject>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

#include "base/bus/objects.h"
#include "device/bus_protocol_library.h"
#include "frame_problem.h"
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
    "one telegram. A telegram that does not decode is reported on standard error\n"
    "with the reason (length, check sum, stop byte, cut short, …) and the others\n"
    "are still printed.\n"
    "  --json         print one JSON document instead of text\n"
    "                 (an object, or an array when several telegrams are given,\n"
    "                 where one that did not decode is {\"error\": reason})\n"
    "Exit status 0 when every telegram decoded, 1 when one did not, 2 for bad\n"
    "hex arguments or usage.\n";

HexTelegrams ReadInput(const Options& options, CommandIo& io) {
  const auto file = options.Value("--file");
  if (!file) return ReadHexArguments(options.Positional());
  if (*file == "-") return ReadHexLines(io.in);
  std::error_code error;
  if (std::filesystem::is_directory(*file, error))
    return {{}, "cannot read " + *file + ": it is a folder"};
  std::ifstream in(*file);
  if (!in) return {{}, "cannot read " + *file + ": " + std::strerror(errno)};
  return ReadHexLines(in);
}

// Empty when `bytes` decoded into `telegram`, else why not.
std::string Decode(const KeldarBusProtocolLibrary* lib, const std::vector<std::uint8_t>& bytes,
                   KeldarBusTelegram* telegram) {
  if (bytes.size() > KELDAR_BUS_FRAME_CAPACITY)
    return "longer than any M-Bus frame (" + std::to_string(bytes.size()) + " bytes)";
  mbus::Buffer buffer = mbus::NewBuffer(lib);
  for (std::uint8_t b : bytes) keldar_bus_DataMbusPushBack(lib, buffer.get(), b);
  const int result = keldar_bus_ParserTelegram(lib, telegram, buffer.get());
  if (result == KELDAR_BUS_RESULT_USER_DATA) return {};
  if (result == KELDAR_BUS_RESULT_ACK) return "an acknowledgement (E5), not a telegram";
  return "not a decodable M-Bus telegram: " + FrameProblem(bytes);
}

std::string Where(const HexTelegram& telegram, std::size_t index, std::size_t count) {
  if (telegram.line > 0) return "line " + std::to_string(telegram.line) + ": ";
  return count > 1 ? "telegram " + std::to_string(index + 1) + ": " : "";
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

  // A telegram that fails is reported and leaves a gap; the others are printed.
  const std::size_t count = input.telegrams.size();
  QJsonArray decoded;
  std::ostringstream tables;
  std::size_t failed = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const HexTelegram& entry = input.telegrams[i];
    mbus::Telegram telegram = mbus::NewTelegram(lib);
    std::string problem =
        entry.error.empty() ? Decode(lib, entry.bytes, telegram.get()) : entry.error;
    if (count > 1) {
      tables << (i > 0 ? "\n" : "") << "Telegram " << i + 1 << " of " << count << "\n";
    }
    if (!problem.empty()) {
      ++failed;
      problem = Where(entry, i, count) + problem;
      Fail(io, kExitFailed, problem);
      decoded.append(QJsonObject{{"error", QString::fromStdString(problem)}});
      tables << "  not decoded: " << problem << "\n";
      continue;
    }
    decoded.append(TelegramToJson(lib, telegram.get()));
    PrintTelegramTable(tables, lib, telegram.get());
  }
  if (failed == count) return kExitFailed;
  if (options.Flag(kJsonOption)) {
    PrintJson(io.out, decoded.size() == 1 ? decoded.first() : QJsonValue(decoded));
  } else {
    io.out << tables.str();
  }
  return failed == 0 ? kExitOk : kExitFailed;
}

}  // namespace

const Command& DecodeCommand() {
  static const Command command{"decode", "decode M-Bus telegrams given as hex", kHelp, Run};
  return command;
}

}  // namespace keldar::cli
