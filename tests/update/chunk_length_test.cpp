// The adaptive chunk length, driven as the update drives it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "online/update_chunks.h"

namespace {

using namespace std::chrono_literals;
using Requests = std::vector<std::string>;

// The requests of one file as "position+length" when each chunk takes `elapsed`.
Requests Fetch(ChunkLength& chunks, std::int64_t size, std::chrono::milliseconds elapsed) {
  Requests requests;
  for (std::int64_t position = 1; position <= size;) {
    if (position == 1) chunks.StartFile(size);
    requests.push_back(std::to_string(position) + "+" + std::to_string(chunks.Value()));
    position += chunks.Value();
    if (position <= size) chunks.Adapt(elapsed, position, size);
  }
  return requests;
}

TEST(ChunkLength, TheEdgeCasesOfTheFirstFile) {
  ChunkLength small, fast, slow, borderline;
  EXPECT_EQ(Fetch(small, 3000, 10ms), Requests({"1+3000"}));
  EXPECT_EQ(Fetch(fast, 12000, 10ms), Requests({"1+5000", "5001+7000"}));
  EXPECT_EQ(Fetch(slow, 12000, 800ms), Requests({"1+5000", "5001+5000", "10001+2000"}));
  EXPECT_EQ(Fetch(borderline, 12000, 500ms), Requests({"1+5000", "5001+5000", "10001+2000"}))
      << "500 ms is not under 500 ms";
}

TEST(ChunkLength, GrowsWithoutLimitAndShrinksOnlyDownTo5000) {
  ChunkLength chunks;
  EXPECT_EQ(Fetch(chunks, 100000, 1ms), Requests({"1+5000", "5001+10000", "15001+15000",
                                                  "30001+20000", "50001+25000", "75001+25000"}));
  EXPECT_EQ(Fetch(chunks, 60000, 900ms), Requests({"1+25000", "25001+22500", "47501+12500"}));
  ChunkLength carried;
  Fetch(carried, 12000, 1ms);  // ends at 7000, not a multiple of 2500
  EXPECT_EQ(Fetch(carried, 20000, 900ms),
            Requests({"1+7000", "7001+5000", "12001+5000", "17001+3000"}));
}

TEST(ChunkLength, CarriesOverToTheNextFileClippedToItsSize) {
  ChunkLength chunks;
  Fetch(chunks, 12000, 1ms);
  EXPECT_EQ(Fetch(chunks, 30000, 1ms), Requests({"1+7000", "7001+12000", "19001+11000"}));
  EXPECT_EQ(Fetch(chunks, 4000, 1ms), Requests({"1+4000"}));
  EXPECT_TRUE(Fetch(chunks, 0, 1ms).empty()) << "an empty file asks for nothing";
  EXPECT_EQ(chunks.Value(), 4000) << "and leaves the length as it was";
}

}  // namespace
