#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

// CRC-32 of ISO 3309 / IEEE 802.3: reflected polynomial 0xEDB88320, initial
// value 0xFFFFFFFF, final complement. The server states each file's CRC this way.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
std::uint32_t Crc32(std::string_view bytes);

// Continues `crc` (a finished CRC, 0 for none yet) over more bytes, so a file
// can be taken in pieces: Crc32Update(Crc32(a), b) == Crc32(a + b).
std::uint32_t Crc32Update(std::uint32_t crc, std::span<const std::uint8_t> bytes);

// The CRC-32 of a file's whole content; 0 when it cannot be opened, or when
// fewer bytes could be read than its length.
std::uint32_t FileCrc32(const std::filesystem::path& file);
