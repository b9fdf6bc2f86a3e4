// keldar-cli: telegram hex in, a table or JSON out; reading meters on the
// simulator; one clear line and a non-zero exit for every failure; the same
// --json everywhere.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "base/core/brand_profile.h"
#include "base/platform/library.h"
#include "command.h"
#include "sim_process.h"

namespace {

using keldar::bus::test::MeterFile;
using keldar::bus::test::SimProcess;

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

CliRun Cli(std::vector<std::string> args, const std::string& input = "") {
  std::ostringstream out, err;
  std::istringstream in(input);
  keldar::cli::CommandIo io{out, err, in};
  CliRun run;
  run.status = keldar::cli::RunCli(args, io);
  run.out = out.str();
  run.err = err.str();
  return run;
}

// Equal JSON, numbers within rounding.
::testing::AssertionResult SameJson(const QJsonValue& got, const QJsonValue& want,
                                    const QString& path = "$") {
  if (want.isDouble() && got.isDouble()) {
    const double a = got.toDouble(), b = want.toDouble();
    if (std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b)))
      return ::testing::AssertionSuccess();
  } else if (want.isObject() && got.isObject()) {
    const QJsonObject g = got.toObject(), w = want.toObject();
    if (g.keys() != w.keys()) {
      return ::testing::AssertionFailure() << path.toStdString() << ": keys "
                                           << QJsonDocument(QJsonArray::fromStringList(g.keys()))
                                                  .toJson(QJsonDocument::Compact)
                                                  .toStdString()
                                           << " vs "
                                           << QJsonDocument(QJsonArray::fromStringList(w.keys()))
                                                  .toJson(QJsonDocument::Compact)
                                                  .toStdString();
    }
    for (const QString& key : w.keys()) {
      auto r = SameJson(g[key], w[key], path + "." + key);
      if (!r) return r;
    }
    return ::testing::AssertionSuccess();
  } else if (want.isArray() && got.isArray()) {
    const QJsonArray g = got.toArray(), w = want.toArray();
    if (g.size() != w.size()) {
      return ::testing::AssertionFailure()
             << path.toStdString() << ": " << g.size() << " items, not " << w.size();
    }
    for (qsizetype i = 0; i < w.size(); ++i) {
      auto r = SameJson(g[i], w[i], path + "[" + QString::number(i) + "]");
      if (!r) return r;
    }
    return ::testing::AssertionSuccess();
  } else if (got == want) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << path.toStdString() << ": "
         << QJsonDocument(QJsonArray{got}).toJson(QJsonDocument::Compact).toStdString() << " vs "
         << QJsonDocument(QJsonArray{want}).toJson(QJsonDocument::Compact).toStdString();
}

QJsonValue Parse(const std::string& text) {
  QJsonParseError error;
  const auto doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
  return doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object());
}

// A heat meter answer: energy, a negative BCD temperature, a date, a date
// flagged invalid, a model text, a pulse weight of sub-unit 1, maker data.
constexpr char kTelegram[] =
    "68 36 36 68 08 05 72 78 56 34 12 56 2E 03 04 2A 00 00 00 04 06 39 30 00 00 0A 5A 23 F1 04 "
    "6D 1E 08 0F 33 04 6D 9E 08 0F 33 0D FD 0C 02 42 41 84 40 93 28 0A 00 00 00 0F 01 02 9B 16";

constexpr char kExpected[] = R"({
  "c": 8, "a": 5, "ci": 114, "id": "12345678", "manufacturer": "KRV", "version": 3,
  "medium": 4, "access_number": 42, "status": 0, "signature": 0, "more_records_follow": false,
  "records": [
    {"dif": 4, "vif": 6, "vifes": [], "function": "instantaneous", "storage": 0, "tariff": 0,
     "subunit": 0, "quantity": "Energy", "unit": "Wh", "value": 12345000, "raw": "00003039"},
    {"dif": 10, "vif": 90, "vifes": [], "function": "instantaneous", "storage": 0, "tariff": 0,
     "subunit": 0, "quantity": "Flow temperature", "unit": "°C", "value": -12.3, "raw": "F123"},
    {"dif": 4, "vif": 109, "vifes": [], "function": "instantaneous", "storage": 0, "tariff": 0,
     "subunit": 0, "quantity": "Date and time", "unit": "", "text": "2024-03-15T08:30",
     "raw": "330F081E"},
    {"dif": 4, "vif": 109, "vifes": [], "function": "instantaneous", "storage": 0, "tariff": 0,
     "subunit": 0, "quantity": "Date and time", "unit": "", "text": null, "raw": "330F089E"},
    {"dif": 13, "vif": 253, "vifes": [12], "function": "instantaneous", "storage": 0, "tariff": 0,
     "subunit": 0, "quantity": "Model / version", "unit": "", "text": "AB", "raw": "4142"},
    {"dif": 132, "vif": 147, "vifes": [40], "function": "instantaneous", "storage": 0,
     "tariff": 0, "subunit": 1, "quantity": "Volume per input pulse on channel 0", "unit": "m^3",
     "value": 0.01, "raw": "0000000A"},
    {"dif": 15, "function": "manufacturer specific", "raw": "01 02"}
  ]
})";

class CliTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { platform::SetPluginDirectory(KELDAR_BIN_DIR); }
  static void TearDownTestSuite() { platform::SetPluginDirectory({}); }
};

TEST_F(CliTest, DecodePrintsTheTelegramAsJson) {
  const CliRun run = Cli({"decode", "--json", kTelegram});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty());
  EXPECT_TRUE(SameJson(Parse(run.out), Parse(kExpected)));
}

TEST_F(CliTest, DecodeTakesBytesAsSeparateArgumentsOrUnspaced) {
  std::vector<std::string> args{"decode"};
  std::istringstream bytes(kTelegram);
  for (std::string b; bytes >> b;) args.push_back(b);
  args.push_back("--json");  // after the bytes as well as before them
  CliRun run = Cli(args);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(SameJson(Parse(run.out), Parse(kExpected)));

  std::string unspaced = kTelegram;
  unspaced.erase(std::remove(unspaced.begin(), unspaced.end(), ' '), unspaced.end());
  run = Cli({"decode", "--json", unspaced});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(SameJson(Parse(run.out), Parse(kExpected)));
}

TEST_F(CliTest, DecodeSeveralTelegramsFromAFileOrStandardInput) {
  const std::string path = std::string(KELDAR_TEST_DIR) + "/cli_telegrams.txt";
  {
    std::ofstream file(path);
    file << kTelegram << "\n\n68 04 04 68 08 01 70 08 81 16\n";
  }
  CliRun run = Cli({"decode", "--json", "--file", path});
  const CliRun tables = Cli({"decode", "--file", path});
  std::remove(path.c_str());
  ASSERT_EQ(run.status, 0) << run.err;
  const QJsonArray all = Parse(run.out).toArray();
  ASSERT_EQ(all.size(), 2);
  EXPECT_TRUE(SameJson(all[0], Parse(kExpected)));
  EXPECT_TRUE(SameJson(all[1], Parse(R"({"c": 8, "a": 1, "ci": 112, "error": "Application busy",
                                         "more_records_follow": false, "records": []})")));
  ASSERT_EQ(tables.status, 0) << tables.err;
  const auto second = tables.out.find("Telegram 2 of 2\n");
  ASSERT_NE(second, std::string::npos) << tables.out;
  EXPECT_EQ(tables.out.find("Telegram 1 of 2\nMeter 12345678  KRV"), 0u) << tables.out;
  EXPECT_EQ(tables.out.substr(second + 16, 31), "Error answer: Application busy\n") << tables.out;

  run = Cli({"decode", "--json", "--file", "-"}, std::string(kTelegram) + "\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(SameJson(Parse(run.out), Parse(kExpected)));
}

TEST_F(CliTest, DecodeFixedDataAndMoreRecordsFollow) {
  CliRun run = Cli({"decode", "--json",
                    "68 13 13 68 08 01 73 93 92 91 90 10 00 05 69 31 65 00 00 69 00 00 00 3F 16"});
  ASSERT_EQ(run.status, 0) << run.err;
  const QJsonObject fixed = Parse(run.out).toObject();
  EXPECT_EQ(fixed["id"].toString(), "90919293");
  EXPECT_EQ(fixed["medium"].toInt(), 4);
  EXPECT_EQ(fixed["access_number"].toInt(), 16);
  ASSERT_EQ(fixed["records"].toArray().size(), 2);
  EXPECT_DOUBLE_EQ(fixed["records"][0]["value"].toDouble(), 6531000.0);
  EXPECT_EQ(fixed["records"][1]["unit"].toString(), "m^3");

  run = Cli({"decode", "68 10 10 68 08 01 72 78 56 34 12 56 2E 03 04 2A 00 00 00 1F 64 16"});
  // The check sum above is wrong on purpose: refused, one line, exit 1.
  EXPECT_EQ(run.status, 1);
  constexpr char kMore[] = "68 10 10 68 08 01 72 78 56 34 12 56 2E 03 04 2A 00 00 00 1F 63 16";
  run = Cli({"decode", "--json", kMore});
  ASSERT_EQ(run.status, 0) << run.err;
  const QJsonObject more = Parse(run.out).toObject();
  EXPECT_TRUE(more["more_records_follow"].toBool());
  EXPECT_EQ(more["records"][0]["dif"].toInt(), 0x1F);
  run = Cli({"decode", kMore});
  EXPECT_NE(run.out.find("More records follow"), std::string::npos) << run.out;

  // Fixed data has no manufacturer or version in its header.
  run =
      Cli({"decode", "68 13 13 68 08 01 73 93 92 91 90 10 00 05 69 31 65 00 00 69 00 00 00 3F 16"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.find("Meter 90919293  medium 4 (heat (outlet))\naddress 1  access number 16"),
            0u)
      << run.out;
}

TEST_F(CliTest, DecodePrintsATableByDefault) {
  const CliRun run = Cli({"decode", kTelegram});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty());
  std::vector<std::string> lines;
  std::istringstream text(run.out);
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 11u) << run.out;  // header, blank, column names, seven records
  EXPECT_EQ(lines[0], "Meter 12345678  KRV  version 3  medium 4 (heat (outlet))");
  EXPECT_EQ(lines[1], "address 5  access number 42  status 00");
  EXPECT_EQ(lines[3].rfind("#", 0), 0u) << "the column names";
  const auto record = [&](std::size_t n) { return lines[3 + n]; };
  EXPECT_EQ(record(1).rfind("1 ", 0), 0u);
  EXPECT_NE(record(1).find("Energy"), std::string::npos);
  EXPECT_NE(record(1).find("12345000 Wh"), std::string::npos) << record(1);
  EXPECT_NE(record(2).find("-12.3 °C"), std::string::npos) << record(2);
  EXPECT_NE(record(3).find("2024-03-15T08:30"), std::string::npos) << record(3);
  EXPECT_NE(record(4).find("(no valid date)"), std::string::npos) << record(4);
  EXPECT_NE(record(6).find("0.01 m^3"), std::string::npos) << record(6);
  EXPECT_NE(record(7).find("manufacturer specific"), std::string::npos) << record(7);
  EXPECT_EQ(run.out.find('{'), std::string::npos) << "no JSON without --json";
}

// A meter fresh from the factory: manufacturer code 0, dates never set
// (zeros, all bits set). No text that reads as a date, and the code's letters.
TEST_F(CliTest, DecodeShowsAnUnsetMeterAsItIs) {
  constexpr char kUnset[] =
      "68 1D 1D 68 08 05 72 78 56 34 12 00 00 03 07 01 00 00 00 02 6C 00 00 02 6C FF FF 04 6D 00 "
      "00 00 00 E9 16";
  CliRun run = Cli({"decode", "--json", kUnset});
  ASSERT_EQ(run.status, 0) << run.err;
  const QJsonObject telegram = Parse(run.out).toObject();
  EXPECT_EQ(telegram["manufacturer"].toString(), "@@@");
  const QJsonArray records = telegram["records"].toArray();
  ASSERT_EQ(records.size(), 3);
  for (const auto& record : records) {
    EXPECT_TRUE(record.toObject().contains("text"));
    EXPECT_TRUE(record.toObject()["text"].isNull()) << run.out;
  }
  EXPECT_EQ(records[1].toObject()["raw"].toString(), "FFFF");

  run = Cli({"decode", kUnset});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.find("Meter 12345678  @@@  version 3"), 0u) << run.out;
  std::size_t invalid = 0;
  for (auto at = run.out.find("(no valid date)"); at != std::string::npos;
       at = run.out.find("(no valid date)", at + 1))
    ++invalid;
  EXPECT_EQ(invalid, 3u) << run.out;
}

TEST_F(CliTest, DecodeFailuresAreOneLineAndNonZero) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* says;
  };
  const Case cases[] = {
      {{"decode", "68 1G"}, 2, "bad hex"},
      {{"decode", "68 1"}, 2, "odd number"},
      {{"decode"}, 2, "no telegram"},
      {{"decode", "--file", "/no/such/file"}, 2, "cannot read"},
      {{"decode", "--file"}, 2, "needs a value"},
      {{"decode", "--frobnicate", "E5"}, 2, "unknown option"},
      {{"decode", "E5"}, 1, "acknowledgement"},
      {{"decode", "68 04 04 68 08 01 70 08 82 16"}, 1, "not a decodable"},
      {{"decode", "68 05 05 68 08 01 72 78 56 49 16"}, 1, "not a decodable"},
      {{"nonsense"}, 2, "unknown command"},
      {{"ports", "--frobnicate"}, 2, "unknown option"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.size() > 1 ? c.args[1] + " " + c.args.back() : c.args[0]);
    const CliRun run = Cli(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
}

TEST_F(CliTest, HelpForEachCommandDescribesJsonInTheSameWords) {
  CliRun run = Cli({"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("--version"), std::string::npos);
  for (const auto& command : keldar::cli::Commands()) {
    SCOPED_TRACE(std::string(command.name));
    EXPECT_NE(run.out.find(command.name), std::string::npos);
    const CliRun help = Cli({std::string(command.name), "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: keldar-cli " + std::string(command.name)), std::string::npos);
    EXPECT_NE(help.out.find("[--json]"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("  --json         print one JSON document instead of text"),
              std::string::npos)
        << help.out;
  }
  EXPECT_EQ(Cli({}).status, 2);
}

TEST_F(CliTest, VersionIsTheOneTheWindowShows) {
  const CliRun run = Cli({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.err.empty());
  const BrandProfile shipped(1);
  const std::string_view window = shipped.Version();  // "v.0.14"
  ASSERT_EQ(window.substr(0, 2), "v.");
  EXPECT_EQ(run.out, "keldar-cli " + std::string(window.substr(2)) + "\n");
}

TEST_F(CliTest, PortsListsTheConfiguredPortsAsTextOrJson) {
  const std::string a = std::string(KELDAR_TEST_DIR) + "/cli-port-a";
  const std::string b = std::string(KELDAR_TEST_DIR) + "/cli-port-b";
  ::setenv("KELDAR_SERIAL_PORTS", (a + ":" + b).c_str(), 1);
  const CliRun text = Cli({"ports"});
  const CliRun json = Cli({"ports", "--json"});
  ::unsetenv("KELDAR_SERIAL_PORTS");
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.out.rfind(a + "\t" + a + "\n" + b + "\t" + b + "\n", 0), 0u) << text.out;
  ASSERT_EQ(json.status, 0) << json.err;
  const QJsonArray ports = Parse(json.out).toArray();
  ASSERT_GE(ports.size(), 2);
  EXPECT_TRUE(SameJson(ports[0], QJsonObject{{"name", QString::fromStdString(a)},
                                             {"path", QString::fromStdString(a)}}));
  EXPECT_EQ(ports[1]["path"].toString().toStdString(), b);
  EXPECT_EQ(std::count(text.out.begin(), text.out.end(), '\n'), ports.size())
      << "the same ports either way";
}

TEST_F(CliTest, ReadAMeterAsJsonAndAsATable) {
  SimProcess sim({"--no-timing", MeterFile("mld_heat.ini")});
  CliRun run = Cli({"read", "--port", sim.Path(), "--baud", "2400", "--address", "4", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const QJsonObject meter = Parse(run.out).toObject();
  EXPECT_EQ(meter["id"].toString(), "52000001");
  EXPECT_EQ(meter["manufacturer"].toString(), "MLD");
  EXPECT_EQ(meter["a"].toInt(), 4);
  EXPECT_FALSE(meter["more_records_follow"].toBool());
  const QJsonArray records = meter["records"].toArray();
  ASSERT_EQ(records.size(), 16);  // two telegrams
  EXPECT_EQ(records[7]["dif"].toInt(), 0x1F);
  EXPECT_DOUBLE_EQ(records[4]["value"].toDouble(), 68.5);
  EXPECT_EQ(records[4]["unit"].toString(), "°C");
  EXPECT_EQ(records[14]["text"].toString(), "2024-04-30");
  EXPECT_EQ(records[14]["storage"].toInt(), 1);

  run = Cli({"read", "--port", sim.Path(), "--baud", "2400", "--address", "4"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.find("Meter 52000001  MLD"), 0u) << run.out;
  EXPECT_NE(run.out.find("68.5 °C"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("2024-04-30"), std::string::npos) << run.out;
}

TEST_F(CliTest, ReadFailuresAreOneLineAndNonZero) {
  SimProcess sim({"--no-timing", MeterFile("mute_user_data.ini")});
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* says;
  };
  const Case cases[] = {
      {{"read", "--port", sim.Path(), "--baud", "2400", "--address", "9"}, 1, "no user data"},
      {{"read", "--port", sim.Path(), "--baud", "4800", "--address", "9"}, 1, "no answer"},
      {{"read", "--port", sim.Path(), "--baud", "2400", "--address", "10"}, 1, "no answer"},
      {{"read", "--port", "/dev/no-such-port", "--baud", "2400", "--address", "9"},
       1,
       "no such port"},
      {{"read", "--port", "/etc/hostname", "--baud", "2400", "--address", "9"}, 1, "cannot open"},
      {{"read", "--port", sim.Path(), "--baud", "fast", "--address", "9"}, 2, "--baud"},
      {{"read", "--port", sim.Path(), "--baud", "2400", "--address", "251"}, 2, "--address"},
      {{"read", "--port", sim.Path(), "--baud", "2400"}, 2, "needs --port"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.size() > 4 ? c.args[4] + " " + c.args.back() : c.args.back());
    const CliRun run = Cli(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
}

// An error answer (CI 70) is the meter's refusal, not its data: no telegram
// is printed, and the meter's own words are.
TEST_F(CliTest, ReadOfAMeterAnsweringWithAnErrorFails) {
  SimProcess sim({"--no-timing", "--replay", "68 04 04 68 08 05 70 08 85 16", "--address", "5"});
  for (const bool json : {false, true}) {
    std::vector<std::string> args{"read", "--port", sim.Path(), "--baud", "2400", "--address", "5"};
    if (json) args.push_back("--json");
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_NE(run.err.find("answered with an error: Application busy"), std::string::npos)
        << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
}

// A raw telegram replayed by the simulator reads back as it decodes.
TEST_F(CliTest, ReadOfAReplayedTelegramMatchesItsDecode) {
  SimProcess sim({"--no-timing", "--replay", kTelegram, "--address", "5", "--speed", "9600"});
  const CliRun read =
      Cli({"read", "--port", sim.Path(), "--baud", "9600", "--address", "5", "--json"});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_TRUE(SameJson(Parse(read.out), Parse(kExpected)));
}

// The program itself, as a shell runs it: its standard output and exit status.
CliRun Program(const std::string& arguments) {
  const std::string command = std::string(KELDAR_BIN_DIR) + "/keldar-cli " + arguments;
  FILE* pipe = ::popen(command.c_str(), "r");
  CliRun run;
  if (pipe == nullptr) return run;
  char chunk[256];
  while (const std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) run.out.append(chunk, n);
  run.status = WEXITSTATUS(::pclose(pipe));
  return run;
}

// The installed program: finds BusProtocol.so beside itself.
TEST_F(CliTest, TheProgramDecodesWithTheLibraryBesideIt) {
  const CliRun run = Program(std::string("decode --json ") + kTelegram);
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(SameJson(Parse(run.out), Parse(kExpected)));
  const CliRun version = Program("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, Cli({"--version"}).out);
}

}  // namespace
