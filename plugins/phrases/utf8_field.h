#pragma once

#include <algorithm>
#include <cstring>
#include <span>
#include <string_view>

namespace phrases {

// Copies `text` into a fixed field and terminates it. A text that does not fit is cut
// before the first character that would not fit whole, so the field stays valid UTF-8.
inline void CopyToField(std::span<char> field, std::string_view text) {
  if (field.empty()) return;
  std::size_t length = std::min(text.size(), field.size() - 1);
  if (length < text.size()) {
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  }
  std::memcpy(field.data(), text.data(), length);
  field[length] = '\0';
}

}  // namespace phrases
