// The master port on a TCP connection to a gateway the test plays on
// loopback: the address forms, the answer window with its network allowance,
// a speed that changes nothing on the wire, a connection that closes, garbage,
// and why an open fails.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "abi_port.h"
#include "base/bus/gateway_address.h"
#include "hex.h"
#include "link_timing.h"
#include "master_port.h"

namespace keldar::bus {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using test::FromHex;
using test::ToHex;
using Kind = MasterPort::Answer::Kind;

milliseconds Since(Clock::time_point start) {
  return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

// A listening socket on 127.0.0.1 and, once the port has connected, the
// gateway's end of that connection.
class FarGateway {
 public:
  explicit FarGateway(int backlog = 4) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener_, backlog);
    socklen_t size = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
  }
  FarGateway(const FarGateway&) = delete;
  FarGateway& operator=(const FarGateway&) = delete;
  ~FarGateway() {
    CloseClient();
    if (listener_ >= 0) ::close(listener_);
  }

  std::string Path() const { return "tcp://127.0.0.1:" + std::to_string(port_); }
  int Listener() const { return listener_; }
  void Accept() { client_ = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC); }
  void Send(const std::string& hex) {
    const auto bytes = FromHex(hex);
    ASSERT_EQ(::send(client_, bytes.data(), bytes.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(bytes.size()));
  }
  // As a meter behind it answers: once the request of `requestBytes` has been
  // on the bus at `baud` (nothing the gateway sends sooner can be an answer).
  void Answer(const std::string& hex, int baud, std::size_t requestBytes = 5) {
    std::this_thread::sleep_for(timing::LineTime(requestBytes, baud) + milliseconds(1));
    Send(hex);
  }
  // What the port sent, once `n` bytes have come (or none within `waitMs`).
  std::string Receive(std::size_t n, int waitMs = 2000) {
    std::vector<std::uint8_t> in;
    while (in.size() < n) {
      pollfd p{client_, POLLIN, 0};
      if (::poll(&p, 1, waitMs) <= 0) break;
      std::uint8_t chunk[64];
      const ssize_t got = ::recv(client_, chunk, std::min(sizeof chunk, n - in.size()), 0);
      if (got <= 0) break;
      in.insert(in.end(), chunk, chunk + got);
    }
    return ToHex(in);
  }
  void CloseClient() {
    if (client_ >= 0) ::close(client_);
    client_ = -1;
  }

 private:
  int listener_ = -1;
  int client_ = -1;
  int port_ = 0;
};

const std::string kNke = "10 40 05 45 16";
const std::string kUserData = "68 04 04 68 08 01 70 08 81 16";

// A port connected to `far`, the connection accepted.
MasterPort Connected(FarGateway& far, int baud) {
  MasterPort port(far.Path(), baud, 254);
  far.Accept();
  return port;
}

TEST(GatewayAddress, TakesNamesAndBothAddressFamiliesWithAPort) {
  struct Case {
    const char* path;
    const char* host;
    int port;
  };
  for (const Case& c :
       {Case{"tcp://192.168.1.20:10001", "192.168.1.20", 10001},
        Case{"tcp://[::1]:502", "::1", 502}, Case{"tcp://[fe80::1:2]:1", "fe80::1:2", 1},
        Case{"TCP://gw-3.example.net:65535", "gw-3.example.net", 65535}}) {
    const auto address = mbus::ParseGatewayAddress(c.path);
    ASSERT_TRUE(address) << c.path;
    EXPECT_EQ(address->host, c.host);
    EXPECT_EQ(address->port, c.port);
  }
  for (const char* bad : {"tcp://host", "tcp://:10001", "tcp://host:0", "tcp://host:65536",
                          "tcp://host:12x", "tcp://[::1:502", "tcp://::1:502", "tcp://[host]:5",
                          "tcp://a b:5", "tcp://host:", "tcp://[::1]502"}) {
    EXPECT_TRUE(mbus::IsGatewayPath(bad)) << bad;
    EXPECT_FALSE(mbus::ParseGatewayAddress(bad)) << bad;
  }
  EXPECT_FALSE(mbus::IsGatewayPath("/dev/ttyUSB0"));
  EXPECT_FALSE(mbus::IsGatewayPath("tcp:/host:1"));
}

TEST(GatewayLink, AnAnswerReturnsAtOnceAndSilenceWaitsTheWindowWithTheAllowance) {
  FarGateway far;
  MasterPort port = Connected(far, 2400);
  ASSERT_TRUE(port.Usable());
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  EXPECT_EQ(far.Receive(5), kNke);
  far.Answer(kUserData, 2400);
  auto start = Clock::now();
  auto answer = port.Receive();
  ASSERT_EQ(answer.kind, Kind::kFrame);
  EXPECT_EQ(ToHex(answer.bytes), kUserData);
  EXPECT_LT(Since(start), timing::AnswerWindow(2400) / 2);

  // Silence: the EN 13757-2 window at the port's speed plus the network's share.
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  start = Clock::now();
  EXPECT_EQ(port.Receive().kind, Kind::kNothing);
  const auto window = timing::AnswerWindow(2400) + timing::kNetworkAllowance;
  EXPECT_GE(Since(start), std::chrono::duration_cast<milliseconds>(window));
  EXPECT_LT(Since(start), window + milliseconds(500));

  ASSERT_TRUE(port.SetNetworkAllowance(milliseconds(1000)));
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  start = Clock::now();
  EXPECT_EQ(port.Receive().kind, Kind::kNothing);
  EXPECT_GE(Since(start), milliseconds(1000) + timing::AnswerWindow(2400));
  EXPECT_TRUE(port.Usable());
}

TEST(GatewayLink, AFrameTheNetworkSplitsStillArrivesWhole) {
  // At 9600 baud the window is 184 ms: the pause between the two packets
  // would end the read on a serial line, but not within the network's allowance.
  FarGateway far;
  MasterPort port = Connected(far, 9600);
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  EXPECT_EQ(far.Receive(5), kNke);
  far.Answer("68 04 04 68 08", 9600);
  std::thread rest([&] {
    std::this_thread::sleep_for(milliseconds(300));
    far.Send("01 70 08 81 16");
  });
  const auto answer = port.Receive();
  rest.join();
  EXPECT_EQ(answer.kind, Kind::kFrame);
  EXPECT_EQ(ToHex(answer.bytes), kUserData);
}

TEST(GatewayLink, GarbageIsNeverAnAnswer) {
  FarGateway far;
  MasterPort port = Connected(far, 2400);
  for (const char* noise : {"E5 3C", "00 FF E5", "E5 E5", "68 04 04 68 08 01 70 08 82 16"}) {
    ASSERT_TRUE(port.Send(FromHex(kNke)));
    far.Receive(5);
    far.Answer(noise, 2400);
    const auto answer = port.Receive();
    EXPECT_EQ(answer.kind, Kind::kGarbage) << noise;
  }
  EXPECT_TRUE(port.Usable());
}

TEST(GatewayLink, AClosedConnectionLeavesThePortUnusableAtOnce) {
  FarGateway far;
  MasterPort port = Connected(far, 2400);
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  far.Receive(5);
  far.Answer("68 04 04", 2400);  // part of an answer, then the gateway goes
  far.CloseClient();
  const auto start = Clock::now();
  const auto answer = port.Receive();
  EXPECT_EQ(answer.kind, Kind::kNothing);
  EXPECT_LT(Since(start), milliseconds(100));
  EXPECT_FALSE(port.Usable());
  EXPECT_EQ(port.Error(), LineOpenError::kFailed);
  EXPECT_FALSE(port.Send(FromHex(kNke)));
}

TEST(GatewayLink, AConnectionClosedBetweenExchangesFailsTheNextOne) {
  FarGateway far;
  MasterPort port = Connected(far, 2400);
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  far.Receive(5);
  far.Answer("E5", 2400);
  EXPECT_EQ(port.Receive().kind, Kind::kFrame);
  far.CloseClient();
  std::this_thread::sleep_for(milliseconds(20));
  const auto start = Clock::now();
  if (port.Send(FromHex(kNke))) {
    EXPECT_EQ(port.Receive().kind, Kind::kNothing);
  }
  EXPECT_LT(Since(start), milliseconds(100));
  EXPECT_FALSE(port.Usable());
}

TEST(GatewayLink, ASpeedChangesNothingOnTheWireAndSaysSo) {
  FarGateway far;
  KeldarBusPort* port = abi::CreatePort(0, 254, far.Path().c_str(), 300);
  far.Accept();
  ASSERT_EQ(abi::PortGetStatus(port), 1);
  EXPECT_EQ(abi::PortSetSpeed(port, 2400), KELDAR_BUS_SPEED_NOT_ON_WIRE);
  EXPECT_EQ(abi::PortGetSpeed(port), 2400) << "answers are timed by it";
  EXPECT_EQ(far.Receive(1, 100), "");
  EXPECT_EQ(abi::PortSetNetworkAllowance(port, 0), 1);
  EXPECT_EQ(abi::PortSetNetworkAllowance(port, 5000), 1);
  EXPECT_EQ(abi::PortSetNetworkAllowance(port, 5001), 0);
  EXPECT_EQ(abi::PortSetNetworkAllowance(port, -1), 0);
  abi::DeletePort(port);

  // A serial port has no network to allow for.
  const int pty = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(pty, 0);
  ::grantpt(pty);
  ::unlockpt(pty);
  char name[128];
  ::ptsname_r(pty, name, sizeof name);
  KeldarBusPort* serial = abi::CreatePort(0, 254, name, 2400);
  ASSERT_EQ(abi::PortGetStatus(serial), 1);
  EXPECT_EQ(abi::PortSetNetworkAllowance(serial, 100), 0);
  EXPECT_EQ(abi::PortSetSpeed(serial, 9600), 1);
  abi::DeletePort(serial);
  ::close(pty);
}

int32_t OpenError(const std::string& path, milliseconds* took = nullptr) {
  const auto start = Clock::now();
  KeldarBusPort* port = abi::CreatePort(0, 254, path.c_str(), 2400);
  if (took != nullptr) *took = Since(start);
  const int32_t error = abi::PortGetOpenError(port);
  EXPECT_EQ(abi::PortGetStatus(port), error == KELDAR_BUS_PORT_OPEN ? 1 : 0);
  abi::DeletePort(port);
  return error;
}

TEST(GatewayOpen, EachFailureHasItsReasonWithinTheConnectLimit) {
  milliseconds took{};
  std::string nobody;
  {
    const FarGateway closed;
    nobody = closed.Path();
  }
  EXPECT_EQ(OpenError(nobody, &took), KELDAR_BUS_PORT_REFUSED);
  EXPECT_LT(took, milliseconds(1000));

  EXPECT_EQ(OpenError("tcp://no-such-gateway.invalid:10001", &took), KELDAR_BUS_PORT_NO_SUCH_HOST);
  EXPECT_LT(took, milliseconds(3500));

  EXPECT_EQ(OpenError("tcp://gateway"), KELDAR_BUS_PORT_NOT_FOUND);

  // One master at a time: a second is accepted and turned away at once.
  FarGateway taken;
  std::thread turnAway([&] {
    pollfd p{taken.Listener(), POLLIN, 0};
    if (::poll(&p, 1, 3000) > 0) ::close(::accept4(taken.Listener(), nullptr, nullptr, 0));
  });
  EXPECT_EQ(OpenError(taken.Path()), KELDAR_BUS_PORT_BUSY);
  turnAway.join();
}

TEST(GatewayOpen, AGatewayThatNeverAcceptsTakesTheConnectLimitAndNoMore) {
  // A backlog of 0 holds one connection; every later handshake goes unanswered.
  FarGateway full(0);
  const int first = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(std::stoi(full.Path().substr(16))));
  ASSERT_EQ(::connect(first, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  milliseconds took{};
  EXPECT_EQ(OpenError(full.Path(), &took), KELDAR_BUS_PORT_TIMED_OUT);
  EXPECT_GE(took, milliseconds(2900));
  EXPECT_LT(took, milliseconds(3500));
  ::close(first);
}

}  // namespace
}  // namespace keldar::bus
