#include "archive_command.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>

#include "base/core/ini_file.h"
#include "base/core/startup_language.h"
#include "base/platform/locale.h"
#include "json_output.h"
#include "options.h"
#include "store/archive.h"
#include "store/archive_error.h"
#include "store/archive_export.h"

namespace keldar::cli {

namespace {

using admintools::Archive;
using admintools::ArchiveError;
using admintools::ArchiveFailure;
using admintools::DeviceKind;
using admintools::KindName;
using admintools::KindNamed;
using admintools::Quantity;
using admintools::ReadingFilter;

constexpr char kHelp[] =
    "usage: keldar-cli archive list|export [--kind heat|cold|hot] [--serial S]\n"
    "                  [--subscriber NAME] [--from DATE] [--to DATE] [--json]\n"
    "                  [--format csv|json] [--output FILE] [--locale ru|uk|en]\n"
    "                  [--limit N] [--archive FILE]\n"
    "\n"
    "Shows the readings saved in the local archive (./archive.db unless --archive).\n"
    "  list           one reading a line, newest first: time, kind, serial number,\n"
    "                 manufacturer, the values in base units, the subscriber\n"
    "  export         every selected reading, oldest first, as CSV (default) or JSON\n"
    "  --kind K       heat, cold or hot water meters only\n"
    "  --serial S     one meter's serial number, exactly\n"
    "  --subscriber NAME  the meters of one subscriber, the name exactly\n"
    "  --from DATE, --to DATE  read on or after / on or before, in UTC:\n"
    "                 2024-05-29 (--to takes the whole day) or 2024-05-29T16:26:40\n"
    "  --format F     export: csv or json\n"
    "  --output FILE  export: write FILE (whole, or not at all) instead of standard output\n"
    "  --locale L     export: CSV for a spreadsheet in this language (ru and uk: ';' and\n"
    "                 decimal ','; en: ',' and '.'); the interface language by default\n"
    "  --limit N      list: the newest N readings only\n"
    "  --json         print one JSON document instead of text (list: newest first,\n"
    "                 as export --format json writes them)\n"
    "CSV: UTF-8 with a byte order mark, a title row, one reading a row, a column\n"
    "for each quantity with its unit in the title (Wh, m3, W, m3/h, C, K, h), times\n"
    "in ISO 8601 UTC, \"counter went back\" 1 where a meter's counter is below its\n"
    "previous reading. JSON: an array of readings, each with its device, object and\n"
    "subscriber.\n"
    "Exit status 0 when done, 1 when the archive or the file failed, 2 for usage.\n";

// "YYYY-MM-DD" or "YYYY-MM-DDTHH:MM[:SS][Z]" (a space for the T too), in UTC;
// a bare date at the end of a range is that day's last second.
std::optional<int64_t> ParseDate(const std::string& text, bool endOfDay) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  char separator = 0;
  int used = 0;
  const int fields = std::sscanf(text.c_str(), "%4d-%2d-%2d%n%c%2d:%2d%n:%2d%n", &y, &mo, &d, &used,
                                 &separator, &h, &mi, &used, &s, &used);
  if (fields < 3 || (fields > 3 && fields < 6) ||
      (fields >= 4 && separator != 'T' && separator != ' ')) {
    return std::nullopt;
  }
  std::string_view rest = std::string_view(text).substr(static_cast<std::size_t>(used));
  if (rest == "Z" && fields >= 6) rest = {};
  if (!rest.empty() || h > 23 || mi > 59 || s > 59 || h < 0 || mi < 0 || s < 0) return std::nullopt;
  using namespace std::chrono;
  const year_month_day date{year{y}, month{static_cast<unsigned>(mo)},
                            day{static_cast<unsigned>(d)}};
  if (!date.ok()) return std::nullopt;
  const int64_t midnight = sys_days{date}.time_since_epoch().count() * int64_t{86'400};
  if (fields == 3) return endOfDay ? midnight + 86'399 : midnight;
  return midnight + h * 3600 + mi * 60 + s;
}

// The CSV style of the interface language: config.ini's, else the system's.
std::string InterfaceLanguage() {
  char value[3] = {};
  Settings().ReadValue("LANGUAGE", "LANG", value, sizeof value);
  const int id =
      value[0] != '\0' ? std::atoi(value) : LanguageForLcid(platform::SystemDefaultLcid());
  return id == 2 ? "ru" : id == 3 ? "uk" : "en";
}

std::string Number(double value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

struct Shown {
  Quantity quantity;
  const char* name;
  const char* unit;
};
constexpr Shown kShown[] = {
    {Quantity::kEnergy, "energy", "Wh"},
    {Quantity::kVolume, "volume", "m3"},
    {Quantity::kPower, "power", "W"},
    {Quantity::kFlow, "flow", "m3/h"},
    {Quantity::kSupplyTemperature, "supply", "C"},
    {Quantity::kReturnTemperature, "return", "C"},
    {Quantity::kTemperatureDifference, "difference", "K"},
    {Quantity::kTemperature, "temperature", "C"},
    {Quantity::kOperatingHours, "operating", "h"},
};

void PrintRow(std::ostream& out, const admintools::ArchiveRow& row) {
  std::string line = admintools::IsoUtcTime(row.reading.readTime) + "  " +
                     KindName(row.device.kind) + "  " + row.device.serial + "  " +
                     row.device.manufacturer;
  for (const Shown& shown : kShown) {
    if (const auto value = row.reading[shown.quantity]) {
      line += std::string("  ") + shown.name + ' ' + Number(*value) + ' ' + shown.unit;
    }
  }
  if (row.backwards) line += "  COUNTER WENT BACK";
  if (!row.subscriber.empty()) line += "  [" + row.subscriber + " / " + row.object + "]";
  out << line << '\n';
}

std::string ArchiveProblem(const ArchiveError& error, const std::string& file) {
  switch (error.failure()) {
    case ArchiveFailure::kNewerVersion:
      return file +
             " was written by a newer version of the program; update keldar-cli. "
             "The file is left as it is";
    case ArchiveFailure::kNotAnArchive:
      return file + " is damaged or not an archive of this program; it is left as it is";
    case ArchiveFailure::kBusy:
      return file + " is locked by another program; close it and try again";
    case ArchiveFailure::kCannotOpen:
      return "cannot open the archive " + file + " (" + error.what() +
             "); check that its folder may be written";
    default:
      return "the archive " + file + " failed: " + error.what();
  }
}

int Run(const std::vector<std::string>& args, CommandIo& io) {
  const Options options(args,
                        {"--kind", "--serial", "--subscriber", "--from", "--to", "--format",
                         "--output", "--locale", "--limit", "--archive"},
                        {kJsonOption});
  if (!options.Error().empty()) return Fail(io, kExitUsage, options.Error());
  if (options.Positional().size() != 1 ||
      (options.Positional().front() != "list" && options.Positional().front() != "export")) {
    return Fail(io, kExitUsage, "archive needs list or export (see --help)");
  }
  const bool list = options.Positional().front() == "list";
  for (const char* option : {"--format", "--output", "--locale"}) {
    if (list && options.Value(option))
      return Fail(io, kExitUsage, std::string(option) + " belongs to archive export");
  }
  if (!list && options.Value("--limit"))
    return Fail(io, kExitUsage, "--limit belongs to archive list");
  const bool json = options.Flag(kJsonOption);
  if (json && options.Value("--limit"))
    return Fail(io, kExitUsage, "--limit lists text lines; --json prints every reading");
  if (json && options.Value("--format") && *options.Value("--format") != "json")
    return Fail(io, kExitUsage, "--json and --format " + *options.Value("--format") + " disagree");

  ReadingFilter filter;
  if (const auto kind = options.Value("--kind")) {
    filter.kind = KindNamed(*kind);
    if (!filter.kind) return Fail(io, kExitUsage, "--kind: not heat, cold or hot: " + *kind);
  }
  filter.serial = options.Value("--serial");
  filter.subscriber = options.Value("--subscriber");
  if (const auto from = options.Value("--from")) {
    filter.from = ParseDate(*from, /*endOfDay=*/false);
    if (!filter.from) return Fail(io, kExitUsage, "--from: not a date like 2024-05-29: " + *from);
  }
  if (const auto to = options.Value("--to")) {
    filter.to = ParseDate(*to, /*endOfDay=*/true);
    if (!filter.to) return Fail(io, kExitUsage, "--to: not a date like 2024-05-29: " + *to);
  }
  if (filter.from && filter.to && *filter.from > *filter.to)
    return Fail(io, kExitUsage, "--from is after --to");

  admintools::ExportOptions exportOptions;
  if (json) exportOptions.format = admintools::ExportFormat::kJson;
  if (list) exportOptions.order = admintools::ReadingOrder::kNewestFirst;
  if (const auto format = options.Value("--format")) {
    if (*format == "json") {
      exportOptions.format = admintools::ExportFormat::kJson;
    } else if (*format != "csv") {
      return Fail(io, kExitUsage, "--format: not csv or json: " + *format);
    }
  }
  const auto locale = options.Value("--locale");
  if (locale && *locale != "ru" && *locale != "uk" && *locale != "en")
    return Fail(io, kExitUsage, "--locale: not ru, uk or en: " + *locale);
  exportOptions.csv = admintools::CsvStyleFor(locale.value_or(InterfaceLanguage()));
  std::optional<long> limit;
  if (const auto text = options.Value("--limit")) {
    limit = ParseNumber(*text, 1, 100'000'000);
    if (!limit) return Fail(io, kExitUsage, "--limit: not a number from 1: " + *text);
  }

  const std::string file = options.Value("--archive").value_or(Archive::kFileName);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error))
    return Fail(io, kExitFailed, "no archive " + file + " (keldar saves it in its working folder)");
  try {
    const Archive archive(file);
    if (list && !json) {
      if (limit) {
        for (const auto& row : archive.Page(filter, 0, static_cast<int>(*limit)).rows)
          PrintRow(io.out, row);
      } else {
        archive.ForEachRow(filter, admintools::ReadingOrder::kNewestFirst,
                           [&io](const admintools::ArchiveRow& row) { PrintRow(io.out, row); });
      }
    } else if (const auto output = options.Value("--output")) {
      const int64_t count = admintools::ExportReadings(archive, filter, exportOptions,
                                                       std::filesystem::path(*output));
      io.err << "keldar-cli: " << count << (count == 1 ? " reading" : " readings") << " written to "
             << *output << '\n';
    } else {
      admintools::ExportReadings(archive, filter, exportOptions, io.out);
    }
  } catch (const ArchiveError& failure) {
    return Fail(io, kExitFailed, ArchiveProblem(failure, file));
  } catch (const admintools::ExportError& failure) {
    return Fail(io, kExitFailed, failure.what());
  }
  return kExitOk;
}

}  // namespace

const Command& ArchiveCommand() {
  static const Command command{"archive", "list or export the readings of the local archive", kHelp,
                               Run};
  return command;
}

}  // namespace keldar::cli
