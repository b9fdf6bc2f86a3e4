#include "record_coding.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace keldar::sim {

std::optional<BlockHeader> ReadBlockHeader(const Bytes& b, std::size_t& pos) {
  if (pos >= b.size()) return std::nullopt;
  BlockHeader h;
  h.dif = b[pos++];
  h.storage = (h.dif >> 6) & 1;
  std::uint8_t last = h.dif;
  for (int i = 0; (last & 0x80) != 0; ++i) {
    if (pos >= b.size() || i == 10) return std::nullopt;
    last = b[pos++];
    h.storage |= std::uint64_t{last & 0x0Fu} << (1 + 4 * i);
    h.tariff |= ((last >> 4) & 3u) << (2 * i);
    h.subunit |= ((last >> 6) & 1u) << i;
  }
  if (pos >= b.size()) return std::nullopt;
  do {
    if (pos >= b.size() || h.vib.size() == 11) return std::nullopt;
    h.vib.push_back(b[pos++]);
  } while ((h.vib.back() & 0x80) != 0);
  return h;
}

int DataLength(std::uint8_t dif) {
  static constexpr int kLengths[16] = {0, 1, 2, 3, 4, 4, 6, 8, 0, 1, 2, 3, 4, -1, 6, -2};
  return kLengths[dif & 0x0F];
}

bool SameVib(const Bytes& a, const Bytes& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if ((a[i] & 0x7F) != (b[i] & 0x7F)) return false;
  }
  return true;
}

Bytes DataInformation(std::uint8_t coding, std::uint32_t subunit) {
  Bytes out{coding};
  while (subunit != 0) {
    out.back() |= 0x80;
    out.push_back((subunit & 1) != 0 ? 0x40 : 0x00);
    subunit >>= 1;
  }
  return out;
}

Bytes LittleEndian(std::uint64_t value, int n) {
  Bytes out;
  for (int i = 0; i < n; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  return out;
}

Bytes Bcd(std::uint64_t value, int n) {
  Bytes out;
  for (int i = 0; i < n; ++i) {
    const auto low = value % 10;
    value /= 10;
    const auto high = value % 10;
    value /= 10;
    out.push_back(static_cast<std::uint8_t>(high << 4 | low));
  }
  return out;
}

Bytes TextRecord(const Bytes& dib, const Bytes& vib, const std::string& text) {
  Bytes out = dib;
  out.insert(out.end(), vib.begin(), vib.end());
  out.push_back(static_cast<std::uint8_t>(text.size()));
  out.insert(out.end(), text.rbegin(), text.rend());
  return out;
}

namespace {

struct Date {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  bool has_time = false;
};

std::optional<Date> ParseDate(const std::string& text) {
  Date d;
  const int n = std::sscanf(text.c_str(), "%d-%d-%dT%d:%d:%d", &d.year, &d.month, &d.day, &d.hour,
                            &d.minute, &d.second);
  if (n < 3 || d.year < 2000 || d.year > 2080) return std::nullopt;
  d.has_time = n >= 5;
  return d;
}

Bytes DateBytes(const Date& d, int length) {
  const int y = d.year - 2000;
  const auto day = static_cast<std::uint8_t>(d.day | (y & 7) << 5);
  const auto month = static_cast<std::uint8_t>(d.month | (y >> 3) << 4);
  const auto hour = static_cast<std::uint8_t>(d.hour);
  const auto minute = static_cast<std::uint8_t>(d.minute);
  switch (length) {
    case 2:
      return {day, month};
    case 4:
      return {minute, hour, day, month};
    default:
      return {static_cast<std::uint8_t>(d.second), minute, hour, day, month, 0};
  }
}

}  // namespace

std::optional<Bytes> EncodeValue(std::uint8_t dif, const std::string& value) {
  const int length = DataLength(dif);
  const int field = dif & 0x0F;
  try {
    if (length == 0) return Bytes{};
    if (field == 0x0D) {
      if (value.size() < 2 || value.front() != '"' || value.back() != '"') return std::nullopt;
      const std::string text = value.substr(1, value.size() - 2);
      Bytes out{static_cast<std::uint8_t>(text.size())};
      out.insert(out.end(), text.rbegin(), text.rend());
      return out;
    }
    if (field == 0x05) {
      const float real = std::stof(value);
      std::uint32_t bits = 0;
      std::memcpy(&bits, &real, sizeof bits);
      return LittleEndian(bits, 4);
    }
    if (field >= 0x09 && field != 0x0D && field != 0x0F) {
      const bool negative = !value.empty() && value[0] == '-';
      Bytes out = Bcd(std::stoull(value.substr(negative ? 1 : 0)), length);
      if (negative) out.back() = static_cast<std::uint8_t>((out.back() & 0x0F) | 0xF0);
      return out;
    }
    if (length > 0) {
      if (const auto date = ParseDate(value); date && value.find('-', 1) != std::string::npos) {
        if (length == 2 || length == 4 || length == 6) return DateBytes(*date, length);
        return std::nullopt;
      }
      return LittleEndian(static_cast<std::uint64_t>(std::stoll(value)), length);
    }
  } catch (const std::exception&) {
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace keldar::sim
