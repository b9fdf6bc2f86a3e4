#pragma once

#include <string>
#include <string_view>

// Decodes base64 text of the RFC 4648 alphabet (A-Z, a-z, 0-9, '+', '/').
// Decoding stops at the first '=' or at the first character outside the
// alphabet (a line break or blank ends the data); a final group of two or
// three symbols gives one or two bytes, a single leftover symbol nothing.
// No error is reported: the caller compares the result with a CRC.
std::string Base64Decode(std::string_view text);
