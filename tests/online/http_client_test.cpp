#include "online/http_client.h"

#include <gtest/gtest.h>

#include <thread>

#include "online/http_head.h"
#include "online_support.h"

namespace {

using devserver::Fault;
using devserver::FaultKind;

// Bounds for the dead-server cases: generous against a loaded machine, far
// below the minutes an exchange without time limits would hang.
constexpr long long kSilentBoundMs = 10000;

constexpr char kIdentifyBody[] = "host=h&username=u&password=p&database=d&query=call identify();";

class HttpPostTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.Started()) << server_.Error(); }
  devserver::DevServer& Server() { return server_.Server(); }
  std::string Host() { return Server().HostAndPort(); }
  void Answer(std::string raw) {
    Server().SetFaults({Fault{FaultKind::kRaw, "", 1, std::move(raw)}});
  }

  ServerWithReleases server_{"v.0.15"};
};

TEST_F(HttpPostTest, TheRequestArrivesByteForByte) {
  const std::string body =
      "host=db&username=u&password=Tq7#mZ4!pL2w&database=d&query=call identify();";
  std::string answer;
  ASSERT_EQ(HttpPost(Host().c_str(), "/rest", body.c_str(), answer), kHttpOk);
  const auto requests = Server().Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].raw, "POST /rest HTTP/1.0\r\nHost: " + Host() +
                                 "\r\nAccept: application/json\r\n"
                                 "Content-type: application/x-www-form-urlencoded\r\n"
                                 "Content-length: " +
                                 std::to_string(body.size()) + "\r\n\r\n" + body);
  EXPECT_EQ(answer.front(), '[') << "the dev server answered a JSON list: " << answer;
}

TEST_F(HttpPostTest, A404WhoseLaterHeaderHolds200GivesAnEmptyAnswer) {
  Server().SetFaults({Fault{FaultKind::kNotFoundSays200, "", 1, ""}});
  std::string answer = "previous";
  EXPECT_EQ(HttpPost(Host().c_str(), "/rest", "x", answer), kHttpOk);
  EXPECT_EQ(answer, "");
}

TEST_F(HttpPostTest, AnHttp11StatusOf200IsAcceptedAndTheHeadIsNotReturned) {
  Answer("HTTP/1.1 200 OK\r\nServer: test\r\nContent-Type: application/json\r\n\r\n[]");
  std::string answer = "previous";
  EXPECT_EQ(HttpPost(Host().c_str(), "/rest", "x", answer), kHttpOk);
  EXPECT_EQ(answer, "[]");
}

TEST_F(HttpPostTest, AStatusWithout200GivesAnEmptyAnswer) {
  Server().SetFaults({Fault{FaultKind::kNotFound, "", 1, ""}});
  std::string answer = "previous";
  EXPECT_EQ(HttpPost(Host().c_str(), "/rest", "x", answer), kHttpOk);
  EXPECT_EQ(answer, "");
}

TEST_F(HttpPostTest, ACloseBeforeTheBlankLineGivesAnEmptyAnswer) {
  for (const std::string raw :
       {"HTTP/1.0 200 OK\r\nContent-Type: application/json\r\n", "HTTP/1.0 200 OK", ""}) {
    Answer(raw);
    std::string answer = "previous";
    EXPECT_EQ(HttpPost(Host().c_str(), "/rest", "x", answer), kHttpOk);
    EXPECT_EQ(answer, "") << "after " << raw;
  }
  Server().SetFaults({Fault{FaultKind::kCloseEarly, "", 1, ""}});
  std::string answer = "previous";
  EXPECT_EQ(HttpPost(Host().c_str(), "/rest", "x", answer), kHttpOk);
  EXPECT_EQ(answer, "");
}

TEST_F(HttpPostTest, ABodyLongerThanOneBlockIsReturnedWhole) {
  std::string body;
  for (int i = 0; body.size() < 3 * http_limits::kBodyBlockBytes + 17; ++i) {
    body += std::to_string(i) + ",";
  }
  Answer("HTTP/1.0 200 OK\r\n\r\n" + body);
  std::string answer;
  EXPECT_EQ(HttpPost(Host().c_str(), "/rest", "x", answer), kHttpOk);
  EXPECT_EQ(answer.size(), body.size());
  EXPECT_EQ(answer, body);
}

TEST_F(HttpPostTest, AZeroByteDropsTheRestOfItsBlock) {
  Answer(std::string("HTTP/1.0 200 OK\r\n\r\n[1]\0[2]", 25));
  std::string answer;
  EXPECT_EQ(HttpPost(Host().c_str(), "/rest", "x", answer), kHttpOk);
  EXPECT_EQ(answer, "[1]");
}

TEST_F(HttpPostTest, AHeadWithoutEndIsRefusedQuickly) {
  std::string raw = "HTTP/1.0 200 OK\r\n";
  while (raw.size() < 4 * HttpHeadReader::kMaxHeadBytes) raw += "X-Filler: 0123456789\r\n";
  Answer(raw);
  std::string answer = "previous";
  const StopWatch watch;
  EXPECT_EQ(HttpPost(Host().c_str(), "/rest", "x", answer), kHttpOk);
  EXPECT_EQ(answer, "");
  EXPECT_LT(watch.Elapsed(), kSilentBoundMs);
}

TEST_F(HttpPostTest, ABodyAboveTheBoundIsRefused) {
  Answer("HTTP/1.0 200 OK\r\n\r\n" + std::string(http_limits::kMaxBodyBytes + 1, 'a'));
  std::string answer = "previous";
  EXPECT_EQ(HttpPost(Host().c_str(), "/rest", "x", answer), kHttpOk);
  EXPECT_TRUE(answer.empty()) << answer.size() << " bytes kept";
}

TEST_F(HttpPostTest, ARequestThatWouldNotFitIsNotSent) {
  const std::string fixed = "POST /rest HTTP/1.0\r\nHost: " + Host() +
                            "\r\nAccept: application/json\r\n"
                            "Content-type: application/x-www-form-urlencoded\r\n"
                            "Content-length: 9999\r\n\r\n";
  // The request text and its NUL must fit 10000 bytes.
  const std::string fits(http_limits::kRequestBufferBytes - 1 - fixed.size(), 'b');
  std::string request;
  ASSERT_TRUE(FormatHttpRequest(Host().c_str(), "/rest", fits.c_str(), request));
  ASSERT_EQ(request.size(), http_limits::kRequestBufferBytes - 1);
  std::string answer = "kept";
  EXPECT_EQ(HttpPost(Host().c_str(), "/rest", fits.c_str(), answer), kHttpOk);
  EXPECT_EQ(Server().Requests().size(), 1u);

  const std::string tooLong = fits + "b";
  EXPECT_FALSE(FormatHttpRequest(Host().c_str(), "/rest", tooLong.c_str(), request));
  answer = "kept";
  EXPECT_EQ(HttpPost(Host().c_str(), "/rest", tooLong.c_str(), answer), kHttpRequestTooLong);
  EXPECT_EQ(answer, "kept");
  const std::string huge(100000, 'c');
  EXPECT_EQ(HttpPost(Host().c_str(), "/rest", huge.c_str(), answer), kHttpRequestTooLong);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(Server().Requests().size(), 1u) << "nothing more reached the server";
}

TEST(HttpPostFailures, AnUnresolvableHostLeavesTheAnswerAsItWas) {
  std::string answer = "the caller's text";
  const StopWatch watch;
  EXPECT_EQ(HttpPost("no-such-host.invalid", "/rest", "x", answer), kHttpNoHost);
  EXPECT_EQ(answer, "the caller's text");
  std::printf("[ measured ] unresolvable name answered in %lld ms\n", watch.Elapsed());
  EXPECT_EQ(HttpPost("", "/rest", "x", answer), kHttpNoHost);
  EXPECT_EQ(HttpPost(nullptr, "/rest", "x", answer), kHttpNoHost);
  EXPECT_EQ(answer, "the caller's text");
}

TEST(HttpPostFailures, APortThatIsNotANumberDoesNotResolve) {
  std::string answer = "kept";
  for (const char* host : {"127.0.0.1:", "127.0.0.1:0", "127.0.0.1:65536", "127.0.0.1:8o",
                           "127.0.0.1:-80", ":8080", "127.0.0.1:80:80"}) {
    EXPECT_EQ(HttpPost(host, "/rest", "x", answer), kHttpNoHost) << host;
  }
  EXPECT_EQ(answer, "kept");
}

TEST(HttpPostFailures, ARefusedConnectionReturnsAtOnceWithAnEmptyAnswer) {
  const std::string host = "127.0.0.1:" + std::to_string(ClosedPort());
  std::string answer = "previous";
  const StopWatch watch;
  EXPECT_EQ(HttpPost(host.c_str(), "/rest", "x", answer), kHttpOk);
  EXPECT_EQ(answer, "") << "whatever the answer held before is lost";
  std::printf("[ measured ] refused connection: %lld ms\n", watch.Elapsed());
  EXPECT_LT(watch.Elapsed(), kSilentBoundMs);
}

TEST(HttpPostFailures, AServerThatAcceptsAndNeverAnswersCostsTheReceiveTimeOut) {
  ServerWithReleases silent("v.0.15", Misbehaving({Fault{FaultKind::kSilent, "", -1, ""}}));
  ASSERT_TRUE(silent.Started()) << silent.Error();
  std::string answer = "previous";
  const StopWatch watch;
  EXPECT_EQ(HttpPost(silent.Server().HostAndPort().c_str(), "/rest", "x", answer), kHttpOk);
  const long long elapsed = watch.Elapsed();
  EXPECT_EQ(answer, "");
  std::printf("[ measured ] silent server: %lld ms (receive time-out %lld ms)\n", elapsed,
              static_cast<long long>(http_limits::kReceiveTimeout.count()));
  EXPECT_GE(elapsed, http_limits::kReceiveTimeout.count() - 100) << "it waited for an answer";
  EXPECT_LT(elapsed, kSilentBoundMs);
}

TEST(HttpPostFailures, AListenerThatNeverAcceptsCostsTheReceiveTimeOut) {
  const NeverAcceptingListener listener;
  ASSERT_NE(listener.Port(), 0);
  const std::string host = "127.0.0.1:" + std::to_string(listener.Port());
  std::string answer = "previous";
  const StopWatch watch;
  EXPECT_EQ(HttpPost(host.c_str(), "/rest", "x", answer), kHttpOk);
  EXPECT_EQ(answer, "");
  std::printf("[ measured ] never-accepting listener: %lld ms\n", watch.Elapsed());
  EXPECT_LT(watch.Elapsed(), kSilentBoundMs);
}

// A caller's deadline bounds the whole call, whatever the server or the name
// service does; what arrived by then is not taken for an answer.
HttpOptions Within(std::chrono::milliseconds budget, NameLookup lookup = {}) {
  HttpOptions options;
  options.deadline = std::chrono::steady_clock::now() + budget;
  options.lookup = std::move(lookup);
  return options;
}

TEST(HttpPostDeadline, ADrippingAnswerIsCutAtTheDeadlineAndNotReturned) {
  // About 1.7 s for the whole answer: the deadline falls within its body.
  devserver::ServerOptions options = Misbehaving({Fault{FaultKind::kDrip, "", -1, ""}});
  options.dripInterval = std::chrono::milliseconds(10);
  ServerWithReleases dripping("v.0.15", std::move(options));
  ASSERT_TRUE(dripping.Started()) << dripping.Error();
  std::string answer = "previous";
  const StopWatch watch;
  EXPECT_EQ(HttpPost(dripping.Server().HostAndPort().c_str(), "/rest", kIdentifyBody, answer,
                     Within(std::chrono::milliseconds(1200))),
            kHttpTimedOut);
  const long long elapsed = watch.Elapsed();
  EXPECT_EQ(answer, "");
  std::printf("[ measured ] dripping server with a 1200 ms deadline: %lld ms\n", elapsed);
  EXPECT_GE(elapsed, 1100);
  EXPECT_LT(elapsed, 6000);
}

TEST(HttpPostDeadline, ANameServerThatNeverAnswersIsLeftAtTheDeadline) {
  HangingLookup lookup;
  std::string answer = "previous";
  const StopWatch watch;
  EXPECT_EQ(HttpPost("rest.keldar.test", "/rest", kIdentifyBody, answer,
                     Within(std::chrono::milliseconds(800), lookup.Lookup())),
            kHttpTimedOut);
  const long long elapsed = watch.Elapsed();
  EXPECT_EQ(answer, "");
  EXPECT_EQ(lookup.Begun(), 1);
  std::printf("[ measured ] hanging name look-up with an 800 ms deadline: %lld ms\n", elapsed);
  EXPECT_LT(elapsed, 6000);
  // The abandoned look-up ends later and writes only what it owns: the
  // sanitizers see no use of the caller's memory, which is gone by now.
  lookup.Release();
  EXPECT_TRUE(lookup.AllEnded(std::chrono::seconds(10)));
}

TEST(HttpPostDeadline, ALookUpThatAnswersInTimeIsUsed) {
  ServerWithReleases server("v.0.15");
  ASSERT_TRUE(server.Started()) << server.Error();
  HangingLookup lookup;
  lookup.Release();
  const std::string host = "rest.keldar.test:" + std::to_string(server.Server().Port());
  std::string answer;
  EXPECT_EQ(HttpPost(host.c_str(), "/rest", kIdentifyBody, answer,
                     Within(std::chrono::seconds(5), lookup.Lookup())),
            kHttpOk);
  EXPECT_NE(answer.find("\"finger\""), std::string::npos);
  ASSERT_EQ(server.Server().Requests().size(), 1u);
  EXPECT_NE(server.Server().Requests()[0].raw.find("\r\nHost: " + host + "\r\n"),
            std::string::npos);
}

// The program's default port is 80, which a test cannot count on binding: the
// same path runs with the server's free port standing in for it.
constexpr char kIdentify[] = "host=h&username=u&password=p&database=d&query=call identify();";

TEST(HttpPostDefaultPort, AHostWithoutAPortGoesToTheDefaultPort) {
  ServerWithReleases server("v.0.15");
  ASSERT_TRUE(server.Started()) << server.Error();
  const std::uint16_t port = server.Server().Port();
  std::string answer;
  EXPECT_EQ(HttpPost("127.0.0.1", "/rest", kIdentify, answer, port), kHttpOk);
  EXPECT_NE(answer.find("\"finger\""), std::string::npos)
      << "the server on the default port answered";
  const auto requests = server.Server().Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_NE(requests[0].raw.find("\r\nHost: 127.0.0.1\r\n"), std::string::npos)
      << "the Host header names no port";
}

TEST(HttpPostDefaultPort, AGivenPortWinsOverTheDefault) {
  ServerWithReleases server("v.0.15");
  ASSERT_TRUE(server.Started()) << server.Error();
  std::string answer;
  EXPECT_EQ(
      HttpPost(server.Server().HostAndPort().c_str(), "/rest", kIdentify, answer, ClosedPort()),
      kHttpOk);
  EXPECT_NE(answer.find("\"finger\""), std::string::npos);
  EXPECT_EQ(server.Server().Requests().size(), 1u);

  // Without a port, a default port where nobody listens is refused.
  answer = "previous";
  EXPECT_EQ(HttpPost("127.0.0.1", "/rest", kIdentify, answer, ClosedPort()), kHttpOk);
  EXPECT_EQ(answer, "");
  EXPECT_EQ(server.Server().Requests().size(), 1u) << "nothing reached the server";
}

TEST(HttpPostThreads, CallsOnSeveralThreadsDoNotDisturbEachOther) {
  ServerWithReleases server("v.0.15");
  ASSERT_TRUE(server.Started()) << server.Error();
  const std::string host = server.Server().HostAndPort();
  std::vector<std::string> answers(4);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < answers.size(); ++i) {
    threads.emplace_back([&, i] {
      HttpPost(host.c_str(), "/rest",
               "host=h&username=u&password=p&database=d&query=call identify();", answers[i]);
    });
  }
  for (auto& thread : threads) thread.join();
  for (const auto& answer : answers) EXPECT_NE(answer.find("\"finger\""), std::string::npos);
}

}  // namespace
