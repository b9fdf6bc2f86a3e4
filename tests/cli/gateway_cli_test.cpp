// keldar-cli through a network gateway: the simulator serving its meters on
// loopback. Everything a serial port does works the same; every way a gateway
// fails is said clearly within the connect limit or the answer window, and no
// write reaches a meter twice.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QJsonArray>
#include <chrono>
#include <map>
#include <set>

#include "device/gateway_list.h"
#include "meter_commands.h"

namespace {

using namespace keldar::cli::test;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

milliseconds Since(Clock::time_point start) {
  return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

int PortOf(const std::string& path) { return std::stoi(path.substr(path.rfind(':') + 1)); }

// A connection of our own to 127.0.0.1:`port`; -1 when refused.
int ConnectTo(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

class Gateway : public MeterCommands {
 protected:
  std::string State() const { return (cwd.Path() / "state.ini").string(); }
  std::string Interference() {
    const auto file = cwd.Path() / "noise.ini";
    WriteFile(file, "[meter]\nnoise = 12\nreply_delay_ms = 15\n");
    return file.string();
  }
  // Each SND_UD line of the bus log with how often it went out.
  static std::map<std::string, int> Writes(const std::string& log) {
    std::map<std::string, int> writes;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);) {
      if (line.find("SND_UD") == std::string::npos) continue;
      ++writes[line.substr(line.find("M>"))];  // without the time
    }
    return writes;
  }
};

TEST_F(Gateway, IdentifyReadAndConfigureWorkAsOnASerialPort) {
  SimProcess sim({"--tcp", "0", "--log", Log(), "--state", State(), MeterFile("krv_heat.ini")});
  ASSERT_EQ(sim.Path().rfind("tcp://127.0.0.1:", 0), 0u) << sim.Path();

  const CliResult identify = Command("identify", sim.Path(), 1, {"--json"});
  ASSERT_EQ(identify.status, 0) << identify.err;
  const QJsonObject result = JsonObject(identify.out);
  EXPECT_EQ(result["found_baud"].toInt(), 2400);
  EXPECT_EQ(result["manufacturer"].toString(), "KRV");
  EXPECT_EQ(result["devices"].toArray().size(), 3);
  EXPECT_NE(identify.err.find("progress 80: Шлюз: скорость линии задана шлюзом"), std::string::npos)
      << identify.err;
  // No speed search, no speed change: the gateway's bus keeps its speed.
  const std::string log = BusLog(Log());
  EXPECT_EQ(log.find("    300 M>"), std::string::npos) << log;
  EXPECT_EQ(log.find("ci=BB"), std::string::npos) << log;
  EXPECT_NE(BusLog("config.ini").find("COM = " + sim.Path()), std::string::npos);

  const CliResult read = Command("read", sim.Path(), 1);
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_NE(read.out.find("Meter 41000001  KRV"), std::string::npos) << read.out;
  // The same gateway by its IPv6 loopback address, and by name.
  const std::string port = std::to_string(PortOf(sim.Path()));
  for (const std::string& other : {"tcp://[::1]:" + port, "tcp://localhost:" + port}) {
    const CliResult again = Command("read", other, 1, {"--json"});
    EXPECT_EQ(again.status, 0) << other << ": " << again.err;
  }

  const CliResult moved = Command("set-address", sim.Path(), 1, {"--primary", "9", "--json"});
  EXPECT_EQ(moved.status, 0) << moved.out << moved.err;
  EXPECT_TRUE(JsonObject(moved.out)["primary_changed"].toBool());
  EXPECT_NE(BusLog(State()).find("primary_address = 9\n"), std::string::npos);
  const CliResult config = Command("config", sim.Path(), 9);
  EXPECT_EQ(config.status, 0) << config.err;
  EXPECT_EQ(config.out.rfind("primary address: 009\n", 0), 0u) << config.out;

  const CliResult ports = Cli({"ports"});
  EXPECT_EQ(ports.status, 0);
  EXPECT_NE(ports.out.find(sim.Path() + "\t" + sim.Path() + "\n"), std::string::npos) << ports.out;
}

// Both scans through a gateway find what they find on a pseudo-terminal.
TEST_F(Gateway, BothScansWorkThroughAGateway) {
  SimProcess sim({"--tcp", "0", MeterFile("krv_heat.ini"), MeterFile("krv_cold_water.ini")});
  const CliResult primary = Cli({"scan", "--port", sim.Path(), "--baud", "2400", "--primary",
                                 "--from", "0", "--to", "4", "--json"});
  ASSERT_EQ(primary.status, 0) << primary.err;
  const QJsonArray byAddress =
      QJsonDocument::fromJson(QByteArray::fromStdString(primary.out)).array();
  ASSERT_EQ(byAddress.size(), 2) << primary.out;
  EXPECT_EQ(byAddress[0].toObject()["id"].toString(), "41000001");
  EXPECT_EQ(byAddress[1].toObject()["id"].toString(), "41000021");

  const CliResult secondary = Cli({"scan", "--port", sim.Path(), "--baud", "2400", "--secondary",
                                   "--mask", "410000FF", "--json"});
  ASSERT_EQ(secondary.status, 0) << secondary.err;
  std::set<QString> ids;
  for (const auto& meter :
       QJsonDocument::fromJson(QByteArray::fromStdString(secondary.out)).array())
    ids.insert(meter.toObject()["id"].toString());
  EXPECT_EQ(ids, (std::set<QString>{"41000001", "41000011", "41000012", "41000021"}));
}

// A slow network: the allowance on top of the answer window comes from config.ini.
TEST_F(Gateway, TheAnswerAllowanceIsTakenFromTheSettings) {
  const auto slow = cwd.Path() / "slow.ini";
  WriteFile(slow,
            "[meter]\naddress = 3\nspeed = 2400\nidentification = 41000333\n"
            "manufacturer = KRV\nversion = 2\nmedium = 7\nreply_delay_ms = 650\n"
            "record = 04 13 : 1\n");
  SimProcess sim({"--tcp", "0", slow.string()});
  EXPECT_EQ(Command("read", sim.Path(), 3).status, 1);  // 287.5 + 200 ms is too short
  WriteFile(cwd.Path() / "config.ini", "[GATEWAYS]\nANSWER_ALLOWANCE_MS = 600\n");
  Settings().Load();
  const CliResult read = Command("read", sim.Path(), 3);
  EXPECT_EQ(read.status, 0) << read.err;
  EXPECT_NE(read.out.find("Meter 41000333"), std::string::npos) << read.out;
}

TEST_F(Gateway, TheLastFiveGatewaysAreRememberedNewestFirst) {
  for (int i = 1; i <= 7; ++i)
    RememberGateway(Settings(), "tcp://10.0.0." + std::to_string(i) + ":1");
  RememberGateway(Settings(), "tcp://10.0.0.4:1");  // used again: first, and only once
  RememberGateway(Settings(), "/dev/ttyUSB0");      // not a gateway
  RememberGateway(Settings(), "tcp://broken");
  EXPECT_EQ(RecentGateways(Settings()),
            (std::vector<std::string>{"tcp://10.0.0.4:1", "tcp://10.0.0.7:1", "tcp://10.0.0.6:1",
                                      "tcp://10.0.0.5:1", "tcp://10.0.0.3:1"}));
  Settings().WriteValue("GATEWAYS", "2", "not an address");
  EXPECT_EQ(RecentGateways(Settings()).size(), 4u) << "a hand-edited value is passed over";
}

TEST_F(Gateway, AGatewayThatCannotBeOpenedIsSaidWithinTheConnectLimit) {
  std::string nobody;
  {
    SimProcess gone({"--tcp", "0", MeterFile("krv_heat.ini")});
    nobody = gone.Path();
  }
  struct Case {
    std::string path;
    const char* says;
    milliseconds within;
  };
  for (const Case& c :
       {Case{"tcp://no-such-gateway.invalid:10001", "does not resolve", milliseconds(3500)},
        Case{nobody, "refused the connection", milliseconds(1000)},
        Case{"tcp://gateway-without-port", "write it as tcp://HOST:PORT", milliseconds(1000)}}) {
    for (const char* command : {"read", "identify", "config"}) {
      const auto start = Clock::now();
      const CliResult run = Command(command, c.path, 1);
      EXPECT_EQ(run.status, 1) << command << " " << c.path;
      EXPECT_NE(run.err.find(c.says), std::string::npos) << command << ": " << run.err;
      EXPECT_LT(Since(start), c.within) << command << " " << c.path;
    }
  }
  EXPECT_EQ(BusLog("config.ini").find("GATEWAYS"), std::string::npos) << "none was used";
}

TEST_F(Gateway, AGatewayThatNeverAcceptsIsGivenUpAfterTheConnectLimit) {
  // Its backlog of 0 holds our first connection; the next handshake goes unanswered.
  const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 0), 0);
  socklen_t size = sizeof address;
  ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
  const int port = ntohs(address.sin_port);
  const int held = ConnectTo(port);
  ASSERT_GE(held, 0);
  const auto start = Clock::now();
  const CliResult run = Command("read", "tcp://127.0.0.1:" + std::to_string(port), 1);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("did not answer within 3 s"), std::string::npos) << run.err;
  EXPECT_GE(Since(start), milliseconds(2900));
  EXPECT_LT(Since(start), milliseconds(3600));
  ::close(held);
  ::close(listener);
}

TEST_F(Gateway, ABusyGatewayIsSaidAsSuch) {
  SimProcess sim({"--tcp", "0", "--log", Log(), MeterFile("krv_heat.ini")});
  const int first = ConnectTo(PortOf(sim.Path()));
  ASSERT_GE(first, 0);
  const CliResult run = Command("read", sim.Path(), 1);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("is busy: another program is connected"), std::string::npos) << run.err;
  ::close(first);
  EXPECT_EQ(BusLog(Log()), "") << "nothing of ours reached the bus";
}

TEST_F(Gateway, AGatewayClosingMidReadoutEndsTheCommandPromptly) {
  SimProcess sim({"--tcp", "0", "--tcp-drop-after", "1", MeterFile("krv_heat.ini")});
  const auto start = Clock::now();
  const CliResult read = Command("read", sim.Path(), 1);
  EXPECT_EQ(read.status, 1);
  EXPECT_NE(read.err.find("closed the connection"), std::string::npos) << read.err;
  EXPECT_LT(Since(start), milliseconds(1000));

  const CliResult identify = Command("identify", sim.Path(), 1, {"--json"});
  EXPECT_EQ(identify.status, 0) << identify.err;
  EXPECT_EQ(JsonObject(identify.out)["reason"].toString(), "port_lost") << identify.out;
}

TEST_F(Gateway, NoWriteReachesAMeterTwiceWhateverTheGatewayDrops) {
  // The connection goes at each point of the change in turn; each run starts
  // a gateway of its own so that its log holds that run alone.
  int written = 0;
  for (int drop = 1; drop <= 6; ++drop) {
    SCOPED_TRACE("dropped after request " + std::to_string(drop));
    const std::string log = (cwd.Path() / ("bus" + std::to_string(drop) + ".log")).string();
    SimProcess sim({"--tcp", "0", "--tcp-drop-after", std::to_string(drop), "--log", log,
                    MeterFile("krv_cold_water.ini")});
    const auto start = Clock::now();
    Command("set-address", sim.Path(), 2, {"--primary", "17", "--secondary", "12345678"});
    EXPECT_LT(Since(start), milliseconds(3000));
    for (const auto& [write, times] : Writes(BusLog(log))) {
      EXPECT_EQ(times, 1) << write;
      ++written;
    }
  }
  EXPECT_GE(written, 4) << "the later drops come after the writes";
}

TEST_F(Gateway, GarbageBehindAGatewayIsNeitherAnAnswerNorAnAcknowledgement) {
  SimProcess sim({"--tcp", "0", "--log", Log(), "--state", State(), MeterFile("krv_heat.ini"),
                  Interference()});
  const CliResult read = Command("read", sim.Path(), 1);
  EXPECT_EQ(read.status, 1);
  EXPECT_NE(read.err.find("make no frame"), std::string::npos) << read.err;
  const CliResult write = Command("set-address", sim.Path(), 1, {"--primary", "5"});
  EXPECT_EQ(write.status, 1) << write.out;
  EXPECT_TRUE(Writes(BusLog(Log())).empty()) << "no write after a reset drowned in noise";
  EXPECT_NE(BusLog(State()).find("primary_address = 1\n"), std::string::npos);
}

}  // namespace
