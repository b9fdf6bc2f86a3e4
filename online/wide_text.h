#pragma once

#include <string>
#include <string_view>

// Widens the server's bytes to UTF-16 for parsing. The narrow texts of this
// program are UTF-8; a byte that does not belong to a valid UTF-8 sequence
// (a stray Latin-1 or Windows-1251 byte, a cut sequence, an overlong or
// surrogate form) widens to the unit of the same value, so no byte is lost and
// narrowing an ASCII or Latin-1 text gives back the bytes it came from.
std::u16string WidenBytes(std::string_view bytes);
