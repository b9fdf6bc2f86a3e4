#include "dev_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

namespace devserver {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::size_t kMaxHead = 16 * 1024;
constexpr std::size_t kMaxBody = 64 * 1024;
constexpr milliseconds kRequestTimeout{5000};
constexpr milliseconds kDrainTimeout{1000};

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
  return static_cast<int>(std::clamp<long long>(left, 0, 1'000'000));
}

enum class Ready { kData, kTimeout, kStop };

// Waits for input on `fd` or a stop request.
Ready WaitReadable(int fd, int stop, Clock::time_point deadline) {
  for (;;) {
    pollfd entries[2] = {{fd, POLLIN, 0}, {stop, POLLIN, 0}};
    const int ready = ::poll(entries, 2, MillisecondsLeft(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return Ready::kTimeout;
    if (entries[1].revents != 0) return Ready::kStop;
    return Ready::kData;
  }
}

// Reads up to `limit` more bytes; 0 at close, time-out, stop or error.
std::size_t ReadSome(int fd, int stop, Clock::time_point deadline, std::string& into,
                     std::size_t limit) {
  if (WaitReadable(fd, stop, deadline) != Ready::kData) return 0;
  char buffer[4096];
  const ssize_t got = ::recv(fd, buffer, std::min(sizeof buffer, limit), 0);
  if (got <= 0) return 0;
  into.append(buffer, static_cast<std::size_t>(got));
  return static_cast<std::size_t>(got);
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The Content-length value of a head, or nullopt.
std::optional<std::size_t> ContentLength(std::string_view head) {
  const std::string lower = Lower(head);
  const auto at = lower.find("\ncontent-length:");
  if (at == std::string::npos) return std::nullopt;
  std::size_t value = 0;
  bool digits = false;
  for (std::size_t i = at + 16; i < lower.size() && lower[i] != '\r' && lower[i] != '\n'; ++i) {
    if (lower[i] == ' ') continue;
    if (!std::isdigit(static_cast<unsigned char>(lower[i])) || value > kMaxBody)
      return std::nullopt;
    value = value * 10 + static_cast<std::size_t>(lower[i] - '0');
    digits = true;
  }
  if (!digits) return std::nullopt;
  return value;
}

// Reads one request: the head to its blank line, then the body by its length
// (or to the close). False when nothing usable arrived in time.
bool ReadRequest(int fd, int stop, RecordedRequest& request) {
  const auto deadline = Clock::now() + kRequestTimeout;
  std::string& raw = request.raw;
  std::size_t headEnd = std::string::npos;
  while ((headEnd = raw.find("\r\n\r\n")) == std::string::npos) {
    if (raw.size() >= kMaxHead || ReadSome(fd, stop, deadline, raw, kMaxHead - raw.size()) == 0) {
      return false;
    }
  }
  headEnd += 4;
  const auto length = ContentLength(std::string_view(raw).substr(0, headEnd));
  const std::size_t wanted = headEnd + std::min(length.value_or(kMaxBody), kMaxBody);
  while (raw.size() < wanted) {
    if (ReadSome(fd, stop, deadline, raw, wanted - raw.size()) == 0) break;
  }
  if (length && raw.size() < wanted) return false;
  request.body = raw.substr(headEnd);
  return true;
}

void WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t sent = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return;
    data.remove_prefix(static_cast<std::size_t>(sent));
  }
}

// Sends one byte at a time with a pause after each, until all is sent, the
// client goes or the server stops.
void Drip(int fd, int stop, std::string_view data, milliseconds interval) {
  for (const char byte : data) {
    if (::send(fd, &byte, 1, MSG_NOSIGNAL) != 1) return;
    pollfd entry{stop, POLLIN, 0};
    if (::poll(&entry, 1, static_cast<int>(interval.count())) != 0) return;
  }
}

// Ends the answer and waits briefly for the client to close, so that nothing
// unread resets the connection before the client has the answer.
void Finish(int fd, int stop) {
  ::shutdown(fd, SHUT_WR);
  const auto deadline = Clock::now() + kDrainTimeout;
  std::string ignored;
  while (ReadSome(fd, stop, deadline, ignored, 4096) > 0) ignored.clear();
}

std::string HttpAnswer(std::string_view status, std::string_view type, std::string_view body) {
  std::string answer = "HTTP/1.0 ";
  answer += status;
  answer += "\r\nContent-Type: ";
  answer += type;
  answer += "\r\nContent-Length: " + std::to_string(body.size());
  answer += "\r\nConnection: close\r\n\r\n";
  answer += body;
  return answer;
}

}  // namespace

std::unique_ptr<DevServer> DevServer::Start(ServerOptions options, std::string& error) {
  auto releases = Releases::Load(options.releases, error);
  if (!releases) return nullptr;
  auto server = std::make_unique<DevServer>(Key(), std::move(options), std::move(*releases));

  int pipeEnds[2];
  if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
    error = std::string("pipe: ") + std::strerror(errno);
    return nullptr;
  }
  server->stopRead_ = pipeEnds[0];
  server->stopWrite_ = pipeEnds[1];

  server->listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(server->options_.port);
  const int reuse = 1;
  if (server->listener_ < 0 ||
      ::inet_pton(AF_INET, server->options_.address.c_str(), &address.sin_addr) != 1 ||
      ::setsockopt(server->listener_, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse) != 0 ||
      ::bind(server->listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(server->listener_, 16) != 0) {
    error = "cannot listen on " + server->options_.address + ":" +
            std::to_string(server->options_.port) + ": " + std::strerror(errno);
    return nullptr;
  }
  socklen_t length = sizeof address;
  ::getsockname(server->listener_, reinterpret_cast<sockaddr*>(&address), &length);
  server->port_ = ntohs(address.sin_port);
  server->thread_ = std::thread([raw = server.get()] { raw->Run(); });
  return server;
}

DevServer::DevServer(Key, ServerOptions options, Releases releases)
    : options_(std::move(options)), releases_(std::move(releases)), desk_(releases_) {}

DevServer::~DevServer() {
  if (thread_.joinable()) {
    const char byte = 's';
    [[maybe_unused]] const auto written = ::write(stopWrite_, &byte, 1);
    thread_.join();
  }
  for (const int fd : {listener_, stopRead_, stopWrite_}) {
    if (fd >= 0) ::close(fd);
  }
}

std::string DevServer::HostAndPort() const { return "127.0.0.1:" + std::to_string(port_); }

std::vector<RecordedRequest> DevServer::Requests() const {
  const std::lock_guard lock(mutex_);
  return requests_;
}

void DevServer::SetFaults(std::vector<Fault> faults) {
  const std::lock_guard lock(mutex_);
  options_.faults = std::move(faults);
}

void DevServer::SetClients(Clients clients) {
  const std::lock_guard lock(mutex_);
  options_.clients = std::move(clients);
}

void DevServer::Run() {
  for (;;) {
    if (WaitReadable(listener_, stopRead_, Clock::now() + milliseconds(1'000'000)) ==
        Ready::kStop) {
      return;
    }
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    const int connection =
        ::accept4(listener_, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_CLOEXEC);
    if (connection < 0) continue;
    char name[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &peer.sin_addr, name, sizeof name);
    Serve(connection, name);
  }
}

std::optional<Fault> DevServer::TakeFault(const std::optional<ProcedureCall>& call) {
  const std::lock_guard lock(mutex_);
  for (Fault& fault : options_.faults) {
    if (fault.times == 0) continue;
    if (!fault.procedure.empty() && (!call || call->name != fault.procedure)) continue;
    // Only a chunk can be corrupted or swollen, only a list given a record;
    // other requests pass such a fault by.
    const bool chunkOnly =
        fault.kind == FaultKind::kCorruptChunk || fault.kind == FaultKind::kOversizeChunk;
    if (chunkOnly && (!call || call->name != "fetch_file")) continue;
    if (fault.kind == FaultKind::kUnsafeRecord && (!call || call->name != "get_project_pack"))
      continue;
    if (fault.times > 0) --fault.times;
    return fault;
  }
  return std::nullopt;
}

void DevServer::Serve(int connection, const std::string& peer) {
  const Fd socket(connection);
  RecordedRequest request;
  const bool complete = ReadRequest(socket.Get(), stopRead_, request);
  if (complete) {
    request.form = ParseFormBody(request.body);
    if (request.form) request.call = ParseCall(request.form->query);
  }
  Clients clients;
  {
    const std::lock_guard lock(mutex_);
    requests_.push_back(request);
    clients = options_.clients;
  }
  if (!complete) return;

  const auto fault = TakeFault(request.call);
  std::string answer;
  Twist twist = Twist::kNone;
  std::string unsafeName;
  bool drip = false;
  if (fault) {
    switch (fault->kind) {
      case FaultKind::kSilent: {
        // Hold the connection until the client gives up (or the server stops).
        std::string ignored;
        const auto deadline = Clock::now() + options_.silentHold;
        while (ReadSome(socket.Get(), stopRead_, deadline, ignored, 4096) > 0) ignored.clear();
        return;
      }
      case FaultKind::kCloseEarly:
        WriteAll(socket.Get(), "HTTP/1.0 200 OK\r\nContent-Type: applic");
        return;
      case FaultKind::kRaw:
        WriteAll(socket.Get(), fault->raw);
        Finish(socket.Get(), stopRead_);
        return;
      case FaultKind::kNotFound:
        answer = HttpAnswer("404 Not Found", "text/plain", "no such procedure here\n");
        break;
      case FaultKind::kNotJson:
        answer = HttpAnswer("200 OK", "text/html", "<html><body>maintenance</body></html>");
        break;
      case FaultKind::kNotFoundSays200: {
        const std::string body = "[{\"id\":\"1\",\"finger\":\"5f3c9e1a\"}]";
        answer =
            "HTTP/1.0 404 Not Found\r\nX-Request: 200\r\nContent-Type: application/json\r\n"
            "Content-Length: " +
            std::to_string(body.size()) + "\r\n\r\n" + body;
        break;
      }
      case FaultKind::kCorruptChunk:
        twist = Twist::kCorruptChunk;
        break;
      case FaultKind::kOversizeChunk:
        twist = Twist::kOversizeChunk;
        break;
      case FaultKind::kUnsafeRecord:
        twist = Twist::kUnsafeRecord;
        unsafeName = fault->raw.empty() ? "../keldar" : fault->raw;
        break;
      case FaultKind::kDrip:
        drip = true;
        break;
    }
  }
  if (answer.empty()) {
    const auto json =
        request.call ? desk_.Answer(*request.call, clients, peer, twist, unsafeName) : std::nullopt;
    answer = json ? HttpAnswer("200 OK", "application/json", *json)
                  : HttpAnswer("400 Bad Request", "text/plain", "expected query=call name(...);\n");
  }
  if (drip) {
    Drip(socket.Get(), stopRead_, answer, options_.dripInterval);
    return;
  }
  WriteAll(socket.Get(), answer);
  Finish(socket.Get(), stopRead_);
}

}  // namespace devserver
