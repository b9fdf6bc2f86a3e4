#include "telegram.h"

namespace keldar::bus {

std::string ManufacturerLetters(std::uint16_t code) {
  // Every five bits count from '@', whatever they hold: code 0 reads "@@@", as
  // other M-Bus tools print it, and never as no maker at all.
  std::string letters;
  for (int shift : {10, 5, 0}) letters.push_back(static_cast<char>('@' + ((code >> shift) & 0x1F)));
  return letters;
}

std::optional<std::uint16_t> ManufacturerCode(const std::string& letters) {
  if (letters.size() != 3) return std::nullopt;
  unsigned code = 0;
  for (char c : letters) {
    const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (upper < 'A' || upper > 'Z') return std::nullopt;
    code = (code << 5) | static_cast<unsigned>(upper - '@');
  }
  return static_cast<std::uint16_t>(code);
}

std::string ApplicationErrorText(std::uint8_t code) {
  switch (code) {
    case 0:
      return "Unspecified error";
    case 1:
      return "Unimplemented CI-Field";
    case 2:
      return "Buffer too long, truncated";
    case 3:
      return "Too many records";
    case 4:
      return "Premature end of record";
    case 5:
      return "More than 10 DIFEs";
    case 6:
      return "More than 10 VIFEs";
    case 8:
      return "Application busy";
    case 9:
      return "Too many readouts";
    default:
      return "Application error " + std::to_string(code);
  }
}

}  // namespace keldar::bus
