#include "online/base64.h"

#include <array>
#include <cstdint>

namespace {

constexpr std::int8_t kNotInAlphabet = -1;

constexpr std::array<std::int8_t, 256> MakeValues() {
  std::array<std::int8_t, 256> values{};
  values.fill(kNotInAlphabet);
  constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (std::size_t i = 0; i < kAlphabet.size(); ++i)
    values[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
  return values;
}

constexpr std::array<std::int8_t, 256> kValues = MakeValues();

}  // namespace

std::string Base64Decode(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3 + 2);
  std::uint32_t group = 0;  // up to four 6-bit symbols
  int symbols = 0;
  for (const char c : text) {
    const std::int8_t value = kValues[static_cast<unsigned char>(c)];
    if (value == kNotInAlphabet) break;  // '=' is not in the alphabet either
    group = (group << 6) | static_cast<std::uint32_t>(value);
    if (++symbols == 4) {
      bytes.push_back(static_cast<char>((group >> 16) & 0xFFu));
      bytes.push_back(static_cast<char>((group >> 8) & 0xFFu));
      bytes.push_back(static_cast<char>(group & 0xFFu));
      group = 0;
      symbols = 0;
    }
  }
  // Two symbols carry 12 bits (one byte), three carry 18 (two bytes).
  if (symbols == 2) {
    bytes.push_back(static_cast<char>((group >> 4) & 0xFFu));
  } else if (symbols == 3) {
    bytes.push_back(static_cast<char>((group >> 10) & 0xFFu));
    bytes.push_back(static_cast<char>((group >> 2) & 0xFFu));
  }
  return bytes;
}
