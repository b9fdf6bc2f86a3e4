#include "online/crc32.h"

#include <array>
#include <fstream>
#include <vector>

namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320u;

constexpr std::array<std::uint32_t, 256> MakeTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < table.size(); ++n) {
    std::uint32_t value = n;
    for (int bit = 0; bit < 8; ++bit)
      value = (value & 1u) != 0 ? kPolynomial ^ (value >> 1) : value >> 1;
    table[n] = value;
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> kTable = MakeTable();

}  // namespace

std::uint32_t Crc32Update(std::uint32_t crc, std::span<const std::uint8_t> bytes) {
  std::uint32_t value = ~crc;
  for (const std::uint8_t byte : bytes) value = kTable[(value ^ byte) & 0xFFu] ^ (value >> 8);
  return ~value;
}

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) { return Crc32Update(0, bytes); }

std::uint32_t Crc32(std::string_view bytes) {
  return Crc32(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::uint32_t FileCrc32(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return 0;
  const auto length = std::filesystem::file_size(file, error);
  if (error) return 0;
  std::ifstream in(file, std::ios::binary);
  if (!in) return 0;

  std::vector<std::uint8_t> block(64 * 1024);
  std::uint32_t crc = 0;
  std::uintmax_t read = 0;
  while (in) {
    in.read(reinterpret_cast<char*>(block.data()), static_cast<std::streamsize>(block.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    crc = Crc32Update(crc, std::span(block.data(), got));
    read += got;
  }
  // A file that changed length while being read is not trusted.
  return read == length ? crc : 0;
}
