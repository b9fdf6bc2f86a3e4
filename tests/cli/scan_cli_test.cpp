// keldar-cli scan and the commands that reach a meter by its secondary
// address, against a simulated bus of several meters.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QJsonArray>
#include <chrono>
#include <thread>

#include "meter_commands.h"

namespace keldar::cli::test {
namespace {

QJsonArray JsonArray(const std::string& text) {
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text));
  EXPECT_TRUE(document.isArray()) << text;
  return document.array();
}

class ScanCommands : public MeterCommands {
 protected:
  // A water meter of its own at `address`, so that two can share one.
  std::string WaterMeter(const std::string& id, int address) const {
    const auto file = cwd.Path() / ("water-" + id + ".ini");
    std::ofstream(file) << "[meter]\naddress = " << address
                        << "\nspeed = 2400\nidentification = " << id
                        << "\nmanufacturer = KRV\nversion = 2\nmedium = 7\nmodel = VK-7 water\n"
                           "reply_delay_ms = 12\nrecord = 04 13 : 4321\n";
    return file.string();
  }
  std::vector<std::string> Scan(const std::string& path, std::vector<std::string> more) const {
    std::vector<std::string> args{"scan", "--port", path, "--baud", "2400"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
  }
};

TEST_F(ScanCommands, PrimaryScanPrintsOneObjectPerFindingAndTheSharedAddressAsACollision) {
  SimProcess sim({"--no-timing", "--log", Log(), MeterFile("krv_heat.ini"),
                  WaterMeter("41000502", 5), WaterMeter("41000503", 5),
                  MeterFile("mute_user_data.ini")});
  const CliResult run = Cli(Scan(sim.Path(), {"--primary", "--from", "1", "--to", "9", "--json"}));
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const QJsonArray meters = JsonArray(run.out);
  ASSERT_EQ(meters.size(), 3);
  const QJsonObject heat = meters[0].toObject();
  EXPECT_EQ(heat["primary_address"].toInt(), 1);
  EXPECT_EQ(heat["id"].toString(), "41000001");
  EXPECT_EQ(heat["secondary_address"].toString(), "410000012E560304");
  EXPECT_EQ(heat["manufacturer"].toString(), "KRV");
  EXPECT_EQ(heat["medium"].toInt(), 4);
  EXPECT_EQ(heat["model"].toString(), "TV-7 heat");
  EXPECT_FALSE(heat["collision"].toBool());
  const QJsonObject shared = meters[1].toObject();
  EXPECT_EQ(shared["primary_address"].toInt(), 5);
  EXPECT_TRUE(shared["collision"].toBool());
  EXPECT_TRUE(shared["id"].isNull());
  EXPECT_TRUE(meters[2].toObject()["acknowledged_only"].toBool());
  EXPECT_NE(run.err.find("9 of 9 done, 3 found"), std::string::npos) << run.err;
  // Address 0 and those above 9 were never asked.
  const std::string log = BusLog(Log());
  EXPECT_EQ(log.find("SND_NKE a=0 "), std::string::npos);
  EXPECT_EQ(log.find("SND_NKE a=10"), std::string::npos);
}

TEST_F(ScanCommands, SecondaryScanFindsBothMetersOfASharedAddressAndEachIsReadBySelection) {
  SimProcess sim({"--no-timing", MeterFile("krv_cold_water.ini"), WaterMeter("41000502", 5),
                  WaterMeter("41000503", 5), MeterFile("mld_heat.ini")});
  const CliResult run = Cli(Scan(sim.Path(), {"--secondary", "--manufacturer", "KRV"}));
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_NE(run.out.find("5 (shared) 410005022E560207   41000502"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("5 (shared) 410005032E560207   41000503"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("41000021  KRV"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("52000001"), std::string::npos) << "the maker filter was ignored";

  const std::vector<std::string> target{"--port", sim.Path(), "--baud", "2400", "--secondary"};
  auto with = [&](const char* command, const std::string& secondary) {
    std::vector<std::string> args{command};
    args.insert(args.end(), target.begin(), target.end());
    args.push_back(secondary);
    return Cli(args);
  };
  const CliResult read = with("read", "41000503.KRV.2.7");
  ASSERT_EQ(read.status, kExitOk) << read.err;
  EXPECT_NE(read.out.find("Meter 41000503"), std::string::npos) << read.out;
  const CliResult config = with("config", "41000502");
  ASSERT_EQ(config.status, kExitOk) << config.err;
  EXPECT_NE(config.out.find("41000502"), std::string::npos) << config.out;
  // A wildcard that matches both is refused, not read.
  const CliResult both = with("read", "410005FF");
  EXPECT_EQ(both.status, kExitFailed);
  EXPECT_NE(both.err.find("no frame"), std::string::npos) << both.err;
  EXPECT_EQ(with("read", "41000999").status, kExitFailed);
}

TEST_F(ScanCommands, IdentifyBySelectionReadsTheChosenMeterOfASharedAddress) {
  SimProcess sim({"--no-timing", WaterMeter("41000502", 5), WaterMeter("41000503", 5)});
  const CliResult run = Cli(
      {"identify", "--port", sim.Path(), "--baud", "2400", "--secondary", "41000503", "--json"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_NE(run.out.find("41000503"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("41000502"), std::string::npos) << run.out;
}

TEST_F(ScanCommands, BadScanOptionsAreUsageErrorsAndSendNothing) {
  SimProcess sim({"--no-timing", "--log", Log(), MeterFile("krv_heat.ini")});
  for (const auto& more : std::vector<std::vector<std::string>>{
           {},
           {"--primary", "--secondary"},
           {"--primary", "--from", "9", "--to", "3"},
           {"--primary", "--to", "251"},
           {"--primary", "--mask", "1234FFFF"},
           {"--secondary", "--mask", "12A4FFFF"},
           {"--secondary", "--mask", "1234FFF"},
           {"--secondary", "--manufacturer", "krv"},
           {"--secondary", "--from", "1"},
       }) {
    const CliResult run = Cli(Scan(sim.Path(), more));
    EXPECT_EQ(run.status, kExitUsage) << run.err;
  }
  for (const auto& more :
       std::vector<std::vector<std::string>>{{"--secondary", "1234"},
                                             {"--secondary", "41000001.KR"},
                                             {"--secondary", "41000001.KRV.256"},
                                             {"--secondary", "41000001", "--address", "1"}}) {
    std::vector<std::string> args{"read", "--port", sim.Path(), "--baud", "2400"};
    args.insert(args.end(), more.begin(), more.end());
    EXPECT_EQ(Cli(args).status, kExitUsage) << more[1];
  }
  EXPECT_EQ(BusLog(Log()), "");
}

// Ctrl-C: the scan ends within an exchange, prints what it found and leaves
// the line to the next command.
TEST_F(ScanCommands, InterruptedScanPrintsWhatItFoundAndFreesThePort) {
  SimProcess sim({"--no-timing", MeterFile("krv_heat.ini")});
  const std::string out = (cwd.Path() / "out.txt").string();
  const std::string err = (cwd.Path() / "err.txt").string();
  std::vector<std::string> args{std::string(KELDAR_BIN_DIR) + "/keldar-cli",
                                "scan",
                                "--port",
                                sim.Path(),
                                "--baud",
                                "2400",
                                "--primary",
                                "--json"};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT, 0644);
  posix_spawn_file_actions_addopen(&files, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT, 0644);
  pid_t pid = -1;
  ASSERT_EQ(posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&files);

  // Waits until the heat meter at address 1 is reported, then a while longer.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (BusLog(err).find("found 41000001") == std::string::npos &&
         std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  const auto interrupted = std::chrono::steady_clock::now();
  ::kill(pid, SIGINT);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  const auto took = std::chrono::steady_clock::now() - interrupted;
  ASSERT_TRUE(WIFEXITED(status)) << "ended by a signal";
  EXPECT_EQ(WEXITSTATUS(status), 130);
  EXPECT_LT(took, std::chrono::seconds(2));  // one exchange, not the rest of the scan
  const QJsonArray meters = JsonArray(BusLog(out));
  ASSERT_EQ(meters.size(), 1);
  EXPECT_EQ(meters[0].toObject()["id"].toString(), "41000001");
  EXPECT_NE(BusLog(err).find("stopped"), std::string::npos);

  EXPECT_EQ(Command("read", sim.Path(), 1).status, kExitOk);
}

}  // namespace
}  // namespace keldar::cli::test
