// The master port on a bare pseudo-terminal whose other end the test plays:
// the timing rule, echo and noise, stale input, the frame-count bit.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "abi_frames.h"
#include "abi_port.h"
#include "frame_codec.h"
#include "hex.h"
#include "line_settings.h"
#include "link_timing.h"
#include "master_port.h"

namespace keldar::bus {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using test::FromHex;
using test::ToHex;

// The far end of the line: the pseudo-terminal's master side.
class FarEnd {
 public:
  FarEnd() {
    fd_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    ::grantpt(fd_);
    ::unlockpt(fd_);
    char name[128];
    ::ptsname_r(fd_, name, sizeof name);
    path_ = name;
  }
  FarEnd(const FarEnd&) = delete;
  FarEnd& operator=(const FarEnd&) = delete;
  ~FarEnd() { Close(); }

  const std::string& Path() const { return path_; }
  void Send(const std::string& hex) {
    const auto bytes = FromHex(hex);
    ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  // As a meter answers: once the request of `requestBytes` has been on the
  // line at `baud` (a pseudo-terminal delivers it at once).
  void Answer(const std::string& hex, std::size_t requestBytes = 5, int baud = 38400) {
    std::this_thread::sleep_for(timing::LineTime(requestBytes, baud) +
                                std::chrono::milliseconds(1));
    Send(hex);
  }
  // What the port sent, once `n` bytes have come.
  std::string Receive(std::size_t n, int waitMs = 2000) {
    std::vector<std::uint8_t> in;
    while (in.size() < n) {
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, waitMs) <= 0) break;
      std::uint8_t chunk[64];
      const ssize_t got = ::read(fd_, chunk, std::min(sizeof chunk, n - in.size()));
      if (got <= 0) break;
      in.insert(in.end(), chunk, chunk + got);
    }
    return ToHex(in);
  }
  int Speed() const { return ReadLineSpeed(fd_).value_or(0); }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
  std::string path_;
};

constexpr int kBaud = 38400;
const auto kWindow = timing::AnswerWindow(kBaud);
const std::string kNke = "10 40 05 45 16";

milliseconds Since(Clock::time_point start) {
  return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

TEST(LinkTiming, WindowsOfTheStandard) {
  // 330 bit times + 150 ms: 1.25 s at 300 baud, 0.29 s at 2400, 0.18 s at 9600.
  EXPECT_EQ(timing::AnswerWindow(300), milliseconds(1250));
  EXPECT_EQ(timing::AnswerWindow(2400), std::chrono::microseconds(287500));
  EXPECT_EQ(timing::AnswerWindow(9600), std::chrono::microseconds(184375));
  EXPECT_EQ(timing::RequestGap(2400), std::chrono::microseconds(4584));
}

TEST(LinkTiming, ACompleteAnswerReturnsAtOnce) {
  FarEnd far;
  MasterPort port(far.Path(), kBaud, 254);
  ASSERT_TRUE(port.Usable());
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  EXPECT_EQ(far.Receive(5), kNke);
  far.Answer("68 04 04 68 08 01 70 08 81 16");
  const auto start = Clock::now();
  const auto answer = port.Receive();
  ASSERT_EQ(answer.kind, MasterPort::Answer::Kind::kFrame);
  EXPECT_EQ(ToHex(answer.bytes), "68 04 04 68 08 01 70 08 81 16");
  EXPECT_LT(Since(start), kWindow / 2);
}

TEST(LinkTiming, SilenceWaitsTheWholeWindowAndTheNextRequestTheLateGuard) {
  FarEnd far;
  MasterPort port(far.Path(), kBaud, 254);
  const auto start = Clock::now();
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  EXPECT_EQ(port.Receive().kind, MasterPort::Answer::Kind::kNothing);
  EXPECT_GE(Since(start), std::chrono::duration_cast<milliseconds>(kWindow));
  EXPECT_LT(Since(start), kWindow + milliseconds(1000));
  EXPECT_TRUE(port.Usable());
  const auto silent = Clock::now();
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  EXPECT_GE(Since(silent), std::chrono::duration_cast<milliseconds>(timing::kLateAnswerGuard));
}

TEST(LinkTiming, ALateAnswerInsideTheWindowIsTaken) {
  FarEnd far;
  MasterPort port(far.Path(), kBaud, 254);
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  std::thread meter([&] {
    std::this_thread::sleep_for(milliseconds(100));
    far.Send("E5");
  });
  const auto answer = port.Receive();
  meter.join();
  ASSERT_EQ(answer.kind, MasterPort::Answer::Kind::kFrame);
  EXPECT_EQ(ToHex(answer.bytes), "E5");
}

TEST(LinkTiming, AnAnswerThatStopsHalfwayEndsAfterASilence) {
  FarEnd far;
  MasterPort port(far.Path(), kBaud, 254);
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  std::thread meter([&] {
    std::this_thread::sleep_for(milliseconds(100));
    far.Send("68 04 04 68 08");
  });
  const auto start = Clock::now();
  const auto answer = port.Receive();
  meter.join();
  EXPECT_EQ(answer.kind, MasterPort::Answer::Kind::kGarbage);
  EXPECT_EQ(ToHex(answer.bytes), "68 04 04 68 08");
  // Bytes at 100 ms restart the wait: a whole window of silence after them.
  EXPECT_GE(Since(start), milliseconds(100) + std::chrono::duration_cast<milliseconds>(kWindow));
}

using Kind = MasterPort::Answer::Kind;

// What comes back for one SND_NKE when the far end sends `hex` once the
// request could have been heard.
MasterPort::Answer AnswerTo(const std::string& hex) {
  FarEnd far;
  MasterPort port(far.Path(), kBaud, 254);
  EXPECT_TRUE(port.Send(FromHex(kNke)));
  far.Answer(hex);
  return port.Receive();
}

TEST(LinkFrames, AnAcknowledgementIsOneE5Alone) {
  EXPECT_EQ(AnswerTo("E5").kind, Kind::kFrame);
  // Noise around an E5 is no acknowledgement, wherever the E5 stands.
  for (const char* noise : {"00 FF E5", "E5 3C", "12 E5 E5 77", "E5 E5"}) {
    const auto answer = AnswerTo(noise);
    EXPECT_EQ(answer.kind, Kind::kGarbage) << noise;
    EXPECT_EQ(ToHex(answer.bytes), noise);
  }
}

TEST(LinkFrames, AnE5ThatIsFollowedLaterStillIsNoAcknowledgement) {
  FarEnd far;
  MasterPort port(far.Path(), kBaud, 254);
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  std::thread meter([&] {
    far.Answer("E5");
    std::this_thread::sleep_for(milliseconds(5));
    far.Send("A7");  // still inside the silence that ends an answer
  });
  const auto answer = port.Receive();
  meter.join();
  EXPECT_EQ(answer.kind, Kind::kGarbage);
}

TEST(LinkFrames, BrokenFramesAndTrailingBytesAreGarbage) {
  EXPECT_EQ(AnswerTo("68 04 04 68 08 01 70 08 80 16").kind, Kind::kGarbage) << "check sum";
  EXPECT_EQ(AnswerTo("68 04 04 68 08 01 70 08 81 17").kind, Kind::kGarbage) << "stop byte";
  EXPECT_EQ(AnswerTo("00 68 04 04 68 08 01 70 08 81 16").kind, Kind::kGarbage) << "before";
  // Two meters at once: the bitwise AND of their frames makes no frame.
  EXPECT_EQ(AnswerTo("68 04 04 68 08 01 70 08 81 16 E5").kind, Kind::kGarbage) << "after";
}

TEST(LinkFrames, TheEchoOfTheRequestIsDropped) {
  FarEnd far;
  MasterPort port(far.Path(), kBaud, 254);
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  far.Send(kNke);  // while the request is still on the line
  far.Answer("E5");
  auto answer = port.Receive();
  EXPECT_EQ(answer.kind, Kind::kFrame);
  EXPECT_EQ(ToHex(answer.bytes), "E5");

  // An echo that arrives late, after the request left, is dropped too.
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  far.Answer(kNke + " E5");
  answer = port.Receive();
  EXPECT_EQ(answer.kind, Kind::kFrame);
  EXPECT_EQ(ToHex(answer.bytes), "E5");
}

TEST(LinkFrames, ALateAnswerIsNeverTakenForTheNextOne) {
  // The meter answers the first request after its window, while the second
  // request is on the line: that E5 belongs to the first.
  constexpr int kSlow = 300;  // 440 ms of line time for the write: room on a busy machine
  FarEnd far;
  MasterPort port(far.Path(), kSlow, 254);
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  EXPECT_EQ(port.Receive().kind, Kind::kNothing);
  const std::string write = "68 06 06 68 53 05 51 01 7A 07 26 16";
  std::thread meter([&] {
    far.Receive(5 + 12);  // both requests have arrived
    far.Send("E5");       // while the second request is still on the line
  });
  ASSERT_TRUE(port.Send(FromHex(write)));
  const auto answer = port.Receive();
  meter.join();
  EXPECT_EQ(answer.kind, Kind::kNothing);
}

TEST(LinkFrames, AnAnswerJustAfterItsWindowIsDroppedBeforeTheNextRequest) {
  FarEnd far;
  MasterPort port(far.Path(), kBaud, 254);
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  std::thread meter([&] {
    std::this_thread::sleep_for(std::chrono::duration_cast<milliseconds>(kWindow) +
                                milliseconds(40));
    far.Send("E5");  // 40 ms late: the next request is on its way by then
  });
  EXPECT_EQ(port.Receive().kind, Kind::kNothing);
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  const auto answer = port.Receive();
  meter.join();
  EXPECT_EQ(answer.kind, Kind::kNothing);
  EXPECT_TRUE(port.Usable());
}

TEST(LinkFrames, StaleInputIsDiscardedBeforeARequest) {
  FarEnd far;
  MasterPort port(far.Path(), kBaud, 254);
  far.Send("E5");
  std::this_thread::sleep_for(milliseconds(20));
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  EXPECT_EQ(port.Receive().kind, Kind::kNothing);
}

TEST(LinkFrames, OnlyAMastersFrameIsSent) {
  FarEnd far;
  KeldarBusPort* port = abi::CreatePort(0, 254, far.Path().c_str(), kBaud);
  KeldarBusLongFrame cleared{};  // what a refused build leaves: 68 03 03 68 00 00 00 00 16
  const auto bytes = FromHex("68 03 03 68 00 00 00 00 16");
  cleared.serialized.size = static_cast<std::uint32_t>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), cleared.serialized.bytes);
  EXPECT_EQ(abi::PortWrite(port, &cleared), 0);
  EXPECT_EQ(far.Receive(1, 100), "") << "nothing went on the line";
  abi::DeletePort(port);
}

TEST(LinkFrames, NextRequestWaitsElevenBitTimesAfterAnAnswer) {
  FarEnd far;
  MasterPort port(far.Path(), 300, 254);
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  far.Receive(5);
  far.Answer("E5", 5, 300);
  ASSERT_EQ(port.Receive().kind, Kind::kFrame);
  const auto start = Clock::now();
  ASSERT_TRUE(port.Send(FromHex(kNke)));
  EXPECT_GE(Since(start), std::chrono::duration_cast<milliseconds>(timing::RequestGap(300)));
}

// The port stamps the frame-count bit; the request as the caller built it
// carries none.
TEST(LinkFrames, PortTogglesTheFrameCountBitPerAddress) {
  FarEnd far;
  MasterPort port(far.Path(), kBaud, 254);
  const auto send = [&](const std::string& hex) {
    EXPECT_TRUE(port.Send(FromHex(hex)));
    return far.Receive(5);
  };
  send("10 40 05 45 16");
  EXPECT_EQ(send("10 5B 05 60 16"), "10 7B 05 80 16");
  EXPECT_EQ(send("10 5B 05 60 16"), "10 5B 05 60 16");
  EXPECT_EQ(send("10 5B 05 60 16"), "10 7B 05 80 16");
  send("10 40 05 45 16");
  EXPECT_EQ(send("10 5B 05 60 16"), "10 7B 05 80 16");
}

TEST(LinkPort, SpeedsStatusAndFailures) {
  FarEnd far;
  MasterPort port(far.Path(), 300, 254);
  EXPECT_EQ(far.Speed(), 300);
  ASSERT_TRUE(port.SetSpeed(76800));
  EXPECT_EQ(far.Speed(), 76800);
  EXPECT_EQ(port.Speed(), 76800);
  EXPECT_FALSE(port.SetSpeed(0));
  EXPECT_TRUE(port.Usable());

  MasterPort missing("/dev/no-such-port", 2400, 254);
  EXPECT_FALSE(missing.Usable());
  EXPECT_FALSE(missing.Send(FromHex(kNke)));
  EXPECT_EQ(missing.Receive().kind, Kind::kNothing);

  // A second port of ours on the same line is refused.
  MasterPort second(far.Path(), 2400, 254);
  EXPECT_FALSE(second.Usable());

  far.Close();  // the device goes away
  port.Send(FromHex(kNke));
  EXPECT_EQ(port.Receive().kind, Kind::kNothing);
  EXPECT_FALSE(port.Usable());
}

TEST(LinkPort, APortThatWillNotOpenSaysWhy) {
  FarEnd far;
  const auto reason = [](const std::string& path) {
    KeldarBusPort* port = abi::CreatePort(0, 254, path.c_str(), 2400);
    const int32_t code = abi::PortGetOpenError(port);
    abi::DeletePort(port);
    return code;
  };
  EXPECT_EQ(reason(far.Path()), KELDAR_BUS_PORT_OPEN);
  EXPECT_EQ(reason("/dev/no-such-port"), KELDAR_BUS_PORT_NOT_FOUND);
  EXPECT_EQ(reason("/dev/null"), KELDAR_BUS_PORT_NOT_SERIAL) << "a device that is no line";
  {
    MasterPort holder(far.Path(), 2400, 254);  // another program on the same line
    ASSERT_TRUE(holder.Usable());
    EXPECT_EQ(reason(far.Path()), KELDAR_BUS_PORT_BUSY);
  }
  EXPECT_EQ(reason(far.Path()), KELDAR_BUS_PORT_OPEN) << "free again once it is closed";
  EXPECT_EQ(abi::PortGetOpenError(nullptr), KELDAR_BUS_PORT_FAILED);

  // A line that fails after opening is not reported as open.
  KeldarBusPort* port = abi::CreatePort(0, 254, far.Path().c_str(), 2400);
  far.Close();
  port->master.Send(FromHex(kNke));
  port->master.Receive();
  EXPECT_EQ(abi::PortGetOpenError(port), KELDAR_BUS_PORT_FAILED);
  abi::DeletePort(port);
}

TEST(LinkPort, InterfaceObjects) {
  FarEnd far;
  KeldarBusPort* port = abi::CreatePort(0, 254, far.Path().c_str(), kBaud);
  ASSERT_EQ(abi::PortGetStatus(port), 1);
  EXPECT_EQ(abi::PortGetSpeed(port), kBaud);
  KeldarBusShortFrame empty{};
  EXPECT_EQ(abi::PortWrite(port, &empty), 0);  // nothing serialized
  KeldarBusShortFrame nke{};
  nke.c_field = 0x40;
  nke.a_field = 5;
  abi::ShortFrameSerialize(&nke);
  ASSERT_EQ(abi::PortWrite(port, &nke), 1);
  far.Answer("E5");
  KeldarBusData buffer{};
  buffer.size = 7;
  ASSERT_EQ(abi::PortRead(port, &buffer), 1);
  EXPECT_EQ(buffer.size, 1u);
  EXPECT_EQ(buffer.bytes[0], 0xE5);
  abi::DeletePort(port);
}

}  // namespace
}  // namespace keldar::bus
