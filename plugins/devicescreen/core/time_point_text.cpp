#include "core/time_point_text.h"

namespace devicescreen {

namespace {

// The number of `count` digits at `at`, or -1.
int Digits(std::string_view text, std::size_t at, std::size_t count) {
  if (at + count > text.size()) return -1;
  int value = 0;
  for (const char c : text.substr(at, count)) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

bool IsDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  const int year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
  if (year < 0 || month < 1 || month > 12 || day < 1) return false;
  constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= (month == 2 && leap ? 29 : kDays[month - 1]);
}

// "HH:MM" or "HH:MM:SS".
bool IsTime(std::string_view text) {
  if ((text.size() != 5 && text.size() != 8) || text[2] != ':') return false;
  const int hour = Digits(text, 0, 2), minute = Digits(text, 3, 2);
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return false;
  if (text.size() == 5) return true;
  const int second = Digits(text, 6, 2);
  return text[5] == ':' && second >= 0 && second <= 59;
}

}  // namespace

bool IsTimePointText(std::string_view text) {
  if (text.size() == 8) return IsTime(text);  // type J: the time of day alone
  if (text.size() == 10) return IsDate(text);
  return text.size() > 11 && text[10] == 'T' && IsDate(text.substr(0, 10)) &&
         IsTime(text.substr(11));
}

}  // namespace devicescreen
