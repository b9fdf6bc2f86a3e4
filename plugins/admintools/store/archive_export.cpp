#include "store/archive_export.h"

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <ostream>
#include <random>
#include <string>
#include <string_view>

#include "store/archive.h"

namespace admintools {
namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

}  // namespace

const char* KindName(DeviceKind kind) {
  switch (kind) {
    case DeviceKind::kHeat:
      return "heat";
    case DeviceKind::kWaterCold:
      return "cold";
    case DeviceKind::kWaterHot:
      return "hot";
  }
  return "";
}

std::optional<DeviceKind> KindNamed(std::string_view name) {
  for (DeviceKind kind : kDeviceKinds) {
    if (name == KindName(kind)) return kind;
  }
  return std::nullopt;
}

std::string IsoUtcTime(int64_t seconds) {
  using namespace std::chrono;
  const sys_seconds time{std::chrono::seconds(seconds)};
  const auto day = floor<days>(time);
  const year_month_day date{day};
  const hh_mm_ss clock{time - day};
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                static_cast<int>(clock.seconds().count()));
  return text;
}

namespace {

// The shortest text that reads back as the same double, with `decimalMark`.
void AppendNumber(std::string& out, double value, char decimalMark) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  for (char* c = text; c != end; ++c) {
    if (*c == '.') *c = decimalMark;
  }
  out.append(text, end);
}

// The quantity of each value column, in the columns' order.
constexpr Quantity kValueColumns[] = {
    Quantity::kEnergy,
    Quantity::kVolume,
    Quantity::kPower,
    Quantity::kFlow,
    Quantity::kSupplyTemperature,
    Quantity::kReturnTemperature,
    Quantity::kTemperatureDifference,
    Quantity::kTemperature,
    Quantity::kOperatingHours,
};
static_assert(std::size(kValueColumns) == kQuantityCount);
constexpr int kFirstValueColumn = static_cast<int>(ExportColumn::kEnergy);
static_assert(kFirstValueColumn + static_cast<int>(kQuantityCount) == kExportColumnCount);

// JSON names of the quantities: the archive's columns, which carry the unit.
const char* JsonName(Quantity quantity) {
  static constexpr const char* kNames[kQuantityCount] = {
      "energy_wh", "volume_m3",    "power_w",       "flow_m3h",       "supply_c",
      "return_c",  "difference_k", "temperature_c", "operating_hours"};
  return kNames[static_cast<std::size_t>(quantity)];
}

class CsvWriter {
 public:
  CsvWriter(std::ostream& out, const ExportOptions& options) : out_(out), style_(options.csv) {
    out_ << kBom;
    for (int column = 0; column < kExportColumnCount; ++column) {
      if (column > 0) line_ += style_.separator;
      AppendField(options.title(static_cast<ExportColumn>(column)));
    }
    EndLine();
  }

  void Write(const ArchiveRow& row) {
    const Reading& reading = row.reading;
    AppendField(IsoUtcTime(reading.readTime));
    line_ += style_.separator;
    AppendField(KindName(row.device.kind));
    for (const std::string* text :
         {&row.device.serial, &row.device.manufacturer, &row.device.model, &row.subscriber,
          &row.subscriberAccount, &row.object, &row.objectAddress, &reading.meterTime}) {
      line_ += style_.separator;
      AppendText(*text);
    }
    line_ += style_.separator;
    line_ += std::to_string(reading.errorFlags);
    line_ += style_.separator;
    line_ += row.backwards ? '1' : '0';
    for (Quantity quantity : kValueColumns) {
      line_ += style_.separator;
      if (reading[quantity]) AppendNumber(line_, *reading[quantity], style_.decimalMark);
    }
    EndLine();
  }

 private:
  // Quoted (with its quotes doubled) when it holds the separator, a quote or a
  // line break; as it is otherwise.
  void AppendField(std::string_view text) {
    const char special[] = {style_.separator, '"', '\r', '\n', '\0'};
    if (text.find_first_of(special) == std::string_view::npos) {
      line_ += text;
      return;
    }
    line_ += '"';
    for (char c : text) {
      if (c == '"') line_ += '"';
      line_ += c;
    }
    line_ += '"';
  }
  // A text someone typed (a name, an address) or a meter sent. One that starts
  // like a formula would be run as one by the spreadsheet that opens the file
  // (=HYPERLINK(...) sends the user away, =cmd|... runs a program): a leading
  // apostrophe keeps it text.
  void AppendText(const std::string& text) {
    if (!text.empty() &&
        std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos) {
      AppendField("'" + text);
    } else {
      AppendField(text);
    }
  }
  void EndLine() {
    line_ += "\r\n";
    out_.write(line_.data(), static_cast<std::streamsize>(line_.size()));
    line_.clear();
  }

  std::ostream& out_;
  CsvStyle style_;
  std::string line_;
};

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) { out_ << '['; }
  ~JsonWriter() = default;
  JsonWriter(const JsonWriter&) = delete;
  JsonWriter& operator=(const JsonWriter&) = delete;

  void Write(const ArchiveRow& row) {
    const Reading& reading = row.reading;
    const Device& device = row.device;
    text_ = first_ ? "\n  {" : ",\n  {";
    first_ = false;
    Key("kind");
    String(KindName(device.kind));
    Key("id", true);
    text_ += std::to_string(reading.id);
    Key("time", true);
    String(IsoUtcTime(reading.readTime));
    Key("meterTime", true);
    String(reading.meterTime);
    Key("errorFlags", true);
    text_ += std::to_string(reading.errorFlags);
    Key("backwards", true);
    text_ += row.backwards ? "true" : "false";
    Key("values", true);
    text_ += '{';
    bool firstValue = true;
    for (Quantity quantity : QuantitiesOf(device.kind)) {
      if (!reading[quantity]) continue;
      Key(JsonName(quantity), !firstValue);
      firstValue = false;
      AppendNumber(text_, *reading[quantity], '.');
    }
    text_ += '}';
    Key("device", true);
    text_ += '{';
    Key("manufacturer");
    String(device.manufacturer);
    Key("serial", true);
    String(device.serial);
    Key("model", true);
    String(device.model);
    Key("softwareVersion", true);
    String(device.softwareVersion);
    Key("medium", true);
    text_ += std::to_string(device.medium);
    text_ += '}';
    // A device without an object belongs to no subscriber either.
    Key("object", true);
    if (device.objectId) {
      text_ += '{';
      Key("name");
      String(row.object);
      Key("address", true);
      String(row.objectAddress);
      text_ += '}';
    } else {
      text_ += "null";
    }
    Key("subscriber", true);
    if (device.objectId) {
      text_ += '{';
      Key("name");
      String(row.subscriber);
      Key("account", true);
      String(row.subscriberAccount);
      text_ += '}';
    } else {
      text_ += "null";
    }
    text_ += '}';
    out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
  }

  void Finish() { out_ << (first_ ? "]\n" : "\n]\n"); }

 private:
  void Key(const char* name, bool comma = false) {
    if (comma) text_ += ", ";
    String(name);
    text_ += ": ";
  }
  void String(std::string_view value) {
    text_ += '"';
    for (char c : value) {
      const auto byte = static_cast<unsigned char>(c);
      if (c == '"' || c == '\\') {
        text_ += '\\';
        text_ += c;
      } else if (byte < 0x20) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04x", byte);
        text_ += escape;
      } else {
        text_ += c;
      }
    }
    text_ += '"';
  }

  std::ostream& out_;
  std::string text_;
  bool first_ = true;
};

void RequireGood(const std::ostream& out, const std::filesystem::path& target) {
  if (!out) {
    throw ExportError(target, "writing " +
                                  (target.empty() ? std::string("the export") : target.string()) +
                                  " failed: " + std::strerror(errno));
  }
}

// A name beside `target` no other export picks at the same time.
std::filesystem::path PartName(const std::filesystem::path& target) {
  std::random_device random;
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, ".%08x.part", random());
  return target.parent_path() / ("." + target.filename().string() + suffix);
}

}  // namespace

CsvStyle CsvStyleFor(std::string_view language) {
  const std::string_view code = language.substr(0, 2);
  if (code == "ru" || code == "uk" || code == "RU" || code == "UK") return {';', ','};
  return {',', '.'};
}

std::string DefaultColumnTitle(ExportColumn column) {
  static constexpr const char* kTitles[kExportColumnCount] = {
      "time (UTC)",
      "kind",
      "serial",
      "manufacturer",
      "model",
      "subscriber",
      "account",
      "object",
      "address",
      "meter time",
      "error flags",
      "counter went back",
      "energy, Wh",
      "volume, m³",
      "power, W",
      "flow, m³/h",
      "supply temperature, °C",
      "return temperature, °C",
      "temperature difference, K",
      "water temperature, °C",
      "operating time, h",
  };
  const auto index = static_cast<int>(column);
  return index >= 0 && index < kExportColumnCount ? kTitles[index] : "";
}

int64_t ExportReadings(const Archive& archive, const ReadingFilter& filter,
                       const ExportOptions& options, std::ostream& out) {
  int64_t count = 0;
  if (options.format == ExportFormat::kJson) {
    JsonWriter writer(out);
    archive.ForEachRow(filter, options.order, [&](const ArchiveRow& row) {
      writer.Write(row);
      ++count;
      RequireGood(out, {});
    });
    writer.Finish();
  } else {
    CsvWriter writer(out, options);
    archive.ForEachRow(filter, options.order, [&](const ArchiveRow& row) {
      writer.Write(row);
      ++count;
      RequireGood(out, {});
    });
  }
  out.flush();
  RequireGood(out, {});
  return count;
}

int64_t ExportReadings(const Archive& archive, const ReadingFilter& filter,
                       const ExportOptions& options, const std::filesystem::path& target) {
  const std::filesystem::path part = PartName(target);
  std::ofstream file(part, std::ios::binary | std::ios::trunc);
  if (!file) {
    const std::string reason = std::strerror(errno);
    const auto folder =
        target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    throw ExportError(target, "cannot write a file in the folder " + folder.string() + ": " +
                                  reason + ". Choose a folder you may write to.");
  }
  try {
    const int64_t count = ExportReadings(archive, filter, options, file);
    file.close();
    RequireGood(file, target);
    std::error_code error;
    std::filesystem::rename(part, target, error);
    if (error) {
      throw ExportError(target, "cannot replace " + target.string() + ": " + error.message() + ".");
    }
    return count;
  } catch (const ExportError& error) {
    file.close();
    std::error_code ignored;
    std::filesystem::remove(part, ignored);
    // A failed write into a stream names no file; this one does.
    if (error.target().empty()) throw ExportError(target, error.what());
    throw;
  } catch (...) {
    file.close();
    std::error_code ignored;
    std::filesystem::remove(part, ignored);
    throw;
  }
}

}  // namespace admintools
