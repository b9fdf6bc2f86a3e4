#include "hex_input.h"

#include <optional>

namespace keldar::cli {

namespace {

int Digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == ','; }

// Empty when a character is neither a hex digit nor a blank, or a digit is odd.
std::optional<std::vector<std::uint8_t>> ParseHex(const std::string& text, std::string& why) {
  std::vector<std::uint8_t> bytes;
  int high = -1;
  for (char c : text) {
    if (Blank(c)) continue;
    const int d = Digit(c);
    if (d < 0) {
      why = std::string("'") + c + "' is not a hex digit";
      return std::nullopt;
    }
    if (high < 0) {
      high = d;
    } else {
      bytes.push_back(static_cast<std::uint8_t>(high << 4 | d));
      high = -1;
    }
  }
  if (high >= 0) {
    why = "odd number of hex digits";
    return std::nullopt;
  }
  return bytes;
}

bool HasContent(const std::string& line) {
  for (char c : line) {
    if (!Blank(c)) return true;
  }
  return false;
}

}  // namespace

HexTelegrams ReadHexLines(std::istream& in) {
  HexTelegrams result;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!HasContent(line)) continue;
    std::string why;
    auto bytes = ParseHex(line, why);
    HexTelegram telegram{{}, number, {}};
    if (bytes)
      telegram.bytes = std::move(*bytes);
    else
      telegram.error = "bad hex: " + why;
    result.telegrams.push_back(std::move(telegram));
  }
  return result;
}

HexTelegrams ReadHexArguments(const std::vector<std::string>& args) {
  HexTelegrams result;
  std::vector<std::uint8_t> stream;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string why;
    const auto bytes = ParseHex(args[i], why);
    if (!bytes) {
      result.error = "argument " + std::to_string(i + 1) + ": bad hex: " + why;
      return result;
    }
    stream.insert(stream.end(), bytes->begin(), bytes->end());
  }
  if (stream.empty()) return result;
  for (auto& frame : CutIntoFrames(stream)) result.telegrams.push_back({std::move(frame), 0, {}});
  return result;
}

std::vector<std::vector<std::uint8_t>> CutIntoFrames(const std::vector<std::uint8_t>& stream) {
  std::vector<std::vector<std::uint8_t>> frames;
  std::size_t at = 0;
  while (at < stream.size()) {
    std::size_t length = 0;
    if (stream[at] == 0xE5) {
      length = 1;
    } else if (stream[at] == 0x10) {
      length = 5;
    } else if (stream[at] == 0x68 && at + 1 < stream.size()) {
      length = std::size_t{stream[at + 1]} + 6;
    }
    if (length == 0 || at + length > stream.size()) return {stream};
    frames.emplace_back(stream.begin() + static_cast<std::ptrdiff_t>(at),
                        stream.begin() + static_cast<std::ptrdiff_t>(at + length));
    at += length;
  }
  return frames;
}

}  // namespace keldar::cli
