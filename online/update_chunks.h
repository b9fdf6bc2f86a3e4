#pragma once

#include <chrono>
#include <cstdint>

// The byte count of the next fetch_file request. It adapts to the link: a
// chunk that took under 500 ms makes the next one 5000 bytes longer (without
// upper limit); a slower one makes it 2500 bytes shorter while it is above
// 5000, so shrinking alone never takes it below 5000. The length lives for the
// whole update: a file starts with the length the previous file ended with,
// clipped to its own size, and the last chunk of a file is clipped to end at
// its last byte. Positions count from 1.
class ChunkLength {
 public:
  static constexpr std::int64_t kStart = 5000;
  static constexpr std::int64_t kGrowth = 5000;
  static constexpr std::int64_t kShrink = 2500;
  static constexpr std::int64_t kShrinkFloor = 5000;
  static constexpr std::chrono::milliseconds kFastChunk{500};

  std::int64_t Value() const { return length_; }

  // Before the first chunk of a file of `size` bytes.
  void StartFile(std::int64_t size);
  // After a chunk that took `elapsed`, when the file goes on at `next`
  // (the position after that chunk, not beyond `size`).
  void Adapt(std::chrono::milliseconds elapsed, std::int64_t next, std::int64_t size);

 private:
  std::int64_t length_ = kStart;
};
