// keldar-cli run in-process against the meter simulator, in a working folder
// of its own with the catalogue, the phrases and a settings file.
#pragma once

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/core/ini_file.h"
#include "base/platform/library.h"
#include "command.h"
#include "sim_process.h"
#include "test_support.h"

namespace keldar::cli::test {

using keldar::bus::test::MeterFile;
using keldar::bus::test::SimProcess;

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

inline CliResult Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  std::istringstream in;
  keldar::cli::CommandIo io{out, err, in};
  CliResult run;
  run.status = keldar::cli::RunCli(args, io);
  run.out = out.str();
  run.err = err.str();
  return run;
}

inline QJsonObject JsonObject(const std::string& text) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
  EXPECT_TRUE(document.isObject()) << text;
  return document.object();
}

inline std::string BusLog(const std::string& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The program's working folder: catalogue, phrases and a settings file of our own.
class MeterCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* file : {"program.db", "phrases.db", "BusProtocol.so", "Phrases.so"})
      std::filesystem::copy_file(std::filesystem::path(KELDAR_BIN_DIR) / file, cwd.Path() / file);
    platform::SetPluginDirectory(cwd.Path());
    Settings().Load();
  }
  void TearDown() override { platform::SetPluginDirectory({}); }
  std::vector<std::string> Meter(const std::string& path, int address) const {
    return {"--port", path, "--baud", "2400", "--address", std::to_string(address)};
  }
  std::string Log() const { return (cwd.Path() / "bus.log").string(); }
  CliResult Command(const char* name, const std::string& path, int address,
                    std::vector<std::string> more = {}) {
    std::vector<std::string> args{name};
    for (const auto& a : Meter(path, address)) args.push_back(a);
    args.insert(args.end(), more.begin(), more.end());
    return Cli(args);
  }

  ScopedWorkingDirectory cwd;
  ScopedEnv lang{"LANG", "ru_RU.UTF-8"};
};

}  // namespace keldar::cli::test
