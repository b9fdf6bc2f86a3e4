#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "desk.h"
#include "procedure_call.h"
#include "releases.h"

namespace devserver {

// Ways to misbehave, for tests of the program's failure paths.
enum class FaultKind {
  kNotFound,         // "HTTP/1.0 404 Not Found" and a short text body
  kCloseEarly,       // part of a 200 head, then the connection is closed
  kSilent,           // reads the request and never answers (holds the connection)
  kCorruptChunk,     // fetch_file answers with one byte of the chunk flipped
  kNotJson,          // a 200 answer whose body is not JSON
  kRaw,              // sends `raw` as the whole answer, then closes
  kNotFoundSays200,  // "404 Not Found" with "200" in a later header and a JSON body
  kDrip,             // the right answer, one byte per `dripInterval`
  kOversizeChunk,    // fetch_file answers with more bytes than the whole file
  kUnsafeRecord,     // get_project_pack adds a record named `raw` ("../keldar" when empty)
};

struct Fault {
  FaultKind kind = FaultKind::kNotFound;
  std::string procedure;  // empty: any request
  int times = -1;         // how many matching requests; -1 for all
  std::string raw;        // kRaw; the name for kUnsafeRecord
};

// One request as it arrived.
struct RecordedRequest {
  std::string raw;   // head and body, byte for byte
  std::string body;  // the body alone
  std::optional<FormBody> form;
  std::optional<ProcedureCall> call;
};

struct ServerOptions {
  std::filesystem::path releases;
  std::string address = "127.0.0.1";
  std::uint16_t port = 0;  // 0: a free port
  Clients clients;
  std::vector<Fault> faults;
  // How long a silent answer holds a connection the client keeps open.
  std::chrono::milliseconds silentHold{30000};
  // The pause between two bytes of a dripping answer.
  std::chrono::milliseconds dripInterval{1000};
};

// A REST server for the program's four procedures on its own thread, one
// connection at a time. Stops and joins when destroyed.
class DevServer {
 public:
  static std::unique_ptr<DevServer> Start(ServerOptions options, std::string& error);

  // Only Start makes servers; the key keeps the constructor usable by make_unique.
  class Key {
    friend class DevServer;
    Key() = default;
  };
  DevServer(Key, ServerOptions options, Releases releases);
  ~DevServer();
  DevServer(const DevServer&) = delete;
  DevServer& operator=(const DevServer&) = delete;

  std::uint16_t Port() const { return port_; }
  // "127.0.0.1:<port>", as the program's REST host.
  std::string HostAndPort() const;

  std::vector<RecordedRequest> Requests() const;
  void SetFaults(std::vector<Fault> faults);
  void SetClients(Clients clients);

 private:
  void Run();
  void Serve(int connection, const std::string& peer);
  // The fault for this request, its count used up; nullopt when it is served well.
  std::optional<Fault> TakeFault(const std::optional<ProcedureCall>& call);

  ServerOptions options_;
  Releases releases_;
  Desk desk_;
  int listener_ = -1;
  int stopRead_ = -1;
  int stopWrite_ = -1;
  std::uint16_t port_ = 0;
  mutable std::mutex mutex_;  // requests_, options_.faults, options_.clients
  std::vector<RecordedRequest> requests_;
  std::thread thread_;
};

}  // namespace devserver
