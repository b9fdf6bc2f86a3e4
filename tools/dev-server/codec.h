#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The encodings the development server answers in. Written here on the
// server's side, independent of the program's own decoders, so that tests of
// the update catch a fault on either side.
namespace devserver {

// CRC-32 of ISO 3309 / IEEE 802.3 (reflected 0xEDB88320, start and final
// complement 0xFFFFFFFF).
std::uint32_t Crc32(std::string_view bytes);

// Base64 with the RFC 4648 alphabet and '=' padding.
std::string Base64Encode(std::string_view bytes);

// A JSON string literal, quotes included; control characters, quote and
// backslash escaped, every other byte as it is.
std::string JsonString(std::string_view text);

// One flat object of string members, in the order given.
using JsonRecord = std::vector<std::pair<std::string, std::string>>;

// A JSON array of flat objects.
std::string JsonRecords(const std::vector<JsonRecord>& records);

}  // namespace devserver
