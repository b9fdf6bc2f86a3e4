#include "meter_file.h"

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "record_coding.h"

namespace keldar::sim {

namespace {

using Section = std::vector<std::pair<std::string, std::string>>;

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

std::map<std::string, Section> ParseIni(const std::string& text, std::string& error) {
  std::map<std::string, Section> sections;
  std::string current;
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    line = Trim(StripComment(line));
    if (line.empty() || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      current = Trim(line.substr(1, line.size() - 2));
      sections[current];
      continue;
    }
    const auto eq = line.find('=');
    if (eq == std::string::npos || current.empty()) {
      error = "line " + std::to_string(number) + ": expected key = value in a section";
      return {};
    }
    sections[current].emplace_back(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
  }
  return sections;
}

std::uint32_t Number(const std::string& text, std::uint32_t max) {
  const unsigned long long value = std::stoull(text, nullptr, 0);
  if (value > max) throw std::out_of_range(text);
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

DeviceDescription ReadInput(const Section& section) {
  DeviceDescription d;
  bool secondary_given = false;
  for (const auto& [key, value] : section) {
    if (!ReadDeviceKey(key, value, d, secondary_given)) {
      throw std::invalid_argument("unknown key in input section: " + key);
    }
  }
  if (!secondary_given) d.secondary = d.identification;
  return d;
}

bool Yes(const std::string& value) { return value == "yes" || value == "true" || value == "1"; }

}  // namespace

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

std::optional<MeterDescription> ParseMeterText(const std::string& text, std::string& error) {
  const auto sections = ParseIni(text, error);
  if (!error.empty()) return std::nullopt;
  const auto meter = sections.find("meter");
  if (meter == sections.end()) {
    error = "no [meter] section";
    return std::nullopt;
  }
  MeterDescription description;
  bool secondary_given = false;
  try {
    for (const auto& [key, value] : meter->second) {
      if (ReadDeviceKey(key, value, description.device, secondary_given)) continue;
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
        if (value != "standard" && value != "kept")
          throw std::invalid_argument("selection: " + value);
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
    if (!secondary_given) description.device.secondary = description.device.identification;
    for (int input = 0; input < 2; ++input) {
      const auto section = sections.find("input" + std::to_string(input));
      if (section != sections.end()) description.inputs[input] = ReadInput(section->second);
    }
  } catch (const std::exception& e) {
    error = e.what();
    return std::nullopt;
  }
  return description;
}

std::optional<MeterDescription> LoadMeterFile(const std::string& path, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot read " + path;
    return std::nullopt;
  }
  std::stringstream text;
  text << in.rdbuf();
  auto description = ParseMeterText(text.str(), error);
  if (!description) {
    error = path + ": " + error;
    return std::nullopt;
  }
  description->name = path;
  return description;
}

}  // namespace keldar::sim
