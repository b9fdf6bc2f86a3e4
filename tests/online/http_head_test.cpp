#include "online/http_head.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Fed {
  bool accepted;
  bool complete;
  std::size_t consumed;  // bytes taken before the reader said done (all when it did not)
};

Fed FeedAll(const std::string& bytes) {
  HttpHeadReader head;
  std::size_t consumed = 0;
  for (const char byte : bytes) {
    ++consumed;
    if (head.Feed(byte) == HttpHeadReader::Step::kDone) break;
  }
  return {head.Accepted(), head.Complete(), consumed};
}

TEST(HttpHead, StopsExactlyAtTheBlankLineSoTheBodyStaysUnread) {
  const std::string head = "HTTP/1.0 200 OK\r\nContent-Type: application/json\r\n\r\n";
  const Fed fed = FeedAll(head + "[{\"a\":\"b\"}]");
  EXPECT_TRUE(fed.accepted);
  EXPECT_TRUE(fed.complete);
  EXPECT_EQ(fed.consumed, head.size());
}

TEST(HttpHead, OnlyTheStatusLinesCodeCounts) {
  EXPECT_TRUE(FeedAll("HTTP/1.1 200 OK\r\n\r\n").accepted);
  EXPECT_TRUE(FeedAll("HTTP/1.0 200\r\n\r\n").accepted) << "the reason phrase may be missing";
  EXPECT_FALSE(FeedAll("HTTP/1.1 404 Not Found\r\nContent-Length: 1200\r\n\r\n").accepted);
  EXPECT_FALSE(FeedAll("HTTP/1.0 404 Not Found\r\nX-Request: 200\r\n\r\n").accepted);
  EXPECT_FALSE(FeedAll("HTTP/1.0 500 Oops 200\r\n\r\n").accepted) << "200 in the reason phrase";
  EXPECT_FALSE(FeedAll("HTTP/1.0 2000 OK\r\n\r\n").accepted);
  EXPECT_FALSE(FeedAll("HTTP/1.0 204 No Content\r\n\r\n").accepted);
  EXPECT_FALSE(FeedAll("200 OK\r\n\r\n").accepted) << "no protocol, no status line";
  EXPECT_FALSE(FeedAll("HTTP/1.0 20\r0\r\n\r\n").accepted);
}

TEST(HttpHead, TheStatusIsKnownOnceItsLineEnds) {
  // Closed before the first line feed: never tested, so not accepted.
  const Fed cut = FeedAll("HTTP/1.0 200 OK");
  EXPECT_FALSE(cut.accepted);
  EXPECT_FALSE(cut.complete);
  const Fed open = FeedAll("HTTP/1.0 200 OK\r\nContent-Ty");
  EXPECT_TRUE(open.accepted);
  EXPECT_FALSE(open.complete);
  std::string longStatus = "HTTP/1.0 200 " + std::string(HttpHeadReader::kMaxStatusLineBytes, 'K');
  EXPECT_FALSE(FeedAll(longStatus + "\r\n\r\n").accepted) << "a status line past its bound";
}

TEST(HttpHead, ALineOfCarriageReturnsOnlyIsBlank) {
  const Fed fed = FeedAll("HTTP/1.0 200 OK\n\r\r\nbody");
  EXPECT_TRUE(fed.complete);
  EXPECT_EQ(fed.consumed, std::string("HTTP/1.0 200 OK\n\r\r\n").size());
  // A line feed first is an empty first line: the head ends unaccepted.
  const Fed empty = FeedAll("\nHTTP/1.0 200 OK\r\n\r\n");
  EXPECT_TRUE(empty.complete);
  EXPECT_FALSE(empty.accepted);
  EXPECT_EQ(empty.consumed, 1u);
}

TEST(HttpHead, AHeadWithoutEndIsRefusedAtTheLimit) {
  HttpHeadReader head;
  const std::string line = "X-Filler: 2000\r\n";
  std::size_t fed = 0;
  bool done = false;
  while (!done && fed < 2 * HttpHeadReader::kMaxHeadBytes) {
    done = head.Feed(line[fed % line.size()]) == HttpHeadReader::Step::kDone;
    ++fed;
  }
  EXPECT_TRUE(done);
  EXPECT_TRUE(head.TooLong());
  EXPECT_FALSE(head.Accepted()) << "a head that grew too long is never accepted";
  EXPECT_EQ(head.Size(), HttpHeadReader::kMaxHeadBytes);
  EXPECT_EQ(head.Feed('\n'), HttpHeadReader::Step::kDone);
}

}  // namespace
