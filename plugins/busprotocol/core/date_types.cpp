#include "date_types.h"

#include <cstdio>

namespace keldar::bus {

namespace {

// Seven year bits split over two bytes, plus the two hundred-year bits of
// the 2013 edition. Meters without them count 0-80 as 2000-2080.
int FullYear(int year_in_century, int hundreds) {
  if (hundreds == 0) return year_in_century <= 80 ? 2000 + year_in_century : 1900 + year_in_century;
  return 1900 + 100 * hundreds + year_in_century;
}

int YearBits(std::uint8_t day_byte, std::uint8_t month_byte) {
  return ((day_byte & 0xE0) >> 5) | ((month_byte & 0xF0) >> 1);
}

constexpr int kLastYearInCentury = 99;  // the seven bits reach 127

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Meters fill a date they do not have with zeros or with all bits set; both
// leave a field outside the calendar.
bool DateInRange(const DateTime& d, int year_in_century) {
  if (year_in_century > kLastYearInCentury || d.month < 1 || d.month > 12) return false;
  return d.day >= 1 && d.day <= DaysInMonth(d.year, d.month);
}

bool TimeInRange(const DateTime& d) { return d.hour <= 23 && d.minute <= 59 && d.second <= 59; }

}  // namespace

DateTime DecodeTypeG(std::span<const std::uint8_t, 2> b) {
  DateTime d;
  d.type = 'G';
  d.day = b[0] & 0x1F;
  d.month = b[1] & 0x0F;
  d.year = FullYear(YearBits(b[0], b[1]), 0);
  d.in_range = DateInRange(d, YearBits(b[0], b[1]));
  return d;
}

DateTime DecodeTypeJ(std::span<const std::uint8_t, 3> b) {
  DateTime d;
  d.type = 'J';
  d.second = b[0] & 0x3F;
  d.minute = b[1] & 0x3F;
  d.hour = b[2] & 0x1F;
  d.in_range = TimeInRange(d);
  return d;
}

DateTime DecodeTypeF(std::span<const std::uint8_t, 4> b) {
  DateTime d;
  d.type = 'F';
  d.minute = b[0] & 0x3F;
  d.valid = (b[0] & 0x80) == 0;
  d.hour = b[1] & 0x1F;
  d.summer_time = (b[1] & 0x80) != 0;
  d.day = b[2] & 0x1F;
  d.month = b[3] & 0x0F;
  d.year = FullYear(YearBits(b[2], b[3]), (b[1] >> 5) & 0x03);
  d.in_range = DateInRange(d, YearBits(b[2], b[3])) && TimeInRange(d);
  return d;
}

DateTime DecodeTypeI(std::span<const std::uint8_t, 6> b) {
  DateTime d;
  d.type = 'I';
  d.second = b[0] & 0x3F;
  d.minute = b[1] & 0x3F;
  d.valid = (b[1] & 0x80) == 0;
  d.hour = b[2] & 0x1F;
  d.summer_time = (b[2] & 0x80) != 0;
  d.day = b[3] & 0x1F;
  d.month = b[4] & 0x0F;
  d.year = FullYear(YearBits(b[3], b[4]), (b[2] >> 5) & 0x03);
  d.in_range = DateInRange(d, YearBits(b[3], b[4])) && TimeInRange(d);
  return d;
}

std::optional<DateTime> DecodeTimePoint(std::span<const std::uint8_t> bytes) {
  switch (bytes.size()) {
    case 2:
      return DecodeTypeG(bytes.first<2>());
    case 3:
      return DecodeTypeJ(bytes.first<3>());
    case 4:
      return DecodeTypeF(bytes.first<4>());
    case 6:
      return DecodeTypeI(bytes.first<6>());
    default:
      return std::nullopt;
  }
}

std::string FormatIso(const DateTime& d) {
  char text[32];
  switch (d.type) {
    case 'G':
      std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
      break;
    case 'J':
      std::snprintf(text, sizeof text, "%02d:%02d:%02d", d.hour, d.minute, d.second);
      break;
    case 'I':
      std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", d.year, d.month, d.day,
                    d.hour, d.minute, d.second);
      break;
    default:
      std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d", d.year, d.month, d.day, d.hour,
                    d.minute);
      break;
  }
  return text;
}

std::optional<std::array<std::uint8_t, 4>> EncodeTypeF(const DateTime& d) {
  if (d.year < 2000 || d.year > 2099 || d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31 ||
      d.hour < 0 || d.hour > 23 || d.minute < 0 || d.minute > 59) {
    return std::nullopt;
  }
  // Years 2000-2080 need no hundred-year bits; later ones carry century 1.
  const int in_century = d.year - 2000;
  const int hundreds = in_century <= 80 ? 0 : 1;
  return std::array<std::uint8_t, 4>{
      static_cast<std::uint8_t>(d.minute),
      static_cast<std::uint8_t>(d.hour | (hundreds << 5) | (d.summer_time ? 0x80 : 0)),
      static_cast<std::uint8_t>(d.day | ((in_century & 0x07) << 5)),
      static_cast<std::uint8_t>(d.month | ((in_century & 0x78) << 1)),
  };
}

}  // namespace keldar::bus
