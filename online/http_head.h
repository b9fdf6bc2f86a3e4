#pragma once

#include <cstddef>

// Reads the head of an HTTP answer one byte at a time, so that reading stops
// exactly at the blank line and the body stays in the socket.
//
// The answer is accepted when the digits "200" occur anywhere in the head
// received so far, tested at the end of every header line. A 404 whose later
// header holds "1200" is therefore accepted: the server's answers are judged
// this loosely on purpose, and callers only look at the body.
//
// The reader keeps no copy of the head (it is never returned), only what the
// test needs, so a head without end costs no memory; it is refused once it
// passes kMaxHeadBytes.
class HttpHeadReader {
 public:
  static constexpr std::size_t kMaxHeadBytes = 64 * 1024;

  enum class Step {
    kMore,  // feed the next byte
    kDone,  // blank line reached, or the head grew too long: stop reading
  };

  Step Feed(char byte);

  // True once a finished header line found "200" in the head before it.
  // A head cut short (receive failed or connection closed) keeps the state of
  // its last complete line; a head that grew too long is never accepted.
  bool Accepted() const { return accepted_; }
  // True when the blank line ended the head.
  bool Complete() const { return complete_; }
  bool TooLong() const { return tooLong_; }
  std::size_t Size() const { return size_; }

 private:
  std::size_t size_ = 0;
  std::size_t lineChars_ = 0;  // characters other than CR and LF on the current line
  char previous_[2] = {0, 0};  // the two bytes before the current one
  bool seen200_ = false;
  bool accepted_ = false;
  bool complete_ = false;
  bool tooLong_ = false;
};
