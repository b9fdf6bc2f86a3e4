#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// The longest prefix of `text` of at most `maxBytes` bytes that does not end
// inside a UTF-8 character.
std::string_view Utf8Prefix(std::string_view text, std::size_t maxBytes);

// Copies `text` into a fixed field of `size` bytes, NUL-terminated, cut on a
// character boundary when it does not fit. Nothing is written when size is 0.
void CopyToField(char* field, std::size_t size, std::string_view text);

template <std::size_t N>
void CopyToField(char (&field)[N], std::string_view text) {
  CopyToField(field, N, text);
}

// Number of UTF-8 characters in `text` (continuation bytes not counted).
std::size_t Utf8Length(std::string_view text);

}  // namespace platform
