// --trace FILE on the commands that talk to a meter: the file holds every
// exchange, as the simulator saw it.
#include <gtest/gtest.h>

#include "meter_commands.h"

namespace {

using namespace keldar::cli::test;

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line.substr(9));  // no time
  return lines;
}

TEST_F(MeterCommands, ReadWritesItsExchangesToTheTrace) {
  const std::string trace = (cwd.Path() / "read.trace").string();
  std::string logged;
  {
    SimProcess sim({"--no-timing", "--log", Log(), MeterFile("krv_heat.ini")});
    const CliResult run = Command("read", sim.Path(), 1, {"--trace", trace});
    ASSERT_EQ(run.status, 0) << run.err;
  }
  const auto lines = LinesOf(BusLog(trace));
  ASSERT_EQ(lines.size(), 4u) << BusLog(trace);
  EXPECT_EQ(lines[0], "  2400 M> 10 40 01 41 16  ; SND_NKE a=1");
  EXPECT_EQ(lines[1], "  2400 S< E5  ; E5");
  EXPECT_EQ(lines[2], "  2400 M> 10 7B 01 7C 16  ; REQ_UD2 a=1 fcb=1");
  EXPECT_TRUE(lines[3].ends_with("; RSP_UD a=1 ci=72")) << lines[3];
  EXPECT_EQ(LinesOf(BusLog(Log())), lines) << "the simulator saw the same";
}

TEST_F(MeterCommands, IdentifyAndTheChangesAreTracedToo) {
  SimProcess sim({"--no-timing", MeterFile("krv_heat.ini")});
  const std::string identify = (cwd.Path() / "identify.trace").string();
  ASSERT_EQ(Command("identify", sim.Path(), 1, {"--trace", identify}).status, 0);
  const std::string identified = BusLog(identify);
  EXPECT_NE(identified.find("  ; selection\n"), std::string::npos) << "its pulse inputs";
  EXPECT_NE(identified.find("  ; RSP_UD a=1 ci=72\n"), std::string::npos);

  const std::string change = (cwd.Path() / "set-type.trace").string();
  ASSERT_EQ(Command("set-type", sim.Path(), 1, {"--trace", change, "22"}).status, 0);
  EXPECT_NE(BusLog(change).find("  ; SND_UD a=1 ci=51\n"), std::string::npos) << BusLog(change);
}

TEST_F(MeterCommands, ATraceThatCannotBeWrittenStopsTheCommandBeforeTheBus) {
  SimProcess sim({"--no-timing", "--log", Log(), MeterFile("krv_heat.ini")});
  const std::string nowhere = (cwd.Path() / "missing" / "x.trace").string();
  for (const char* command : {"read", "config"}) {
    const CliResult run = Command(command, sim.Path(), 1, {"--trace", nowhere});
    EXPECT_EQ(run.status, 1) << command;
    EXPECT_NE(run.err.find("cannot write the trace " + nowhere), std::string::npos) << run.err;
  }
  EXPECT_EQ(BusLog(Log()), "") << "nothing on the bus";
}

TEST(CliTrace, EveryCommandThatTalksToAMeterOffersIt) {
  for (const char* command :
       {"read", "identify", "config", "set-address", "set-serial", "set-type"}) {
    const CliResult help = Cli({command, "--help"});
    EXPECT_NE(help.out.find("--trace FILE"), std::string::npos) << command;
  }
}

}  // namespace
