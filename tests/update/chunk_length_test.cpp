// The adaptive chunk length: the requests a file of a given size costs on a
// fast or a slow link, and how the length carries from one file to the next.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "online/update_chunks.h"

namespace {

using namespace std::chrono_literals;

// The requests of one file as "position+length", each taking `elapsed`,
// driven the way the worker drives the rule.
std::vector<std::string> Requests(ChunkLength& chunks, std::int64_t size,
                                  std::chrono::milliseconds elapsed) {
  std::vector<std::string> requests;
  std::int64_t position = 1;
  while (position <= size) {
    if (position == 1) chunks.StartFile(size);
    requests.push_back(std::to_string(position) + "+" + std::to_string(chunks.Value()));
    position += chunks.Value();
    if (position > size) break;
    chunks.Adapt(elapsed, position, size);
  }
  return requests;
}

using Expected = std::vector<std::string>;

TEST(ChunkLength, AFileOf3000BytesFirstOfTheRunIsOneRequest) {
  ChunkLength chunks;
  EXPECT_EQ(Requests(chunks, 3000, 10ms), Expected({"1+3000"}));
}

TEST(ChunkLength, TwelveThousandBytesOnAFastLinkAre5000Then7000) {
  ChunkLength chunks;
  EXPECT_EQ(Requests(chunks, 12000, 10ms), Expected({"1+5000", "5001+7000"}));
}

TEST(ChunkLength, TwelveThousandBytesOnASlowLinkAre5000And5000And2000) {
  ChunkLength chunks;
  EXPECT_EQ(Requests(chunks, 12000, 800ms), Expected({"1+5000", "5001+5000", "10001+2000"}));
}

TEST(ChunkLength, HalfASecondExactlyIsSlow) {
  ChunkLength chunks;
  EXPECT_EQ(Requests(chunks, 12000, 500ms), Expected({"1+5000", "5001+5000", "10001+2000"}));
  ChunkLength fast;
  EXPECT_EQ(Requests(fast, 12000, 499ms), Expected({"1+5000", "5001+7000"}));
}

TEST(ChunkLength, GrowsWithoutUpperLimitAndTheLastChunkEndsAtTheLastByte) {
  ChunkLength chunks;
  EXPECT_EQ(Requests(chunks, 100000, 1ms), Expected({"1+5000", "5001+10000", "15001+15000",
                                                     "30001+20000", "50001+25000", "75001+25000"}));
}

TEST(ChunkLength, ShrinksBy2500WhileAbove5000AndNeverBelowThat) {
  ChunkLength chunks;
  Requests(chunks, 15000, 1ms);  // 5000, then 10000: the length ends at 10000
  ASSERT_EQ(chunks.Value(), 10000);
  EXPECT_EQ(Requests(chunks, 40000, 900ms),
            Expected({"1+10000", "10001+7500", "17501+5000", "22501+5000", "27501+5000",
                      "32501+5000", "37501+2500"}));
}

TEST(ChunkLength, TheLengthCarriesOverToTheNextFileClippedToItsSize) {
  ChunkLength chunks;
  Requests(chunks, 12000, 1ms);
  EXPECT_EQ(chunks.Value(), 7000) << "the clipped last chunk is what the next file starts with";
  EXPECT_EQ(Requests(chunks, 30000, 1ms), Expected({"1+7000", "7001+12000", "19001+11000"}));
  EXPECT_EQ(Requests(chunks, 4000, 1ms), Expected({"1+4000"}));
  EXPECT_EQ(Requests(chunks, 9000, 1ms), Expected({"1+4000", "4001+5000"}));
}

TEST(ChunkLength, ACarriedLengthAboveTheFloorShrinksOnlyToTheFloor) {
  ChunkLength chunks;
  Requests(chunks, 12000, 1ms);  // ends at 7000
  EXPECT_EQ(Requests(chunks, 20000, 900ms),
            Expected({"1+7000", "7001+5000", "12001+5000", "17001+3000"}));
}

TEST(ChunkLength, AnEmptyFileRequestsNothingAndLeavesTheLengthAsItIs) {
  ChunkLength chunks;
  Requests(chunks, 12000, 1ms);
  EXPECT_TRUE(Requests(chunks, 0, 1ms).empty());
  EXPECT_EQ(chunks.Value(), 7000);
}

}  // namespace
