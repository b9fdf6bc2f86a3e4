#include "base/platform/text.h"

#include <cstring>

namespace platform {
namespace {

bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace

std::string_view Utf8Prefix(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t cut = maxBytes;
  // Step back to the first byte of the character that would be split.
  while (cut > 0 && IsContinuation(text[cut])) --cut;
  return text.substr(0, cut);
}

void CopyToField(char* field, std::size_t size, std::string_view text) {
  if (field == nullptr || size == 0) return;
  const auto fitting = Utf8Prefix(text, size - 1);
  if (!fitting.empty()) std::memcpy(field, fitting.data(), fitting.size());
  field[fitting.size()] = '\0';
}

std::size_t Utf8Length(std::string_view text) {
  std::size_t count = 0;
  for (char byte : text) {
    if (!IsContinuation(byte)) ++count;
  }
  return count;
}

}  // namespace platform
