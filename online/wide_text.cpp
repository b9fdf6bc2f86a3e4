#include "online/wide_text.h"

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length and code point of the valid UTF-8 sequence at the start of `bytes`,
// or 0 when it does not start with one.
std::size_t DecodeOne(std::string_view bytes, char32_t& point) {
  const auto lead = static_cast<unsigned char>(bytes[0]);
  std::size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    point = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    minimum = 0x80;
    point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    minimum = 0x800;
    point = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    minimum = 0x10000;
    point = lead & 0x07;
  } else {
    return 0;
  }
  if (bytes.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (!IsContinuation(byte)) return 0;
    point = (point << 6) | (byte & 0x3F);
  }
  if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

std::u16string WidenBytes(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  while (!bytes.empty()) {
    char32_t point = 0;
    std::size_t length = DecodeOne(bytes, point);
    if (length == 0) {
      point = static_cast<unsigned char>(bytes[0]);
      length = 1;
    }
    if (point >= 0x10000) {
      point -= 0x10000;
      text.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
      text.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
    } else {
      text.push_back(static_cast<char16_t>(point));
    }
    bytes.remove_prefix(length);
  }
  return text;
}
