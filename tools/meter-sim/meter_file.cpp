#include "meter_file.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "record_coding.h"

namespace keldar::sim {

namespace {

struct Entry {
  std::string key;
  std::string value;
  int line = 0;
};

struct Section {
  std::string name;  // as written between the brackets
  int line = 0;
  std::vector<Entry> entries;
};

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// Strips a ";" comment that is not inside quotes.
std::string StripComment(const std::string& line) {
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (line[i] == ';' && !quoted) return line.substr(0, i);
  }
  return line;
}

// The sections in file order, each key with its line.
std::vector<Section> ParseIni(const std::string& text, std::string& error) {
  std::vector<Section> sections;
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    line = Trim(StripComment(line));
    if (line.empty() || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      sections.push_back({Trim(line.substr(1, line.size() - 2)), number, {}});
      continue;
    }
    const auto eq = line.find('=');
    if (eq == std::string::npos || sections.empty()) {
      error = "line " + std::to_string(number) + ": expected key = value in a section";
      return {};
    }
    sections.back().entries.push_back(
        {Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)), number});
  }
  return sections;
}

std::string Where(const Section& section, int line) {
  return "[" + section.name + "] line " + std::to_string(line) + ": ";
}

std::uint32_t Number(const std::string& text, std::uint32_t max) {
  std::size_t used = 0;
  unsigned long long value = 0;
  try {
    value = std::stoull(text, &used, 0);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text.size() || text[0] == '-') {
    throw std::invalid_argument("not a number: " + text);
  }
  if (value > max) throw std::out_of_range("above " + std::to_string(max) + ": " + text);
  return static_cast<std::uint32_t>(value);
}

// "41000001" → 0x41000001: the digits as the telegram carries them.
std::uint32_t BcdDigits(const std::string& text) {
  if (text.empty() || text.size() > 8 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    throw std::invalid_argument("not 1-8 digits: " + text);
  }
  return static_cast<std::uint32_t>(std::stoul(text, nullptr, 16));
}

std::uint16_t Manufacturer(const std::string& letters) {
  if (letters.size() != 3) throw std::invalid_argument("manufacturer: " + letters);
  unsigned code = 0;
  for (char c : letters) {
    if (c < 'A' || c > 'Z') throw std::invalid_argument("manufacturer: " + letters);
    code = code << 5 | static_cast<unsigned>(c - '@');
  }
  return static_cast<std::uint16_t>(code);
}

std::string Unquote(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

RecordDescription Record(const std::string& line) {
  const auto colon = line.find(':');
  if (colon == std::string::npos) throw std::invalid_argument("record without ':' " + line);
  const auto header = ParseHex(line.substr(0, colon));
  if (!header) throw std::invalid_argument("record header: " + line);
  std::size_t pos = 0;
  const auto block = ReadBlockHeader(*header, pos);
  if (!block || pos != header->size()) throw std::invalid_argument("record header: " + line);
  const auto data = EncodeValue(block->dif, Trim(line.substr(colon + 1)));
  if (!data) throw std::invalid_argument("record value: " + line);
  return {*header, *data};
}

// Keys shared by a meter and a sub-device.
bool ReadDeviceKey(const std::string& key, const std::string& value, DeviceDescription& d,
                   bool& secondary_given) {
  if (key == "identification") {
    d.identification = BcdDigits(value);
  } else if (key == "version") {
    d.version = static_cast<std::uint8_t>(Number(value, 255));
  } else if (key == "medium") {
    d.medium = static_cast<std::uint8_t>(Number(value, 255));
  } else if (key == "model") {
    d.model = Unquote(value);
  } else if (key == "software") {
    d.software = Unquote(value);
  } else if (key == "secondary") {
    d.secondary = BcdDigits(value);
    secondary_given = true;
  } else if (key == "record") {
    d.records.push_back(Record(value));
  } else {
    return false;
  }
  return true;
}

// Runs `read` on every entry of `section`; what it throws comes back naming
// the section and the line.
template <typename Read>
void ForEachEntry(const Section& section, Read read) {
  for (const auto& entry : section.entries) {
    try {
      read(entry.key, entry.value);
    } catch (const std::exception& e) {
      throw std::invalid_argument(Where(section, entry.line) + e.what());
    }
  }
}

DeviceDescription ReadInput(const Section& section) {
  DeviceDescription d;
  bool secondary_given = false;
  ForEachEntry(section, [&](const std::string& key, const std::string& value) {
    if (!ReadDeviceKey(key, value, d, secondary_given)) {
      throw std::invalid_argument("unknown key in input section: " + key);
    }
  });
  if (!secondary_given) d.secondary = d.identification;
  return d;
}

bool Yes(const std::string& value) { return value == "yes" || value == "true" || value == "1"; }

// The keys of a meter section that a sub-device does not have.
void ReadMeterKey(const std::string& key, const std::string& value, MeterDescription& description) {
  if (key == "address") {
    description.address = static_cast<std::uint8_t>(Number(value, 250));
  } else if (key == "speed") {
    description.speed = static_cast<int>(Number(value, 1'000'000));
  } else if (key == "manufacturer") {
    description.manufacturer = Manufacturer(value);
  } else if (key == "access") {
    description.access = static_cast<std::uint8_t>(Number(value, 255));
  } else if (key == "status") {
    description.status = static_cast<std::uint8_t>(Number(value, 255));
  } else if (key == "signature") {
    description.signature = static_cast<std::uint16_t>(Number(value, 0xFFFF));
  } else if (key == "reply_delay_ms") {
    description.reply_delay_ms = static_cast<int>(Number(value, 60'000));
  } else if (key == "records_per_telegram") {
    description.records_per_telegram = Number(value, 1000);
  } else if (key == "answers_user_data") {
    description.answers_user_data = Yes(value);
  } else if (key == "secondary_address") {
    using Secondary = MeterDescription::Secondary;
    if (value == "writable")
      description.secondary_address = Secondary::Writable;
    else if (value == "read-only")
      description.secondary_address = Secondary::ReadOnly;
    else if (value == "none")
      description.secondary_address = Secondary::None;
    else
      throw std::invalid_argument("secondary_address: " + value);
  } else if (key == "manufacturer_data") {
    const auto bytes = ParseHex(value);
    if (!bytes) throw std::invalid_argument("manufacturer_data: " + value);
    description.manufacturer_data = *bytes;
  } else if (key == "pulse_weight_0" || key == "pulse_weight_1") {
    description.pulse_weight[key.back() - '0'] = Number(value, 0xFFFFFFFF);
  } else if (key == "noise") {
    description.noise = Number(value, 250);
  } else if (key == "ignores_writes") {
    description.ignores_writes = Yes(value);
  } else if (key == "answer_address") {
    description.answer_address = static_cast<std::uint8_t>(Number(value, 255));
  } else if (key == "selection") {
    if (value != "standard" && value != "kept") throw std::invalid_argument("selection: " + value);
    description.standard_selection = value == "standard";
  } else if (key == "echo") {
    description.echo = Yes(value);
  } else if (key == "replay") {
    const auto bytes = ParseHex(value);
    if (!bytes || bytes->empty()) throw std::invalid_argument("replay: " + value);
    description.replay.push_back(*bytes);
  } else {
    throw std::invalid_argument("unknown key: " + key);
  }
}

MeterDescription ReadMeter(const Section& section) {
  MeterDescription description;
  bool secondary_given = false;
  ForEachEntry(section, [&](const std::string& key, const std::string& value) {
    if (!ReadDeviceKey(key, value, description.device, secondary_given)) {
      ReadMeterKey(key, value, description);
    }
  });
  if (!secondary_given) description.device.secondary = description.device.identification;
  return description;
}

// "[meter]" names the meter "", "[meter NAME]" names it NAME.
std::optional<std::string> MeterName(const std::string& section) {
  if (section == "meter") return std::string();
  if (section.rfind("meter ", 0) == 0) {
    const std::string name = Trim(section.substr(6));
    if (!name.empty() && name.find_first_of(" \t") == std::string::npos) return name;
  }
  return std::nullopt;
}

// "[input0]" belongs to the meter "", "[NAME input1]" to NAME: the owner's name
// and the input.
std::optional<std::pair<std::string, int>> InputOf(const std::string& section) {
  const auto blank = section.find_last_of(" ");
  const std::string last = blank == std::string::npos ? section : section.substr(blank + 1);
  if (last != "input0" && last != "input1") return std::nullopt;
  const std::string owner = blank == std::string::npos ? "" : Trim(section.substr(0, blank));
  return std::pair{owner, last.back() - '0'};
}

}  // namespace

std::optional<std::vector<MeterDescription>> ParseMeterText(const std::string& text,
                                                            std::string& error) {
  const auto sections = ParseIni(text, error);
  if (!error.empty()) return std::nullopt;
  std::vector<MeterDescription> meters;
  std::vector<std::string> names;  // beside `meters`
  try {
    for (std::size_t i = 0; i < sections.size(); ++i) {
      const Section& section = sections[i];
      for (std::size_t j = 0; j < i; ++j) {
        if (sections[j].name == section.name) {
          throw std::invalid_argument(Where(section, section.line) + "the section appears twice");
        }
      }
      if (const auto name = MeterName(section.name)) {
        meters.push_back(ReadMeter(section));
        names.push_back(*name);
      } else if (!InputOf(section.name)) {
        throw std::invalid_argument(Where(section, section.line) + "unknown section");
      }
    }
    // Inputs may stand before or after their meter.
    for (const Section& section : sections) {
      const auto input = InputOf(section.name);
      if (!input || MeterName(section.name)) continue;
      const auto owner = std::find(names.begin(), names.end(), input->first);
      if (owner == names.end()) {
        throw std::invalid_argument(Where(section, section.line) + "no meter section for it");
      }
      meters[static_cast<std::size_t>(owner - names.begin())].inputs[input->second] =
          ReadInput(section);
    }
  } catch (const std::exception& e) {
    error = e.what();
    return std::nullopt;
  }
  if (meters.empty()) {
    error = "no [meter] section";
    return std::nullopt;
  }
  for (std::size_t i = 0; i < meters.size(); ++i) meters[i].name = names[i];
  return meters;
}

std::optional<std::vector<MeterDescription>> LoadMeterFile(const std::string& path,
                                                           std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot read " + path;
    return std::nullopt;
  }
  std::stringstream text;
  text << in.rdbuf();
  auto meters = ParseMeterText(text.str(), error);
  if (!meters) {
    error = path + ": " + error;
    return std::nullopt;
  }
  for (auto& meter : *meters) meter.name = meter.name.empty() ? path : path + ":" + meter.name;
  return meters;
}

std::optional<Bytes> ParseHex(const std::string& text) {
  Bytes bytes;
  int high = -1;
  for (char c : text) {
    if (c == ' ' || c == '\t') continue;
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    if (high < 0) {
      high = digit;
    } else {
      bytes.push_back(static_cast<std::uint8_t>(high << 4 | digit));
      high = -1;
    }
  }
  if (high >= 0) return std::nullopt;
  return bytes;
}

}  // namespace keldar::sim
