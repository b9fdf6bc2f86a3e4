#include "online/update_chunks.h"

#include <algorithm>

void ChunkLength::StartFile(std::int64_t size) {
  // An empty file requests nothing and leaves the length as it is.
  if (size < 1) return;
  if (length_ >= size || length_ < 1) length_ = size;
}

void ChunkLength::Adapt(std::chrono::milliseconds elapsed, std::int64_t next, std::int64_t size) {
  if (elapsed < kFastChunk) {
    length_ += kGrowth;
  } else if (length_ > kShrinkFloor) {
    // A length carried over from a clipped chunk (7000, say) stops at the floor too.
    length_ = std::max(length_ - kShrink, kShrinkFloor);
  }
  if (next + length_ - 1 > size) length_ = size - next + 1;
}
