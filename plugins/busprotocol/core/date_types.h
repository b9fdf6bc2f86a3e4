// Dates and times of EN 13757-3 annex A: types G (date), F (date and time to
// the minute), I (date and time to the second) and J (time of day).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace keldar::bus {

struct DateTime {
  char type = 'F';
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool valid = true;     // false when the meter sets the IV bit
  bool in_range = true;  // false when a field holds no calendar value (day 0, month 13, …)
  bool summer_time = false;
};

// A time point the meter vouches for and the calendar has.
inline bool IsTimePoint(const DateTime& date) { return date.valid && date.in_range; }

DateTime DecodeTypeG(std::span<const std::uint8_t, 2> bytes);
DateTime DecodeTypeJ(std::span<const std::uint8_t, 3> bytes);
DateTime DecodeTypeF(std::span<const std::uint8_t, 4> bytes);
DateTime DecodeTypeI(std::span<const std::uint8_t, 6> bytes);

// The type that a time point of `length` data bytes carries.
std::optional<DateTime> DecodeTimePoint(std::span<const std::uint8_t> bytes);

// ISO 8601 without a zone: G "YYYY-MM-DD", F "YYYY-MM-DDTHH:MM",
// I "YYYY-MM-DDTHH:MM:SS", J "HH:MM:SS".
std::string FormatIso(const DateTime& date);

// Type F for a request; empty when a field is out of range.
std::optional<std::array<std::uint8_t, 4>> EncodeTypeF(const DateTime& date);

}  // namespace keldar::bus
