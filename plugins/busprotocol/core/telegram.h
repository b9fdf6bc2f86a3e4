// A decoded RSP_UD answer (EN 13757-3): header and data records.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace keldar::bus {

enum class Function : std::uint8_t {
  kInstantaneous = 0,
  kMaximum = 1,
  kMinimum = 2,
  kError = 3,
  kManufacturer = 4,  // trailing manufacturer-specific block (DIF 0F / 1F)
};

enum class ValueKind : std::uint8_t {
  kNone = 0,
  kNumber = 1,
  kText = 2,
  kDate = 3,
  kInvalidDate = 4,
  kBytes = 5,
};

struct Record {
  std::uint8_t dif = 0;
  std::vector<std::uint8_t> difes;
  std::uint8_t vif = 0;  // as sent
  std::vector<std::uint8_t> vifes;
  std::vector<std::uint8_t> data;  // as sent, LVAR byte excluded
  Function function = Function::kInstantaneous;
  std::uint64_t storage = 0;
  std::uint32_t tariff = 0;
  std::uint32_t subunit = 0;
  std::uint64_t raw = 0;  // first eight data bytes, little-endian
  ValueKind kind = ValueKind::kNone;
  double number = 0;
  std::string text;
  std::string unit;
  std::string quantity;
};

struct Header {
  std::uint32_t identification = 0;  // BCD digits as read
  std::uint16_t manufacturer = 0;
  std::uint8_t version = 0;
  std::uint8_t medium = 0;
  std::uint8_t access_number = 0;
  std::uint8_t status = 0;
  std::uint16_t signature = 0;
};

struct Telegram {
  std::uint8_t c = 0;
  std::uint8_t a = 0;
  std::uint8_t ci = 0;
  Header header;
  std::vector<Record> records;
  bool more_records_follow = false;
  std::optional<std::uint8_t> application_error;  // CI 70
};

// The three letters of a manufacturer code, each five bits counted from '@'
// (EN 13757-3): code 0 is "@@@", values above 26 give the signs after Z.
std::string ManufacturerLetters(std::uint16_t code);
// The code of three letters A–Z (case ignored).
std::optional<std::uint16_t> ManufacturerCode(const std::string& letters);

std::string ApplicationErrorText(std::uint8_t code);

}  // namespace keldar::bus
