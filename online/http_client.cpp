#include "online/http_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

#include "online/http_head.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
namespace limits = http_limits;

class Socket {
 public:
  Socket() : fd_(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)) {}
  ~Socket() {
    if (fd_ >= 0) ::close(fd_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  bool IsOpen() const { return fd_ >= 0; }
  int Fd() const { return fd_; }

 private:
  int fd_;
};

struct Endpoint {
  std::string name;
  std::uint16_t port = 0;
};

// "name" (on `defaultPort`) or "name:port"; a port that is not a number in
// 1..65535 does not resolve.
std::optional<Endpoint> SplitHost(std::string_view host, std::uint16_t defaultPort) {
  Endpoint endpoint;
  endpoint.port = defaultPort;
  const auto colon = host.rfind(':');
  if (colon == std::string_view::npos) {
    endpoint.name = std::string(host);
    return endpoint;
  }
  const std::string_view digits = host.substr(colon + 1);
  unsigned port = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || port == 0 ||
      port > 65535) {
    return std::nullopt;
  }
  endpoint.name = std::string(host.substr(0, colon));
  endpoint.port = static_cast<std::uint16_t>(port);
  return endpoint;
}

std::optional<sockaddr_in> Resolve(const Endpoint& endpoint, Clock::time_point deadline,
                                   const NameLookup& lookup) {
  const auto found = LookUpBefore(endpoint.name, deadline, lookup);
  if (!found) return std::nullopt;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr = *found;
  address.sin_port = htons(endpoint.port);
  return address;
}

bool Passed(Clock::time_point deadline) { return Clock::now() >= deadline; }

// Rounded up, so that a wait never ends before its deadline.
int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now()).count();
  return static_cast<int>(std::clamp<long long>(left, 0, 1'000'000));
}

// Waits for `events` until the deadline; false on time-out or error.
bool Wait(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    pollfd entry{fd, events, 0};
    const int ready = ::poll(&entry, 1, MillisecondsLeft(deadline));
    if (ready > 0) return true;
    if (ready == 0) return false;
    if (errno != EINTR) return false;
  }
}

bool Connect(const Socket& socket, const sockaddr_in& address, Clock::time_point deadline) {
  if (::connect(socket.Fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
    return true;
  }
  if (errno != EINPROGRESS && errno != EINTR) return false;
  if (!Wait(socket.Fd(), POLLOUT, deadline)) return false;
  int error = 0;
  socklen_t length = sizeof error;
  return ::getsockopt(socket.Fd(), SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
}

// Sends the whole request; stops quietly when the peer fails or the deadline passes.
void SendAll(const Socket& socket, std::string_view data, Clock::time_point deadline) {
  while (!data.empty()) {
    const ssize_t sent = ::send(socket.Fd(), data.data(), data.size(), MSG_NOSIGNAL);
    if (sent > 0) {
      data.remove_prefix(static_cast<std::size_t>(sent));
    } else if (sent < 0 && errno == EINTR) {
      continue;
    } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!Wait(socket.Fd(), POLLOUT, deadline)) return;
    } else {
      return;
    }
  }
}

// One receive of at most `size` bytes; 0 or less when the peer closed, the
// receive failed or the deadline passed.
ssize_t Receive(const Socket& socket, char* buffer, std::size_t size, Clock::time_point deadline) {
  for (;;) {
    const ssize_t got = ::recv(socket.Fd(), buffer, size, 0);
    if (got >= 0) return got;
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) return -1;
    if (!Wait(socket.Fd(), POLLIN, deadline)) return -1;
  }
}

Clock::time_point Earliest(Clock::time_point a, Clock::time_point b) { return std::min(a, b); }

// Reads the head byte by byte.
HttpHeadReader ReadHead(const Socket& socket, Clock::time_point exchangeDeadline) {
  HttpHeadReader head;
  const auto headDeadline = Earliest(Clock::now() + limits::kHeadTimeout, exchangeDeadline);
  for (;;) {
    char byte = 0;
    const auto deadline = Earliest(Clock::now() + limits::kReceiveTimeout, headDeadline);
    if (Receive(socket, &byte, 1, deadline) <= 0) break;
    if (head.Feed(byte) == HttpHeadReader::Step::kDone) break;
  }
  return head;
}

enum class BodyEnd { kClosed, kSilence, kTooLong, kDeadline };

BodyEnd ReadBody(const Socket& socket, Clock::time_point exchangeDeadline, std::string& answer) {
  std::array<char, limits::kBodyBlockBytes + 1> block;
  for (;;) {
    const auto silence = Clock::now() + limits::kReceiveTimeout;
    const ssize_t got =
        Receive(socket, block.data(), limits::kBodyBlockBytes, Earliest(silence, exchangeDeadline));
    if (got == 0) return BodyEnd::kClosed;
    if (got < 0) return exchangeDeadline <= silence ? BodyEnd::kDeadline : BodyEnd::kSilence;
    block[static_cast<std::size_t>(got)] = '\0';
    // A zero byte drops the rest of its block: bodies are JSON text.
    const std::size_t length = std::strlen(block.data());
    if (answer.size() + length > limits::kMaxBodyBytes) {
      answer.clear();
      return BodyEnd::kTooLong;
    }
    answer.append(block.data(), length);
  }
}

}  // namespace

bool FormatHttpRequest(const char* host, const char* path, const char* body, std::string& request) {
  const std::size_t bodyLength = std::strlen(body);
  if (bodyLength >= limits::kRequestBufferBytes) return false;
  std::array<char, limits::kRequestBufferBytes> buffer;
  const int length =
      std::snprintf(buffer.data(), buffer.size(),
                    "POST %s HTTP/1.0\r\nHost: %s\r\nAccept: application/json\r\nContent-type: "
                    "application/x-www-form-urlencoded\r\nContent-length: %d\r\n\r\n%s",
                    path, host, static_cast<int>(bodyLength), body);
  if (length < 0 || static_cast<std::size_t>(length) >= buffer.size()) return false;
  request.assign(buffer.data(), static_cast<std::size_t>(length));
  return true;
}

int HttpPost(const char* host, const char* path, const char* body, std::string& answer,
             const HttpOptions& options) {
  if (host == nullptr) return kHttpNoHost;
  if (path == nullptr) path = "";
  if (body == nullptr) body = "";

  std::string request;
  if (!FormatHttpRequest(host, path, body, request)) return kHttpRequestTooLong;

  const Socket socket;
  if (!socket.IsOpen()) return kHttpNoSocket;
  const auto start = Clock::now();
  auto exchangeDeadline = start + limits::kExchangeTimeout;
  if (options.deadline) exchangeDeadline = Earliest(*options.deadline, exchangeDeadline);
  const auto endpoint = SplitHost(host, options.defaultPort);
  if (!endpoint) return kHttpNoHost;
  const auto address = Resolve(*endpoint, exchangeDeadline, options.lookup);
  if (!address && Passed(exchangeDeadline)) {
    answer.clear();
    return kHttpTimedOut;
  }
  if (!address) return kHttpNoHost;

  answer.clear();
  // A connection that fails leaves the answer empty, as a failed first receive would.
  if (!Connect(socket, *address, Earliest(start + limits::kConnectTimeout, exchangeDeadline))) {
    return Passed(exchangeDeadline) ? kHttpTimedOut : kHttpOk;
  }
  // A send that fails is not the end: a server may answer before reading the
  // whole request, and if it does not, the first receive fails.
  SendAll(socket, request, Earliest(Clock::now() + limits::kSendTimeout, exchangeDeadline));
  const HttpHeadReader head = ReadHead(socket, exchangeDeadline);
  if (!head.Accepted()) {
    return !head.Complete() && !head.TooLong() && Passed(exchangeDeadline) ? kHttpTimedOut
                                                                           : kHttpOk;
  }
  if (ReadBody(socket, exchangeDeadline, answer) == BodyEnd::kDeadline) {
    answer.clear();
    return kHttpTimedOut;
  }
  return kHttpOk;
}

int HttpPost(const char* host, const char* path, const char* body, std::string& answer,
             std::uint16_t defaultPort) {
  HttpOptions options;
  options.defaultPort = defaultPort;
  return HttpPost(host, path, body, answer, options);
}
