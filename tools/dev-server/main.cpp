// keldar-dev-server: answers the program's REST procedures from a folder of
// releases, on one machine. Prints the port it listens on as its first line.
#include <pthread.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "dev_server.h"

namespace {

void Usage() {
  std::cerr << "usage: keldar-dev-server --releases DIR [--port N] [--address A]\n"
               "                         [--identify-records N] [--finger TEXT]\n"
               "                         [--misbehave KIND[:PROCEDURE[:TIMES]]]...\n"
               "KIND: 404, 404-200, close, silent, drip, corrupt, oversize, notjson, unsafe\n";
}

std::optional<devserver::Fault> ParseFault(std::string_view text) {
  devserver::Fault fault;
  const auto first = text.find(':');
  const std::string_view kind = text.substr(0, first);
  if (kind == "404")
    fault.kind = devserver::FaultKind::kNotFound;
  else if (kind == "close")
    fault.kind = devserver::FaultKind::kCloseEarly;
  else if (kind == "silent")
    fault.kind = devserver::FaultKind::kSilent;
  else if (kind == "corrupt")
    fault.kind = devserver::FaultKind::kCorruptChunk;
  else if (kind == "notjson")
    fault.kind = devserver::FaultKind::kNotJson;
  else if (kind == "404-200")
    fault.kind = devserver::FaultKind::kNotFoundSays200;
  else if (kind == "drip")
    fault.kind = devserver::FaultKind::kDrip;
  else if (kind == "oversize")
    fault.kind = devserver::FaultKind::kOversizeChunk;
  else if (kind == "unsafe")
    fault.kind = devserver::FaultKind::kUnsafeRecord;
  else
    return std::nullopt;
  if (first == std::string_view::npos) return fault;
  const std::string_view rest = text.substr(first + 1);
  const auto second = rest.find(':');
  fault.procedure = std::string(rest.substr(0, second));
  if (second != std::string_view::npos)
    fault.times = std::atoi(std::string(rest.substr(second + 1)).c_str());
  return fault;
}

}  // namespace

int main(int argc, char** argv) {
  devserver::ServerOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--releases" && hasValue) {
      options.releases = argv[++i];
    } else if (arg == "--port" && hasValue) {
      options.port = static_cast<std::uint16_t>(std::atoi(argv[++i]));
    } else if (arg == "--address" && hasValue) {
      options.address = argv[++i];
    } else if (arg == "--identify-records" && hasValue) {
      options.clients.records = std::atoi(argv[++i]);
    } else if (arg == "--finger" && hasValue) {
      options.clients.finger = argv[++i];
    } else if (arg == "--misbehave" && hasValue) {
      const auto fault = ParseFault(argv[++i]);
      if (!fault) {
        Usage();
        return 2;
      }
      options.faults.push_back(*fault);
    } else {
      Usage();
      return 2;
    }
  }
  if (options.releases.empty()) {
    Usage();
    return 2;
  }

  // Ctrl-C and SIGTERM are taken by sigwait below; the server's thread inherits the mask.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  std::string error;
  const auto server = devserver::DevServer::Start(options, error);
  if (!server) {
    std::cerr << "keldar-dev-server: " << error << "\n";
    return 1;
  }
  std::cout << server->Port() << std::endl;
  std::cerr << "keldar-dev-server: listening on " << options.address << ":" << server->Port()
            << "; build the program with -DKELDAR_REST_HOST=" << options.address << ":"
            << server->Port() << "\n";

  int signal = 0;
  sigwait(&stopSignals, &signal);
  return 0;
}
