// The port's trace against the meter simulator: every kind of exchange reads
// as it should, lines up with the simulator's bus log, and stops at its size.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numeric>

#include "frame_reading.h"
#include "hex.h"
#include "master_port.h"
#include "sim_process.h"
#include "test_support.h"

namespace keldar::bus {
namespace {

using test::FromHex;
using test::MeterFile;
using test::SimProcess;

std::vector<std::string> Lines(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A line without its time column: speed, direction, bytes, reading.
std::string Untimed(const std::string& line) { return line.size() > 9 ? line.substr(9) : line; }

// One request out and its answer in, as every user of the port does it.
MasterPort::Answer Exchange(MasterPort& port, const std::string& hex) {
  EXPECT_TRUE(port.Send(FromHex(hex)));
  return port.Receive();
}

// Selection of the meter with this identification (BCD, as printed), any
// manufacturer, version and medium.
std::string Selection(std::uint32_t id) {
  std::vector<std::uint8_t> frame = {0x68,
                                     0x0B,
                                     0x0B,
                                     0x68,
                                     0x53,
                                     0xFD,
                                     0x52,
                                     static_cast<std::uint8_t>(id),
                                     static_cast<std::uint8_t>(id >> 8),
                                     static_cast<std::uint8_t>(id >> 16),
                                     static_cast<std::uint8_t>(id >> 24),
                                     0xFF,
                                     0xFF,
                                     0xFF,
                                     0xFF};
  frame.push_back(static_cast<std::uint8_t>(std::accumulate(frame.begin() + 4, frame.end(), 0u)));
  frame.push_back(0x16);
  return test::ToHex(frame);
}

TEST(BusTrace, EachKindOfExchangeReadsAsItIsAndMatchesTheSimulatorsLog) {
  TempFolder folder;
  const auto trace = folder / "trace.log";
  const auto sim_log = folder / "sim.log";
  {
    SimProcess sim({"--no-timing", "--log", sim_log.string(), MeterFile("krv_heat.ini")});
    MasterPort port(sim.Path(), 2400, 254);
    ASSERT_TRUE(port.SetTrace(trace.string()));
    EXPECT_EQ(Exchange(port, "10 40 01 41 16").kind, MasterPort::Answer::Kind::kFrame);
    EXPECT_EQ(Exchange(port, "10 5B 01 5C 16").kind, MasterPort::Answer::Kind::kFrame);
    EXPECT_EQ(Exchange(port, "10 40 09 49 16").kind, MasterPort::Answer::Kind::kNothing);
    EXPECT_EQ(Exchange(port, Selection(0x41000001)).kind, MasterPort::Answer::Kind::kFrame);
    EXPECT_EQ(Exchange(port, "68 04 04 68 53 01 51 7F 24 16").kind,
              MasterPort::Answer::Kind::kFrame);
  }
  const auto lines = Lines(trace);
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(Untimed(lines[0]), "  2400 M> 10 40 01 41 16  ; SND_NKE a=1");
  EXPECT_EQ(Untimed(lines[1]), "  2400 S< E5  ; E5");
  // The port stamps the frame-count bit: the first REQ_UD2 goes out with it set.
  EXPECT_EQ(Untimed(lines[2]), "  2400 M> 10 7B 01 7C 16  ; REQ_UD2 a=1 fcb=1");
  EXPECT_EQ(lines[3].find("  2400 S< 68 53 53 68 08 01 72 01 00 00 41 "), 9u) << lines[3];
  EXPECT_TRUE(lines[3].ends_with("16  ; RSP_UD a=1 ci=72")) << lines[3];
  EXPECT_EQ(Untimed(lines[4]), "  2400 M> 10 40 09 49 16  ; SND_NKE a=9");
  EXPECT_EQ(Untimed(lines[5]), "  2400 S<  ; timeout");
  EXPECT_TRUE(lines[6].ends_with("  ; selection")) << lines[6];
  EXPECT_EQ(Untimed(lines[7]), "  2400 S< E5  ; E5");
  EXPECT_TRUE(lines[8].ends_with("  ; SND_UD a=1 ci=51")) << lines[8];
  // Times rise and stand right-aligned in eight columns.
  for (std::size_t i = 1; i < lines.size(); ++i)
    EXPECT_LE(std::stol(lines[i - 1].substr(0, 8)), std::stol(lines[i].substr(0, 8)));

  // The same session in the simulator's words, line by line.
  const auto logged = Lines(sim_log);
  ASSERT_EQ(logged.size(), lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i)
    EXPECT_EQ(Untimed(logged[i]), Untimed(lines[i])) << "line " << i;
}

TEST(BusTrace, BytesThatMakeNoFrameAreGarbage) {
  TempFolder folder;
  const auto noise = folder / "noise.ini";
  std::ofstream(noise) << "[meter]\nnoise = 12\nreply_delay_ms = 15\n";
  const auto trace = folder / "trace.log";
  const auto sim_log = folder / "sim.log";
  {
    SimProcess sim({"--log", sim_log.string(), noise.string()});
    MasterPort port(sim.Path(), 2400, 254);
    ASSERT_TRUE(port.SetTrace(trace.string()));
    EXPECT_EQ(Exchange(port, "10 40 01 41 16").kind, MasterPort::Answer::Kind::kGarbage);
  }
  const auto lines = Lines(trace);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[1].ends_with("  ; garbage")) << lines[1];
  EXPECT_GT(lines[1].size(), std::string("       0   2400 S<  ; garbage").size()) << "with bytes";
  const auto logged = Lines(sim_log);
  ASSERT_EQ(logged.size(), 2u);
  EXPECT_TRUE(logged[1].ends_with("  ; garbage")) << logged[1];
}

TEST(BusTrace, StopsAtItsSizeLimitWithALineSayingSo) {
  TempFolder folder;
  const auto trace = folder / "trace.log";
  constexpr std::size_t kLimit = 400;
  SimProcess sim({"--no-timing", MeterFile("krv_heat.ini")});
  MasterPort port(sim.Path(), 2400, 254);
  ASSERT_TRUE(port.SetTrace(trace.string(), kLimit));
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(Exchange(port, "10 40 01 41 16").kind, MasterPort::Answer::Kind::kFrame);
  const auto size = std::filesystem::file_size(trace);
  EXPECT_LE(size, kLimit);
  const auto lines = Lines(trace);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines.back().find("; trace stopped"), 0u) << lines.back();
  EXPECT_NE(lines.back().find("size limit"), std::string::npos);
  EXPECT_NE(lines[lines.size() - 2].find("  ; "), std::string::npos) << "a whole line before it";
  // Nothing more once stopped, and the bus goes on as before.
  EXPECT_EQ(Exchange(port, "10 40 01 41 16").kind, MasterPort::Answer::Kind::kFrame);
  EXPECT_EQ(std::filesystem::file_size(trace), size);
}

TEST(BusTrace, AFileThatCannotBeWrittenLeavesThePortUntraced) {
  TempFolder folder;
  SimProcess sim({"--no-timing", MeterFile("krv_heat.ini")});
  MasterPort port(sim.Path(), 2400, 254);
  EXPECT_FALSE(port.SetTrace((folder / "missing" / "trace.log").string()));
  EXPECT_EQ(Exchange(port, "10 40 01 41 16").kind, MasterPort::Answer::Kind::kFrame);
  // Switched on, then off: what came before stays, nothing after is added.
  const auto trace = folder / "trace.log";
  ASSERT_TRUE(port.SetTrace(trace.string()));
  Exchange(port, "10 40 01 41 16");
  ASSERT_TRUE(port.SetTrace(""));
  Exchange(port, "10 40 01 41 16");
  EXPECT_EQ(Lines(trace).size(), 2u);
}

TEST(BusTrace, ARequestWithoutARead) {
  TempFolder folder;
  const auto trace = folder / "trace.log";
  SimProcess sim({"--no-timing", MeterFile("krv_heat.ini")});
  {
    MasterPort port(sim.Path(), 2400, 254);
    ASSERT_TRUE(port.SetTrace(trace.string()));
    ASSERT_TRUE(port.Send(FromHex("10 40 FF 3F 16")));  // a broadcast nobody answers
  }
  const auto lines = Lines(trace);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(lines[0].ends_with("M> 10 40 FF 3F 16  ; SND_NKE a=255")) << lines[0];
}

TEST(FrameReading, RequestsAndAnswers) {
  EXPECT_EQ(ReadRequest(FromHex("10 5B 05 60 16")), "REQ_UD2 a=5 fcb=0");
  EXPECT_EQ(ReadRequest(FromHex("10 5A 05 5F 16")), "C=5A a=5");
  EXPECT_EQ(ReadRequest(FromHex("10 40 05 46 17")), "garbage") << "stop byte";
  EXPECT_EQ(ReadAnswer(FromHex("E5 E5")), "garbage");
  EXPECT_EQ(ReadAnswer(FromHex("68 03 03 68 08 05 70 7D 16")), "RSP_UD a=5 ci=70");
}

}  // namespace
}  // namespace keldar::bus
