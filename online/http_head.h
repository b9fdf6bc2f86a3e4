#pragma once

#include <cstddef>

// Reads the head of an HTTP answer one byte at a time, so that reading stops
// exactly at the blank line and the body stays in the socket.
//
// The answer is accepted when its status line reads "HTTP/<version> 200":
// the code is taken from the status line alone, so a 404 whose later header
// holds "200" is refused.
//
// The reader keeps no copy of the head (it is never returned), only the status
// line up to kMaxStatusLineBytes, so a head without end costs no memory; it is
// refused once it passes kMaxHeadBytes.
class HttpHeadReader {
 public:
  static constexpr std::size_t kMaxHeadBytes = 64 * 1024;
  static constexpr std::size_t kMaxStatusLineBytes = 256;

  enum class Step {
    kMore,  // feed the next byte
    kDone,  // blank line reached, or the head grew too long: stop reading
  };

  Step Feed(char byte);

  // True once the status line is complete and its code is 200. A head cut
  // short after that line stays accepted (the body is then empty anyway); a
  // head that grew too long is never accepted.
  bool Accepted() const { return accepted_; }
  // True when the blank line ended the head.
  bool Complete() const { return complete_; }
  bool TooLong() const { return tooLong_; }
  std::size_t Size() const { return size_; }

 private:
  void EndStatusLine();

  std::size_t size_ = 0;
  std::size_t lineChars_ = 0;  // characters other than CR and LF on the current line
  char status_[kMaxStatusLineBytes] = {};
  std::size_t statusSize_ = 0;
  bool statusOverflow_ = false;
  bool inStatusLine_ = true;
  bool accepted_ = false;
  bool complete_ = false;
  bool tooLong_ = false;
};
